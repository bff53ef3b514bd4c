#include "preview_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

using namespace orvanne;

// The form's size is held in 16-bit twips: a side that does not fit is 0.
TEST(PreviewGeometry, FormTakesTheHostSizeWhereItFits16BitTwips) {
    const double t96 = TwipsPerPixel(96), t110 = TwipsPerPixel(110), t192 = TwipsPerPixel(192);
    const double fine = TwipsPerPixel(2880), coarse = TwipsPerPixel(100000000);
    const std::tuple<ScreenRect, double, double, int32_t, int32_t, const char*> cases[] = {
        {{500, 400, 652, 512}, t96, t96, 152, 112, "the host's size, not its position"},
        {{0, 0, 101, 152}, t110, t110, 101, 152, "back from twips to the nearest pixel"},
        {{0, 0, 2185, 100}, t96, t96, 0, 100, "32775 twips do not; the other side stays"},
        {{0, 0, 4700, 100}, t96, t96, 0, 100, "70500 twips do not wrap round"},
        {{0, 0, 100, 5000}, t96, t192, 100, 0, "37500 twips at 7.5 twips a pixel"},
        {{0, 0, 100, 4368}, t96, t192, 100, 4368, "32760 twips at 7.5 twips a pixel"},
        {{0, 0, 40000, 10}, fine, fine, 40000, 10, "at half a twip a pixel 40000 px fit"},
        {{100, 100, 50, 20}, t96, t96, 0, 0, "an inverted rectangle"},
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, t96, t96, 0, 0, "a rectangle wider than 32 bits"},
        // At 100 million dpi one twip spans 69444 pixels.
        {{0, 0, INT_MAX, 10}, coarse, coarse, INT_MAX, 0, "twips back to pixels pass 32 bits"},
        {{0, 0, 40000, 10}, coarse, coarse, 40000, 0, "one twip is never wider than the host"},
    };
    EXPECT_DOUBLE_EQ(TwipsPerPixel(0), 15.0) << "an unreadable dpi must not divide by zero";
    for (const auto& [host, tppX, tppY, width, height, why] : cases) {
        PreviewLayout layout = LayoutPreview(host, tppX, tppY);
        EXPECT_EQ(std::make_pair(layout.width, layout.height), std::make_pair(width, height))
            << why;
    }
}
