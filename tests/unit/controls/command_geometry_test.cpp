#include "command_geometry.h"

#include <gtest/gtest.h>

using namespace orvanne;

static bool operator==(const PixelRect& a, const PixelRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

TEST(CommandGeometry, TwipsAtTheRealResolution) {
    // Twips, dpi, pixels; an offset of 1 twip falls on pixel 0.
    const int cases[][3] = {
        {375, 96, 25}, {315, 96, 21}, {1, 96, 0}, {375, 120, 31}, {-15, 96, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(TwipsToPixels(c[0], c[1]), c[2]) << c[0] << " twips at " << c[1] << " dpi";
}

TEST(CommandGeometry, FramePiecesOfLargeAndTinyButtons) {
    // Clockwise from the top-left, a corner then its edge: 64 x 25 skin source, 73 x 25 face dest.
    const PixelRect expected[8][2] = {
        {{0, 0, 4, 4}, {0, 0, 4, 4}},     {{4, 0, 56, 4}, {4, 0, 65, 4}},
        {{60, 0, 4, 4}, {69, 0, 4, 4}},   {{60, 4, 4, 17}, {69, 4, 4, 17}},
        {{60, 21, 4, 4}, {69, 21, 4, 4}}, {{4, 21, 56, 4}, {4, 21, 65, 4}},
        {{0, 21, 4, 4}, {0, 21, 4, 4}},   {{0, 4, 4, 17}, {0, 4, 4, 17}},
    };
    const auto full = FramePieces(73, 25);
    ASSERT_EQ(full.size(), 8u);
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(full[i].source == expected[i][0] && full[i].dest == expected[i][1]) << i;
    // The "..." button squeezes its side strips into 13 px.
    const auto small = FramePieces(29, 21);
    ASSERT_EQ(small.size(), 8u);
    EXPECT_TRUE(small[3].dest == (PixelRect{25, 4, 4, 13}) &&
                small[6].dest == (PixelRect{0, 17, 4, 4}));
    // Under 8 pixels only what fits: no piece without area.
    EXPECT_TRUE(FramePieces(0, 25).empty() && FramePieces(25, 0).empty());
    EXPECT_EQ(FramePieces(6, 25).size(), 6u) << "no top or bottom edge left";
    EXPECT_EQ(FramePieces(8, 8).size(), 4u) << "corners only";
}

TEST(CommandGeometry, FaceGradientRunsFromItsTopVertex) {
    // White over the tint #C6C5D7, or the reverse; each channel in the high byte.
    for (bool reversed : {false, true}) {
        const FaceGradient g = MakeFaceGradient(73, 25, reversed);
        EXPECT_TRUE(g.vertex[0].x == 0 && g.vertex[0].y == 0);
        EXPECT_TRUE(g.vertex[1].x == 72 && g.vertex[1].y == 24);
        const GradientVertex& white = g.vertex[reversed ? 1 : 0];
        const GradientVertex& tint = g.vertex[reversed ? 0 : 1];
        EXPECT_TRUE(white.red == 0xFF00 && white.green == 0xFF00 && white.blue == 0xFF00);
        EXPECT_TRUE(tint.red == 0xC600 && tint.green == 0xC500 && tint.blue == 0xD700);
    }
}

TEST(CommandGeometry, CaptionSitsTenTwipsAboveCentre) {
    EXPECT_TRUE(CaptionRect(73, 25, 96) == (PixelRect{0, 5, 73, 13}));
    EXPECT_EQ(CaptionRect(29, 21, 96).y, 3);
    // At 120 dpi 31 px are 372 twips: the caption (372 - 215) / 2 = 78.5 twips, 7 px, down.
    EXPECT_TRUE(CaptionRect(91, 31, 120) == (PixelRect{0, 7, 91, 16}));
}
