#include "framework/Picture.h"

#include <wincodec.h>

#include <algorithm>
#include <cstdint>

namespace fw {

namespace {

// Releases a COM interface when the scope ends.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef()
    {
        if (m_pointer)
            m_pointer->Release();
    }
    Interface** Out() { return &m_pointer; }
    Interface* operator->() const { return m_pointer; }
    Interface* Get() const { return m_pointer; }

private:
    Interface* m_pointer = nullptr;
};

} // namespace

BITMAPINFO TopDown32(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

PictureDecoder::PictureDecoder()
{
    // Version 1 of the factory, which every system since Vista has.
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(&m_factory))))
        m_factory = nullptr;
}

PictureDecoder::~PictureDecoder()
{
    if (m_factory)
        m_factory->Release();
}

std::optional<utils::PixelImage> PictureDecoder::Decode(const wchar_t* type, int id) const
{
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC resource = m_factory ? ::FindResourceW(module, MAKEINTRESOURCEW(id), type) : nullptr;
    auto* data = resource ? static_cast<BYTE*>(::LockResource(::LoadResource(module, resource))) : nullptr;
    if (!data)
        return std::nullopt;
    ComRef<IWICStream> stream;
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    ComRef<IWICFormatConverter> converter;
    if (FAILED(m_factory->CreateStream(stream.Out())) ||
        FAILED(stream->InitializeFromMemory(data, ::SizeofResource(module, resource))) ||
        FAILED(
            m_factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Out())) ||
        FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(m_factory->CreateFormatConverter(converter.Out())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return std::nullopt;
    UINT width = 0, height = 0;
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > 16384 || height > 16384)
        return std::nullopt;
    utils::PixelImage image{static_cast<int>(width), static_cast<int>(height), {}};
    image.pixels.resize(static_cast<size_t>(width) * height);
    if (FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(image.pixels.size() * 4),
                                     reinterpret_cast<BYTE*>(image.pixels.data()))))
        return std::nullopt;
    return image;
}

std::optional<utils::PixelImage> BitmapPixels(HBITMAP bitmap)
{
    BITMAP header{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof header, &header) || header.bmWidth <= 0 || header.bmHeight <= 0)
        return std::nullopt;
    utils::PixelImage image{header.bmWidth, header.bmHeight, {}};
    image.pixels.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    BITMAPINFO info = TopDown32(image.width, image.height);
    HDC screen = ::GetDC(nullptr);
    const int rows =
        ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(image.height), image.pixels.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (rows != image.height)
        return std::nullopt;
    return image;
}

Bitmap BitmapOf(const utils::PixelImage& image)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() < static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
        return Bitmap();
    const BITMAPINFO info = TopDown32(image.width, image.height);
    void* bits = nullptr;
    Bitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits)
        std::copy_n(image.pixels.data(), static_cast<size_t>(image.width) * static_cast<size_t>(image.height),
                    static_cast<std::uint32_t*>(bits));
    return bitmap;
}

} // namespace fw
