#include "skin/Artwork.h"

#include <algorithm>
#include <iterator>

#include "resources/resource.h"
#include "utils/DisplayScale.h"

namespace artwork {

namespace {

constexpr wchar_t kCompressedType[] = L"PNG";

fw::Bitmap DesignBitmap(int id) { return fw::Bitmap(::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id))); }

std::uint32_t AsPixel(COLORREF colour)
{
    return static_cast<std::uint32_t>(GetBValue(colour)) | static_cast<std::uint32_t>(GetGValue(colour)) << 8 |
           static_cast<std::uint32_t>(GetRValue(colour)) << 16;
}

} // namespace

int SetResourceId(int id, int percent)
{
    const auto place = std::find(utils::kArtPercents.begin(), utils::kArtPercents.end(), percent);
    return id + IDB_ART_SET_STEP * static_cast<int>(std::distance(utils::kArtPercents.begin(), place));
}

fw::Bitmap ArtLoader::Load(int id, SIZE designSize, bool maskFree)
{
    const utils::ArtChoice choice = utils::ChooseArt(m_dpi);
    if (choice.percent == utils::kArtPercents.front() && !choice.resample)
        return DesignBitmap(id);

    std::optional<utils::PixelImage> pixels;
    if (choice.percent != utils::kArtPercents.front()) {
        if (!m_decoder)
            m_decoder.emplace();
        pixels = m_decoder->Decode(kCompressedType, SetResourceId(id, choice.percent));
    }
    // Without the imaging component the design's bitmap, scaled here, still
    // gives every picture its place.
    if (!pixels)
        pixels = fw::BitmapPixels(DesignBitmap(id).Get());
    if (!pixels)
        return fw::Bitmap();
    const int width = utils::ScaleToDpi(designSize.cx, m_dpi);
    const int height = utils::ScaleToDpi(designSize.cy, m_dpi);
    if (pixels->width != width || pixels->height != height) {
        *pixels = utils::Resample(*pixels, width, height);
        if (maskFree)
            utils::AvoidColour(*pixels, AsPixel(kPictureMask));
    }
    return fw::BitmapOf(*pixels);
}

} // namespace artwork
