#include "screen_layout.h"

#include <gtest/gtest.h>

#include <vector>

using stars::ScreenRect;

// Window left, top, right, bottom, then the GL viewport while the client is the window.
std::vector<int32_t> Placed(const std::vector<ScreenRect>& monitors) {
    const ScreenRect primary{0, 0, 1920, 1080};
    auto l = stars::full_screen_layout(primary, monitors.data(), static_cast<int>(monitors.size()));
    const ScreenRect& w = l.window;
    auto v = stars::full_screen_viewport(l, w.right - w.left, w.bottom - w.top);
    return {w.left, w.top, w.right, w.bottom, v.x, v.y, v.width, v.height};
}

TEST(ScreenLayout, CoversEveryMonitorWithTheFieldOnThePrimary) {
    const ScreenRect primary{0, 0, 1920, 1080};
    using Px = std::vector<int32_t>;
    EXPECT_EQ(Placed({}), (Px{0, 0, 1920, 1080, 0, 0, 1920, 1080}));
    // Empty rectangles are skipped.
    EXPECT_EQ(Placed({{-100, -100, -100, 0}, {-500, -500, -600, 0}, primary}),
              (Px{0, 0, 1920, 1080, 0, 0, 1920, 1080}));
    // One on each side, the right one taller and reaching above; GL counts from the bottom.
    EXPECT_EQ(Placed({{-1024, 0, 0, 768}, primary, {1920, -300, 4480, 1140}}),
              (Px{-1024, -300, 4480, 1140, 1024, 1440 - 300 - 1080, 1920, 1080}));
}

TEST(ScreenLayout, MinimisedOrResizedTheViewFollowsTheClient) {
    const ScreenRect monitors[] = {{-1280, 0, 0, 1024}, {0, 0, 1920, 1080}};
    auto l = stars::full_screen_layout(monitors[1], monitors, 2);
    for (auto [width, height] : {std::pair<int32_t, int32_t>{0, 0}, {1920, 1080}}) {
        auto v = stars::full_screen_viewport(l, width, height);
        EXPECT_TRUE(v.x == 0 && v.y == 0 && v.width == width && v.height == height) << width;
    }
}
