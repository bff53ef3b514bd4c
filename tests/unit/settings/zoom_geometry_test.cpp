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

TEST(ZoomPoint, CursorReadTakesBothCoordinates) {
    ZoomPoint p = ZoomPointFromCursor({7, 9}, true, 400, 300);
    EXPECT_EQ(p.x, 400);
    EXPECT_EQ(p.y, 300);
    p = ZoomPointFromCursor({7, 9}, true, -1920, -1);
    EXPECT_EQ(p.x, -1920) << "monitors left of the primary have negative x";
    EXPECT_EQ(p.y, -1);
}

TEST(ZoomPoint, FailedCursorReadGivesScreenOrigin) {
    ZoomPoint p = ZoomPointFromCursor({400, 300}, false, 123, 456);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
}

TEST(ZoomPoint, CoordinateBeyond16BitsKeepsItsPreviousValue) {
    ZoomPoint p = ZoomPointFromCursor({11, 22}, true, 32768, 500);
    EXPECT_EQ(p.x, 11) << "x out of range keeps the old x";
    EXPECT_EQ(p.y, 500) << "y in range is still taken";
    p = ZoomPointFromCursor({11, 22}, true, 600, -32769);
    EXPECT_EQ(p.x, 600);
    EXPECT_EQ(p.y, 22);
    p = ZoomPointFromCursor({11, 22}, true, 32767, -32768);
    EXPECT_EQ(p.x, 32767) << "the 16-bit limits themselves fit";
    EXPECT_EQ(p.y, -32768);
    p = ZoomPointFromCursor({11, 22}, true, INT_MIN, INT_MAX);
    EXPECT_EQ(p.x, 11);
    EXPECT_EQ(p.y, 22);
}

TEST(ZoomFrame, StartsAtFromAndEndsAtTo) {
    ScreenRect point{400, 300, 400, 300};
    ScreenRect window{100, 50, 580, 302};
    EXPECT_TRUE(SameRect(ZoomFrame(point, window, 0, 10), point));
    EXPECT_TRUE(SameRect(ZoomFrame(point, window, 10, 10), window));
    EXPECT_TRUE(SameRect(ZoomFrame(point, window, 5, 10), {250, 175, 490, 301}));
    EXPECT_TRUE(SameRect(ZoomFrame(window, point, 5, 10), {250, 175, 490, 301}))
        << "the way back passes the same halfway frame";
}

TEST(ZoomFrame, EveryFrameStaysBetweenTheRectangles) {
    ScreenRect point{400, 300, 400, 300};
    ScreenRect window{100, 50, 580, 302};
    ScreenRect last = point;
    for (int f = 1; f <= 10; ++f) {
        ScreenRect r = ZoomFrame(point, window, f, 10);
        EXPECT_LE(r.left, last.left) << "frame " << f << " grows leftwards";
        EXPECT_LE(r.top, last.top) << "frame " << f;
        EXPECT_GE(r.right, last.right) << "frame " << f;
        EXPECT_GE(r.bottom, last.bottom) << "frame " << f;
        EXPECT_GE(r.left, window.left) << "frame " << f << " stays inside the window";
        EXPECT_LE(r.bottom, window.bottom) << "frame " << f;
        last = r;
    }
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
