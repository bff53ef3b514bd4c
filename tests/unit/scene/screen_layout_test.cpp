#include "screen_layout.h"

#include <gtest/gtest.h>

#include <vector>

using namespace stars;

namespace {

// Window left, top, right, bottom; the primary view's index; then x, y, width, height of
// each view.
using Placed = std::vector<int32_t>;

Placed place(const std::vector<Monitor>& monitors) {
    const ScreenLayout l =
        full_screen_layout(monitors.data(), static_cast<int>(monitors.size()), {0, 0, 800, 600});
    const ScreenRect& w = l.window;
    const FieldViews f = full_screen_views(l, w.right - w.left, w.bottom - w.top);
    Placed out = {w.left, w.top, w.right, w.bottom, f.primary};
    for (int i = 0; i < f.count; ++i)
        out.insert(out.end(), {f.views[i].x, f.views[i].y, f.views[i].width, f.views[i].height});
    return out;
}

const Monitor primary = {{0, 0, 1920, 1080}, true};

} // namespace

TEST(ScreenLayout, AViewForEveryMonitorInAWindowOverAll) {
    const struct {
        const char* layout;
        std::vector<Monitor> monitors;
        Placed expected;
    } rows[] = {
        {"one monitor", {primary}, {0, 0, 1920, 1080, 0, 0, 0, 1920, 1080}},
        // GL counts rows from the window's bottom.
        {"left, lower down",
         {primary, {{-1024, 128, 0, 896}, false}},
         {-1024, 0, 1920, 1080, 0, 1024, 0, 1920, 1080, 0, 184, 1024, 768}},
        {"right, taller, listed first",
         {{{1920, -300, 4480, 1140}, false}, primary},
         {0, -300, 4480, 1140, 1, 1920, 0, 2560, 1440, 0, 60, 1920, 1080}},
        {"above and below",
         {{{200, -768, 1224, 0}, false}, primary, {{0, 1080, 1280, 2104}, false}},
         {0, -768, 1920, 2104, 1, 200, 2104, 1024, 768, 0, 1024, 1920, 1080, 0, 0, 1280, 1024}},
        {"none flagged: the first is the primary",
         {{{-1024, 0, 0, 768}, false}, {{0, 0, 1920, 1080}, false}},
         {-1024, 0, 1920, 1080, 0, 0, 312, 1024, 768, 1024, 0, 1920, 1080}},
        {"empty and repeated rectangles are skipped",
         {{{-100, -100, -100, 0}, false}, primary, {{5, 5, 0, 0}, true}, primary},
         {0, 0, 1920, 1080, 0, 0, 0, 1920, 1080}},
        {"no monitor: the fallback alone", {}, {0, 0, 800, 600, 0, 0, 0, 800, 600}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(place(row.monitors), row.expected) << row.layout;
}

TEST(ScreenLayout, MinimisedOrResizedOneViewFollowsTheClient) {
    const Monitor monitors[] = {{{-1280, 0, 0, 1024}, false}, primary};
    const ScreenLayout l = full_screen_layout(monitors, 2, {0, 0, 1, 1});
    for (auto [width, height] : {std::pair<int32_t, int32_t>{0, 0}, {1920, 1080}}) {
        const FieldViews f = full_screen_views(l, width, height);
        const Viewport& v = f.views[0];
        EXPECT_TRUE(f.count == 1 && v.x == 0 && v.y == 0 && v.width == width && v.height == height)
            << width;
    }
    EXPECT_EQ(full_screen_views(l, 3200, 1080).count, 2);
}
