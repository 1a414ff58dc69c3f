#pragma once
// The window is designed at 96 dpi; at any other DPI every length of it is
// the design's length times DPI / 96, and its pictures are drawn for the
// nearest scale there is artwork for. Free of Win32, so that the checker and
// the native tests share the rules.
#include <array>
#include <cstdint>
#include <vector>

namespace utils {

inline constexpr int kDesignDpi = 96;

// `value` at `dpi`, rounded half away from zero as the system's MulDiv
// rounds; at 96 dpi the value itself.
constexpr int ScaleToDpi(int value, int dpi)
{
    const long long product = static_cast<long long>(value) * dpi;
    const long long half = kDesignDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi : -((-product + half) / kDesignDpi));
}

// A display scale in percent as a DPI (150 percent is 144 dpi).
constexpr int DpiOfPercent(int percent) { return (percent * kDesignDpi + 50) / 100; }

// The scales the artwork is drawn at, in percent of the design.
inline constexpr std::array<int, 5> kArtPercents = {100, 125, 150, 175, 200};

// The artwork for a DPI: the set drawn for exactly that DPI, else the
// nearest larger set to be scaled down (below 96 dpi the design set, above
// the largest set that one scaled up).
struct ArtChoice {
    int percent;   // of the set
    bool resample; // false when the set is drawn for this very DPI
};
ArtChoice ChooseArt(int dpi);

// Pixels of four 8-bit channels each, row after row from the top.
struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// The image at another size: each pixel the average of the area it covers
// when it shrinks, interpolated between neighbours when it grows; every
// channel alike.
PixelImage Resample(const PixelImage& image, int width, int height);

// Pixels that happen to be exactly `colour` (its low 24 bits) moved one step
// off it, so that a list taking that colour for transparent shows them.
void AvoidColour(PixelImage& image, std::uint32_t colour);

} // namespace utils
