#include "screen_layout.h"

#include <gtest/gtest.h>

using stars::ScreenRect;

namespace {

const ScreenRect primary{0, 0, 1920, 1080};

void expect_window(const stars::ScreenLayout& l, ScreenRect r, const char* what) {
    EXPECT_EQ(l.window.left, r.left) << what;
    EXPECT_EQ(l.window.top, r.top) << what;
    EXPECT_EQ(l.window.right, r.right) << what;
    EXPECT_EQ(l.window.bottom, r.bottom) << what;
    EXPECT_EQ(l.view_width, 1920) << what << ": the view is the primary monitor";
    EXPECT_EQ(l.view_height, 1080) << what << ": the view is the primary monitor";
}

// The GL viewport when the client is the whole window.
stars::Viewport viewport(const stars::ScreenLayout& l) {
    return stars::full_screen_viewport(l, l.window.right - l.window.left,
                                       l.window.bottom - l.window.top);
}

} // namespace

TEST(ScreenLayout, OneMonitorIsTheWholeWindowAndView) {
    for (int count : {0, 1}) {
        auto l = stars::full_screen_layout(primary, &primary, count);
        expect_window(l, primary, "one monitor");
        auto v = viewport(l);
        EXPECT_EQ(v.x, 0);
        EXPECT_EQ(v.y, 0);
        EXPECT_EQ(v.width, 1920);
        EXPECT_EQ(v.height, 1080);
    }
}

TEST(ScreenLayout, CoversMonitorsOnEverySideWithTheFieldOnThePrimary) {
    // A smaller monitor to the left, its top lower than the primary's.
    ScreenRect left[] = {{-1280, 200, 0, 1224}, primary};
    auto l = stars::full_screen_layout(primary, left, 2);
    expect_window(l, {-1280, 0, 1920, 1224}, "left");
    auto v = viewport(l);
    EXPECT_EQ(v.x, 1280);
    EXPECT_EQ(v.y, 1224 - 1080) << "GL counts from the bottom: the primary is at the top";

    // A taller monitor above, shifted right.
    ScreenRect above[] = {primary, {500, -1440, 3060, 0}};
    l = stars::full_screen_layout(primary, above, 2);
    expect_window(l, {0, -1440, 3060, 1080}, "above");
    v = viewport(l);
    EXPECT_EQ(v.x, 0);
    EXPECT_EQ(v.y, 0) << "the primary is at the bottom of the window";

    // One on each side, the right one taller and reaching above.
    ScreenRect both[] = {{-1024, 0, 0, 768}, primary, {1920, -300, 4480, 1140}};
    l = stars::full_screen_layout(primary, both, 3);
    expect_window(l, {-1024, -300, 4480, 1140}, "both sides");
    v = viewport(l);
    EXPECT_EQ(v.x, 1024);
    EXPECT_EQ(v.y, 1440 - 300 - 1080);
    EXPECT_EQ(v.width, 1920);
}

TEST(ScreenLayout, SkipsEmptyMonitorsAndFallsBackToTheClient) {
    ScreenRect odd[] = {{0, 0, 0, 0}, {-500, -500, -600, 0}, primary};
    expect_window(stars::full_screen_layout(primary, odd, 3), primary, "empty rectangles");

    // Minimised (zero size) or resized by the system: the view follows the client.
    ScreenRect left[] = {{-1280, 0, 0, 1024}, primary};
    auto l = stars::full_screen_layout(primary, left, 2);
    for (auto size : {std::pair<int, int>{0, 0}, {1920, 1080}}) {
        auto v = stars::full_screen_viewport(l, size.first, size.second);
        EXPECT_EQ(v.x, 0);
        EXPECT_EQ(v.y, 0);
        EXPECT_EQ(v.width, size.first);
        EXPECT_EQ(v.height, size.second);
    }
}
