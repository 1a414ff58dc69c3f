#pragma once
// Pictures as pixels: decoded from compressed resources (PNG) through the
// Windows Imaging Component, read from bitmaps, and made into bitmaps again.
#include <windows.h>

#include <optional>

#include "framework/Gdi.h"
#include "utils/DisplayScale.h"

struct IWICImagingFactory;

namespace fw {

// Decodes pictures of the module's resources. COM must be initialised on the
// calling thread; without it, or without the imaging component, nothing is
// decoded.
class PictureDecoder {
public:
    PictureDecoder();
    ~PictureDecoder();
    PictureDecoder(const PictureDecoder&) = delete;
    PictureDecoder& operator=(const PictureDecoder&) = delete;

    // The resource `id` of type `type`, stored as PNG (or any format the
    // imaging component reads).
    std::optional<utils::PixelImage> Decode(const wchar_t* type, int id) const;

private:
    IWICImagingFactory* m_factory = nullptr;
};

// The header of a 32-bit top-down bitmap of this size.
BITMAPINFO TopDown32(int width, int height);

// The pixels of a bitmap, in blue, green, red order.
std::optional<utils::PixelImage> BitmapPixels(HBITMAP bitmap);

// A 32-bit bitmap holding the pixels.
Bitmap BitmapOf(const utils::PixelImage& image);

} // namespace fw
