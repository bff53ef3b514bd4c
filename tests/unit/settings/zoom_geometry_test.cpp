#include "zoom_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

using namespace orvanne;

TEST(ZoomPoint, TakesTheCursorWhereItFits16Bits) {
    const std::tuple<bool, int32_t, int32_t, int, int> cases[] = {
        {true, -1920, -1, -1920, -1},         {false, 123, 456, 0, 0},
        {true, 32768, 500, 11, 500},          {true, 600, -32769, 600, 22},
        {true, 32767, -32768, 32767, -32768},
    };
    for (auto [read, x, y, wantX, wantY] : cases) {
        ZoomPoint p = ZoomPointFromCursor({11, 22}, read, x, y);
        EXPECT_EQ(std::make_pair(int(p.x), int(p.y)), std::make_pair(wantX, wantY))
            << x << "," << y;
    }
}

TEST(ZoomFrame, MovesEachSideAlongTheWayAndClampsTheFrame) {
    ScreenRect point = ZoomRectAt({400, 300});
    ScreenRect window{100, 50, 580, 302};
    EXPECT_EQ(ZoomFrame(point, window, 2, 10), (ScreenRect{340, 250, 436, 300}));
    EXPECT_EQ(ZoomFrame(point, window, -3, 10), point);
    EXPECT_EQ(ZoomFrame(point, window, 11, 10), window);
    ScreenRect mid = ZoomFrame({INT_MIN, 0, 0, 0}, {INT_MAX, 0, 0, 0}, 1, 2);
    EXPECT_TRUE(mid.left == 0 || mid.left == -1) << "the widest move's halfway: " << mid.left;
}

TEST(CaptionStrip, IsTheTopOfTheFrameNoTallerThanIt) {
    EXPECT_EQ(CaptionStrip({10, 20, 200, 25}, 18), (ScreenRect{10, 20, 200, 25}));
    EXPECT_EQ(CaptionStrip({0, INT_MAX - 2, 5, INT_MAX}, 18),
              (ScreenRect{0, INT_MAX - 2, 5, INT_MAX}));
}
