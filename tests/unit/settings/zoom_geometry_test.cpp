#include "zoom_geometry.h"

#include <gtest/gtest.h>

#include <climits>

using namespace orvanne;

namespace {

::testing::AssertionResult SameRect(const ScreenRect& got, const ScreenRect& want) {
    if (got == want)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got (" << got.left << ", " << got.top << ", " << got.right << ", " << got.bottom
           << "), want (" << want.left << ", " << want.top << ", " << want.right << ", "
           << want.bottom << ")";
}

TEST(ZoomPoint, TakesTheCursorWhereItFits16Bits) {
    const struct {
        bool read;
        int32_t x, y;
        int16_t wantX, wantY;
        const char* why;
    } cases[] = {
        {true, 400, 300, 400, 300, "both taken"},
        {true, -1920, -1, -1920, -1, "monitors left of the primary have negative x"},
        {false, 123, 456, 0, 0, "a failed read gives the screen origin"},
        {true, 32768, 500, 11, 500, "x out of range keeps the old x"},
        {true, 600, -32769, 600, 22, "y out of range keeps the old y"},
        {true, 32767, -32768, 32767, -32768, "the 16-bit limits themselves fit"},
        {true, INT_MIN, INT_MAX, 11, 22, "both out of range"},
    };
    for (const auto& c : cases) {
        ZoomPoint p = ZoomPointFromCursor({11, 22}, c.read, c.x, c.y);
        EXPECT_TRUE(p.x == c.wantX && p.y == c.wantY)
            << c.why << ": got " << p.x << "," << p.y << ", want " << c.wantX << "," << c.wantY;
    }
}

TEST(ZoomFrame, StartsAtFromAndEndsAtTo) {
    ScreenRect point{400, 300, 400, 300};
    ScreenRect window{100, 50, 580, 302};
    EXPECT_TRUE(SameRect(ZoomFrame(point, window, 0, 10), point));
    EXPECT_TRUE(SameRect(ZoomFrame(point, window, 10, 10), window));
    EXPECT_TRUE(SameRect(ZoomFrame(point, window, 5, 10), {250, 175, 490, 301}));
    EXPECT_TRUE(SameRect(ZoomFrame(point, window, 2, 10), {340, 250, 436, 300}))
        << "each frame a tenth further along the way";
    EXPECT_TRUE(SameRect(ZoomFrame(window, point, 5, 10), {250, 175, 490, 301}))
        << "the way back passes the same halfway frame";
}

TEST(ZoomFrame, OutOfRangeFramesAndExtremeRectanglesAreSafe) {
    ScreenRect a{INT_MIN, INT_MIN, INT_MIN, INT_MIN};
    ScreenRect b{INT_MAX, INT_MAX, INT_MAX, INT_MAX};
    EXPECT_TRUE(SameRect(ZoomFrame(a, b, -3, 10), a));
    EXPECT_TRUE(SameRect(ZoomFrame(a, b, 11, 10), b));
    EXPECT_TRUE(SameRect(ZoomFrame(a, b, 1, 0), b)) << "no frames means arriving at once";
    ScreenRect mid = ZoomFrame(a, b, 1, 2);
    EXPECT_GE(mid.left, -1) << "the halfway frame of the widest move lies near 0";
    EXPECT_LE(mid.left, 0);
}

TEST(CaptionStrip, IsTheTopOfTheFrameNoTallerThanIt) {
    EXPECT_TRUE(SameRect(CaptionStrip({10, 20, 200, 300}, 18), {10, 20, 200, 38}));
    EXPECT_TRUE(SameRect(CaptionStrip({10, 20, 200, 25}, 18), {10, 20, 200, 25}));
    EXPECT_TRUE(SameRect(CaptionStrip({400, 300, 400, 300}, 18), {400, 300, 400, 300}));
    EXPECT_TRUE(
        SameRect(CaptionStrip({0, INT_MAX - 2, 5, INT_MAX}, 18), {0, INT_MAX - 2, 5, INT_MAX}));
}

} // namespace
