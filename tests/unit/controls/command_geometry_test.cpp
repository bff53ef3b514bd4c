#include "command_geometry.h"

#include <gtest/gtest.h>

namespace orvanne {
namespace {

TEST(CommandGeometry, TwipsAtTheRealResolution) {
    EXPECT_EQ(TwipsToPixels(375, 96), 25);
    EXPECT_EQ(TwipsToPixels(315, 96), 21);
    EXPECT_EQ(TwipsToPixels(1, 96), 0) << "an offset of 1 twip falls on pixel 0";
    EXPECT_EQ(TwipsToPixels(375, 120), 31);
    EXPECT_EQ(TwipsToPixels(-15, 96), -1);
    EXPECT_EQ(PixelsToTwips(25, 96), 375);
    EXPECT_EQ(PixelsToTwips(25, 144), 250);
}

TEST(CommandGeometry, FrameOfA25And21PixelButton) {
    const auto full = FramePieces(73, 25);
    ASSERT_EQ(full.size(), 8u);
    // Corners, then edges stretched between them, clockwise from the top-left.
    EXPECT_EQ(full[2].dest.x, 69);
    EXPECT_EQ(full[4].dest.y, 21);
    EXPECT_EQ(full[1].dest.width, 65);
    EXPECT_EQ(full[1].source.width, 56);
    // At 25 px the side strips keep their natural 17 px ...
    EXPECT_EQ(full[3].dest.height, 17);
    EXPECT_EQ(full[7].dest.height, full[7].source.height);
    for (const auto& p : full) {
        EXPECT_LE(p.source.x + p.source.width, kSkinWidth);
        EXPECT_LE(p.source.y + p.source.height, kSkinHeight);
    }
    // ... and the "..." button squeezes them.
    const auto small = FramePieces(29, 21);
    ASSERT_EQ(small.size(), 8u);
    EXPECT_EQ(small[3].dest.height, 13);
    EXPECT_EQ(small[6].dest.y, 17);
}

TEST(CommandGeometry, ButtonsUnderEightPixelsDrawOnlyWhatFits) {
    for (int w : {0, 1, 4, 7, 8})
        for (int h : {0, 1, 5, 8}) {
            for (const auto& p : FramePieces(w, h)) {
                EXPECT_GT(p.dest.width, 0) << w << "x" << h;
                EXPECT_GT(p.dest.height, 0) << w << "x" << h;
            }
        }
    EXPECT_TRUE(FramePieces(0, 25).empty());
    EXPECT_EQ(FramePieces(6, 25).size(), 6u) << "no top or bottom edge left";
    EXPECT_EQ(FramePieces(8, 8).size(), 4u) << "corners only";
}

TEST(CommandGeometry, CaptionSitsTenTwipsAboveCentre) {
    EXPECT_FLOAT_EQ(CaptionTopTwips(375), 80.0f);
    EXPECT_FLOAT_EQ(CaptionTopTwips(315), 50.0f);
    const PixelRect r = CaptionRect(73, 25, 96);
    EXPECT_EQ(r.y, 5);
    EXPECT_EQ(r.height, 13);
    EXPECT_EQ(r.width, 73);
    EXPECT_EQ(CaptionRect(29, 21, 96).y, 3);
}

} // namespace
} // namespace orvanne
