#include "preview_geometry.h"

#include <gtest/gtest.h>

#include <climits>

using namespace orvanne;

namespace {

TEST(PreviewGeometry, HostSizeSurvivesTheTripThroughTwips) {
    for (int dpi : {96, 120, 144, 192}) {
        double tpp = TwipsPerPixel(dpi);
        for (int32_t pixels : {1, 100, 101, 112, 152, 320, 1023}) {
            int16_t twips = PixelsToFormTwips(pixels, tpp);
            EXPECT_EQ(FormTwipsToPixels(twips, tpp), pixels)
                << pixels << " px at " << dpi << " dpi went to " << twips << " twips";
        }
    }
}

TEST(PreviewGeometry, FormTakesTheHostSizeAtTheOrigin) {
    double tpp = TwipsPerPixel(96);
    PreviewLayout small = LayoutPreview({500, 400, 652, 512}, tpp, tpp);
    EXPECT_EQ(small.form_width_twips, 2280);
    EXPECT_EQ(small.form_height_twips, 1680);
    EXPECT_EQ(small.width, 152);
    EXPECT_EQ(small.height, 112);
    PreviewLayout large = LayoutPreview({-320, -240, 0, 0}, tpp, tpp);
    EXPECT_EQ(large.width, 320) << "the host's position does not matter, only its size";
    EXPECT_EQ(large.height, 240);
}

TEST(PreviewGeometry, SizeBeyond32767TwipsLeavesThatSideAtZero) {
    double tpp = TwipsPerPixel(96);
    PreviewLayout edge = LayoutPreview({0, 0, 2184, 100}, tpp, tpp);
    EXPECT_EQ(edge.form_width_twips, 32760);
    EXPECT_EQ(edge.width, 2184);
    PreviewLayout wide = LayoutPreview({0, 0, 2185, 100}, tpp, tpp);
    EXPECT_EQ(wide.form_width_twips, 0) << "2185 px is 32775 twips, too wide for 16 bits";
    EXPECT_EQ(wide.width, 0);
    EXPECT_EQ(wide.height, 100) << "the other side is unaffected";
    PreviewLayout tall = LayoutPreview({0, 0, 100, 5000}, tpp, TwipsPerPixel(192));
    EXPECT_EQ(tall.height, 0) << "5000 px at 7.5 twips a pixel is 37500 twips";
    EXPECT_EQ(LayoutPreview({0, 0, 100, 4368}, tpp, TwipsPerPixel(192)).height, 4368);
    double fine = TwipsPerPixel(2880);
    EXPECT_EQ(LayoutPreview({0, 0, 40000, 10}, fine, fine).width, 40000)
        << "the limit is in twips: at half a twip a pixel 40000 px still fit";
}

TEST(PreviewGeometry, GarbageHostOrDpiStaysWithinTheHost) {
    double tpp = TwipsPerPixel(96);
    EXPECT_DOUBLE_EQ(TwipsPerPixel(0), 15.0) << "an unreadable dpi must not divide by zero";
    PreviewLayout none = LayoutPreview({}, tpp, tpp);
    EXPECT_EQ(none.width, 0) << "a failed GetWindowRect leaves the rectangle all zero";
    EXPECT_EQ(none.height, 0);
    PreviewLayout inverted = LayoutPreview({100, 100, 50, 20}, tpp, tpp);
    EXPECT_EQ(inverted.width, 0);
    EXPECT_EQ(inverted.height, 0);
    PreviewLayout extreme = LayoutPreview({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, tpp, tpp);
    EXPECT_EQ(extreme.width, 0);
    EXPECT_EQ(extreme.height, 0);

    // 100 million dpi: one twip spans 69444 pixels.
    double coarse = TwipsPerPixel(100000000);
    EXPECT_EQ(LayoutPreview({0, 0, INT_MAX, 10}, coarse, coarse).width, INT_MAX)
        << "30924 twips back to pixels pass 32 bits";
    EXPECT_EQ(LayoutPreview({0, 0, 40000, 10}, coarse, coarse).width, 40000)
        << "one twip must not make the preview wider than its host";
}

} // namespace
