#include <gtest/gtest.h>

#include "utils/DisplayScale.h"

using utils::ArtChoice;
using utils::ChooseArt;
using utils::ScaleToDpi;

TEST(DisplayScale, LengthsGrowWithTheDpiRoundedAsMulDivRounds)
{
    const struct {
        int value;
        int dpi;
        int scaled;
    } cases[] = {
        {600, 96, 600},  {400, 96, 400}, {600, 144, 900}, {400, 144, 600}, {600, 192, 1200}, {400, 192, 800},
        {600, 120, 750}, {85, 120, 106}, {70, 120, 88},   {90, 168, 158},  {29, 144, 44},    {3, 144, 5},
        {-4, 96, -4},    {-4, 120, -5},  {-4, 144, -6},   {-3, 144, -5},   {0, 192, 0},      {1, 72, 1},
        {1, 47, 0},      {2, 72, 2},     {24, 168, 42},   {110, 144, 165},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi << " dpi";
    EXPECT_EQ(utils::DpiOfPercent(150), 144);
    EXPECT_EQ(utils::DpiOfPercent(175), 168);
    EXPECT_EQ(utils::DpiOfPercent(110), 106);
}

TEST(DisplayScale, ArtIsTheSetOfTheDpiOrTheNearestLargerOne)
{
    const struct {
        int dpi;
        int percent;
        bool resample;
    } cases[] = {
        {96, 100, false}, {120, 125, false}, {144, 150, false}, {168, 175, false}, {192, 200, false},
        {97, 125, true},  {110, 125, true},  {121, 150, true},  {150, 175, true},  {191, 200, true},
        {72, 100, true},  {240, 200, true},  {480, 200, true},
    };
    for (const auto& c : cases) {
        const ArtChoice choice = ChooseArt(c.dpi);
        EXPECT_EQ(choice.percent, c.percent) << c.dpi << " dpi";
        EXPECT_EQ(choice.resample, c.resample) << c.dpi << " dpi";
    }
}

namespace {

// One row of pixels whose first channel holds these values, the others 0.
utils::PixelImage Row(std::vector<std::uint32_t> values)
{
    const int width = static_cast<int>(values.size());
    return utils::PixelImage{width, 1, std::move(values)};
}

} // namespace

TEST(DisplayScale, ResamplingAveragesWhatAPixelCoversAndInterpolatesWhenGrowing)
{
    const struct {
        std::vector<std::uint32_t> from;
        int width;
        std::vector<std::uint32_t> to;
    } cases[] = {
        {{0, 100, 200, 255}, 2, {50, 228}},      // halves: each pixel the mean of two
        {{0, 90, 180}, 2, {30, 150}},            // a pixel and a half each
        {{0, 200}, 4, {0, 50, 150, 200}},        // between the centres when growing
        {{7, 8, 9}, 3, {7, 8, 9}},               // the same size changes nothing
        {{40, 40, 40, 40, 40}, 3, {40, 40, 40}}, // a plain area stays plain
        {{255, 255, 255}, 7, std::vector<std::uint32_t>(7, 255)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utils::Resample(Row(c.from), c.width, 1).pixels, c.to) << testing::PrintToString(c.from);

    // Each channel on its own, and rows like columns.
    const utils::PixelImage square{2, 2, {0xFF000010u, 0x00FF0030u, 0x0000FF50u, 0x10101070u}};
    const utils::PixelImage one = utils::Resample(square, 1, 1);
    ASSERT_EQ(one.pixels.size(), 1u);
    EXPECT_EQ(one.pixels[0], 0x44444440u);
    const utils::PixelImage column = utils::Resample(utils::PixelImage{1, 4, {0, 100, 200, 255}}, 1, 2);
    EXPECT_EQ(column.pixels, (std::vector<std::uint32_t>{50, 228}));

    // Nothing to read from gives an empty picture of the size asked for.
    EXPECT_EQ(utils::Resample(utils::PixelImage{3, 3, {}}, 2, 2).pixels, std::vector<std::uint32_t>(4, 0));
}

TEST(DisplayScale, AMaskColourLeftByScalingIsMovedOffIt)
{
    utils::PixelImage image{3, 1, {0x00176FDEu, 0xFF176FDEu, 0x00176FDFu}};
    utils::AvoidColour(image, 0x176FDE);
    EXPECT_NE(image.pixels[0] & 0xFFFFFFu, 0x176FDEu);
    EXPECT_NE(image.pixels[1] & 0xFFFFFFu, 0x176FDEu);
    EXPECT_EQ(image.pixels[2], 0x00176FDFu);
    EXPECT_EQ(image.pixels[0] & 0xFFFF00u, 0x176F00u) << "only the last step of one channel changes";
}
