#pragma once
// The window's image and the material pictures at a DPI: the artwork drawn
// for that scale, or the nearest larger set scaled down (utils::ChooseArt).
// At 96 dpi the bitmaps of the design, as they are stored.
#include <windows.h>

#include <optional>

#include "framework/Gdi.h"
#include "framework/Picture.h"

namespace artwork {

inline constexpr SIZE kWindowImageSize{600, 400};
inline constexpr SIZE kPictureSize{90, 70};
// A picture list shows this much of each picture.
inline constexpr SIZE kPictureCell{85, 70};
// The picture lists take this colour for transparent; no picture holds it.
inline constexpr COLORREF kPictureMask = RGB(23, 111, 222);

// The resource id of art `id` in the set of `percent` (one of utils::kArtPercents).
int SetResourceId(int id, int percent);

class ArtLoader {
public:
    explicit ArtLoader(int dpi) : m_dpi(dpi) {}

    // Art `id`, designed at `designSize`, at the DPI; `maskFree` keeps the
    // pictures' mask colour out of a picture that had to be scaled here.
    fw::Bitmap Load(int id, SIZE designSize, bool maskFree);

private:
    int m_dpi;
    // Made at the first picture that needs it: none is needed at 96 dpi.
    std::optional<fw::PictureDecoder> m_decoder;
};

} // namespace artwork
