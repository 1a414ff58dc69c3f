#include "utils/DisplayScale.h"

#include <algorithm>
#include <cmath>

namespace utils {

namespace {

// The source pixels that make up one pixel of the result along one axis,
// with their shares.
struct Taps {
    int first = 0;
    std::vector<float> shares;
};

std::vector<Taps> AxisTaps(int from, int to)
{
    std::vector<Taps> axis(static_cast<size_t>(to));
    const double ratio = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        Taps& taps = axis[static_cast<size_t>(i)];
        if (to <= from) {
            const double begin = i * ratio;
            const double end = (i + 1) * ratio;
            taps.first = static_cast<int>(begin);
            const int last = std::min(from - 1, static_cast<int>(std::ceil(end)) - 1);
            for (int s = taps.first; s <= last; ++s)
                taps.shares.push_back(
                    static_cast<float>((std::min<double>(end, s + 1) - std::max<double>(begin, s)) / ratio));
        } else {
            const double centre = std::clamp((i + 0.5) * ratio - 0.5, 0.0, from - 1.0);
            taps.first = static_cast<int>(centre);
            const auto t = static_cast<float>(centre - taps.first);
            taps.shares = taps.first + 1 < from ? std::vector<float>{1.0f - t, t} : std::vector<float>{1.0f};
        }
    }
    return axis;
}

float Channel(std::uint32_t pixel, int channel) { return static_cast<float>((pixel >> (8 * channel)) & 0xFFu); }

} // namespace

ArtChoice ChooseArt(int dpi)
{
    for (const int percent : kArtPercents) {
        const int setDpi = DpiOfPercent(percent);
        if (dpi <= setDpi)
            return {percent, dpi != setDpi};
    }
    return {kArtPercents.back(), true};
}

PixelImage Resample(const PixelImage& image, int width, int height)
{
    PixelImage result{std::max(width, 0), std::max(height, 0), {}};
    result.pixels.resize(static_cast<size_t>(result.width) * static_cast<size_t>(result.height));
    if (result.pixels.empty() || image.width <= 0 || image.height <= 0 ||
        image.pixels.size() < static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
        return result;
    const std::vector<Taps> across = AxisTaps(image.width, result.width);
    const std::vector<Taps> down = AxisTaps(image.height, result.height);
    // One row at a time: the rows of the source blended down into `row`,
    // then `row` blended across into the result.
    std::vector<float> row(static_cast<size_t>(image.width) * 4);
    for (int y = 0; y < result.height; ++y) {
        std::fill(row.begin(), row.end(), 0.0f);
        const Taps& vertical = down[static_cast<size_t>(y)];
        for (size_t k = 0; k < vertical.shares.size(); ++k) {
            const std::uint32_t* source = &image.pixels[static_cast<size_t>(vertical.first + static_cast<int>(k)) *
                                                        static_cast<size_t>(image.width)];
            for (int x = 0; x < image.width; ++x)
                for (int c = 0; c < 4; ++c)
                    row[static_cast<size_t>(x) * 4 + static_cast<size_t>(c)] +=
                        vertical.shares[k] * Channel(source[x], c);
        }
        for (int x = 0; x < result.width; ++x) {
            const Taps& horizontal = across[static_cast<size_t>(x)];
            std::uint32_t pixel = 0;
            for (int c = 0; c < 4; ++c) {
                float sum = 0.0f;
                for (size_t k = 0; k < horizontal.shares.size(); ++k)
                    sum +=
                        horizontal.shares[k] *
                        row[static_cast<size_t>(horizontal.first + static_cast<int>(k)) * 4 + static_cast<size_t>(c)];
                const auto value = static_cast<std::uint32_t>(std::clamp(std::lround(sum), 0L, 255L));
                pixel |= value << (8 * c);
            }
            result.pixels[static_cast<size_t>(y) * static_cast<size_t>(result.width) + static_cast<size_t>(x)] = pixel;
        }
    }
    return result;
}

void AvoidColour(PixelImage& image, std::uint32_t colour)
{
    colour &= 0xFFFFFFu;
    for (std::uint32_t& pixel : image.pixels)
        if ((pixel & 0xFFFFFFu) == colour)
            pixel ^= 1u;
}

} // namespace utils
