// How the scene's twips become device pixels: one rounding rule, cells and panel fillers with their
// borders, hatch tiles and picture pixels, at the ratios screens have. Expected numbers are worked out
// by hand from 15 twips a logical pixel.

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "scene/hatch.h"
#include "scene/pixels.h"

namespace blokko::scene {
namespace {

constexpr double Ratios[] = {1.0, 1.25, 1.5, 2.0};

Item cell(Rect rect, int borderWidth, Hatch hatch = Hatch::None, bool opaque = true)
{
    Item item;
    item.kind = Kind::Cell;
    item.rect = rect;
    item.back = 0x123456;
    item.borderWidth = borderWidth;
    item.hatch = hatch;
    item.opaque = opaque;
    return item;
}

TEST(PixelsTest, EachEdgeRoundsToTheNearestDevicePixelHalvesUp)
{
    // 100 twips = 6.67 px, 400 = 26.67, 50 = 3.33, 350 = 23.33.
    EXPECT_EQ(toDevice({100, 50, 300, 300}, 1), (PixelRect{7, 3, 20, 20}));
    EXPECT_EQ(toDevice({100, 50, 300, 300}, 1.25), (PixelRect{8, 4, 25, 25}));
    EXPECT_EQ(toDevice({100, 50, 300, 300}, 2), (PixelRect{13, 7, 40, 40}));
    // 7.5 twips is half a pixel, 22.5 one and a half.
    EXPECT_EQ(toDevice({7.5f, 22.5f, 15, 15}, 1), (PixelRect{1, 2, 1, 1}));
    // No number, or one past any screen: defined edges all the same.
    EXPECT_EQ(toDevice({0, std::nanf(""), 1e30f, 15}, 1), (PixelRect{0, 0, 1000000000, 0}));
}

TEST(PixelsTest, NeighbouringCellsShareTheirEdgesAtEveryRatio)
{
    for (double ratio : Ratios)
        for (float side : {285.0f, 300.0f, 317.0f}) {
            for (int k = 0; k < 12; ++k) {
                const float left = 60 + side * static_cast<float>(k);
                const PixelRect a = toDevice({left, 50, side, side}, ratio);
                const PixelRect b = toDevice({left + side, 50, side, side}, ratio);
                EXPECT_EQ(a.x + a.w, b.x) << "ratio " << ratio << ", side " << side << ", cell " << k;
            }
        }
}

TEST(PixelsTest, CellsDrawTheSquareOfTheShorterSideWithABorderRoundedToDevicePixels)
{
    struct Case {
        double ratio;
        PixelRect square;
        int border;
    };
    // 300 x 450 twips from (150, 75): a 20-pixel square at (10, 5) in logical pixels; a 4-pixel border.
    for (const Case& c : {Case{1, {10, 5, 20, 20}, 4}, Case{1.25, {13, 6, 25, 25}, 5}, Case{2, {20, 10, 40, 40}, 8}}) {
        const SquarePixels s = cellPixels(cell({150, 75, 300, 450}, 4), c.ratio);
        EXPECT_EQ(s.square, c.square) << "ratio " << c.ratio;
        EXPECT_EQ(s.border, c.border) << "ratio " << c.ratio;
        EXPECT_EQ(s.inside,
            (PixelRect{
                c.square.x + c.border, c.square.y + c.border, c.square.w - 2 * c.border, c.square.h - 2 * c.border}))
            << "ratio " << c.ratio;
    }
    // A one-pixel border is 1.25 device pixels at 1.25: one; 1.5 rounds up to two.
    EXPECT_EQ(cellPixels(cell({0, 0, 300, 300}, 1), 1.25).border, 1);
    EXPECT_EQ(cellPixels(cell({0, 0, 300, 300}, 1), 1.5).border, 2);
    // A border wider than half the square fills it; a negative one draws none.
    const SquarePixels full = cellPixels(cell({0, 0, 60, 60}, 9), 1);
    EXPECT_EQ(full.border, 2);
    EXPECT_TRUE(full.inside.empty());
    EXPECT_EQ(cellPixels(cell({0, 0, 60, 60}, -3), 1).border, 0);
}

TEST(PixelsTest, SolidHatchFillsBlackAndACellThatIsNotOpaqueDrawsItsBorderOnly)
{
    const SquarePixels solid = cellPixels(cell({0, 0, 300, 300}, 1, Hatch::Solid), 1);
    EXPECT_EQ(solid.fill, WindowTextRgb);
    EXPECT_EQ(solid.pattern, Hatch::None);
    const SquarePixels cross = cellPixels(cell({0, 0, 300, 300}, 1, Hatch::Cross), 1);
    EXPECT_EQ(cross.fill, 0x123456u);
    EXPECT_EQ(cross.pattern, Hatch::Cross);

    const SquarePixels frame = cellPixels(cell({0, 0, 300, 300}, 2, Hatch::None, false), 1);
    EXPECT_FALSE(frame.filled);
    int area = 0;
    for (const PixelRect& strip : borderStrips(frame))
        area += strip.w * strip.h;
    EXPECT_EQ(area, 20 * 20 - 16 * 16); // the frame, each pixel once
}

TEST(PixelsTest, PanelFillerStandsRelativeToThePanel)
{
    Item panel;
    panel.kind = Kind::Panel;
    panel.rect = {0, 1500, 3000, 1500};
    panel.inner = {150, 300, 600, 600};
    panel.innerVisible = true;
    panel.innerBack = 0x000000;
    panel.borderWidth = 1;
    const PanelPixels p = panelPixels(panel, 2);
    EXPECT_EQ(p.panel, (PixelRect{0, 200, 400, 200}));
    EXPECT_TRUE(p.hasFiller);
    EXPECT_EQ(p.filler.square, (PixelRect{20, 240, 80, 80}));
    EXPECT_EQ(p.filler.border, 2);
}

TEST(PixelsTest, SystemColoursResolveToTheWindowTextColour)
{
    EXPECT_EQ(rgbOf(0x000080FF), 0xFF8000u); // orange, 0x00BBGGRR
    EXPECT_EQ(rgbOf(0x00C00000), 0x0000C0u);
    EXPECT_EQ(rgbOf(SystemWindowText), 0x000000u);
}

// Ink of a tile, in logical pixels' worth.
double inkOf(const HatchTile& tile, double ratio)
{
    return std::accumulate(tile.ink.begin(), tile.ink.end(), 0.0) / 255 / (ratio * ratio);
}

TEST(HatchTilesTest, CrispAtEveryRatioWithLinesWholeDevicePixelsThick)
{
    for (int code = 2; code <= 7; ++code) {
        const auto style = static_cast<Hatch>(code);
        const HatchTile one = hatchTile(style, 1);
        ASSERT_EQ(one.side, 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                EXPECT_EQ(one.ink[y * 8 + x], hatchInked(style, x, y) ? 255 : 0);
        // At 2, each logical pixel is a block of 2 x 2 device pixels, fully inked or not at all.
        const HatchTile two = hatchTile(style, 2);
        ASSERT_EQ(two.side, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                EXPECT_EQ(two.ink[y * 16 + x], one.ink[(y / 2) * 8 + x / 2]) << code << " at " << x << ", " << y;
        // At fractional ratios no pixel is half inked, and no line is lost.
        for (double ratio : {1.1, 1.25, 1.5, 1.75}) {
            const HatchTile scaled = hatchTile(style, ratio);
            EXPECT_EQ(scaled.side, static_cast<int>(std::lround(8 * ratio)));
            for (std::uint8_t ink : scaled.ink)
                ASSERT_TRUE(ink == 0 || ink == 255) << code << " at " << ratio;
            EXPECT_GE(inkOf(scaled, ratio) * ratio, inkOf(one, 1) * 0.99) << code << " at " << ratio;
        }
    }
    // Worked out: at 1.25 the tile is 10 pixels; logical row 3 spans device rows round(3.75) = 4 to
    // round(5) = 5, so the horizontal line is device row 4 alone.
    const HatchTile horizontal = hatchTile(Hatch::Horizontal, 1.25);
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(horizontal.ink[static_cast<std::size_t>(y * 10)], y == 4 ? 255 : 0) << y;
    EXPECT_EQ(hatchTile(Hatch::None, 2).side, 0);
    EXPECT_EQ(hatchTile(Hatch::Cross, 0).side, 0);
}

TEST(PicturePixelsTest, StretchedColumnsTileTheRectangleAndNaturalOnesAreALogicalPixelEach)
{
    Picture strip{3, 1, {0xFF0000, 0x00FF00, 0x0000FF}};
    Item image;
    image.kind = Kind::Image;
    image.rect = {0, 0, 1000, 300}; // 66.67 x 20 logical pixels
    for (double ratio : Ratios) {
        const auto pixels = picturePixels(image, strip, ratio);
        ASSERT_EQ(pixels.size(), 3u);
        const PixelRect whole = toDevice(image.rect, ratio);
        EXPECT_EQ(pixels[0].rect.x, whole.x);
        EXPECT_EQ(pixels[1].rect.x, pixels[0].rect.x + pixels[0].rect.w);
        EXPECT_EQ(pixels[2].rect.x, pixels[1].rect.x + pixels[1].rect.w);
        EXPECT_EQ(pixels[2].rect.x + pixels[2].rect.w, whole.x + whole.w);
        EXPECT_EQ(pixels[1].rect.h, whole.h);
        EXPECT_EQ(pixels[2].colour, 0x0000FFu);
    }
    image.stretch = false;
    const auto natural = picturePixels(image, strip, 2);
    EXPECT_EQ(natural[1].rect, (PixelRect{2, 0, 2, 2}));
    // A picture whose pixels do not match its size draws nothing.
    EXPECT_TRUE(picturePixels(image, Picture{4, 1, {1, 2}}, 1).empty());
}

} // namespace
} // namespace blokko::scene
