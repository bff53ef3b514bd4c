#include "screen_layout.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orvanne;

namespace {

const Monitor primary = {{0, 0, 1920, 1080}, true};

// Window left, top, right, bottom; the primary view's index; then each view's x, y, width,
// height for a client of the given size (the window's by default).
std::vector<int32_t> place(const std::vector<Monitor>& monitors, int32_t width = -1,
                           int32_t height = -1) {
    const ScreenLayout l =
        full_screen_layout(monitors.data(), static_cast<int>(monitors.size()), {0, 0, 800, 600});
    const ScreenRect& w = l.window;
    const FieldViews f = width >= 0 ? full_screen_views(l, width, height)
                                    : full_screen_views(l, w.right - w.left, w.bottom - w.top);
    std::vector<int32_t> out = {w.left, w.top, w.right, w.bottom, f.primary};
    for (const Viewport& v : std::vector<Viewport>(f.views, f.views + f.count))
        out.insert(out.end(), {v.x, v.y, v.width, v.height});
    return out;
}

} // namespace

TEST(ScreenLayout, AViewForEveryMonitorInAWindowOverAll) {
    using Px = std::vector<int32_t>;
    EXPECT_EQ(place({primary}), (Px{0, 0, 1920, 1080, 0, 0, 0, 1920, 1080}));
    // GL counts rows from the window's bottom.
    EXPECT_EQ(place({primary, {{-1024, 128, 0, 896}, false}}), // left, lower down
              (Px{-1024, 0, 1920, 1080, 0, 1024, 0, 1920, 1080, 0, 184, 1024, 768}));
    EXPECT_EQ(place({{{1920, -300, 4480, 1140}, false}, primary}), // right, taller, listed first
              (Px{0, -300, 4480, 1140, 1, 1920, 0, 2560, 1440, 0, 60, 1920, 1080}));
    EXPECT_EQ( // above and below
        place({{{200, -768, 1224, 0}, false}, primary, {{0, 1080, 1280, 2104}, false}}),
        (Px{0, -768, 1920, 2104, 1, 200, 2104, 1024, 768, 0, 1024, 1920, 1080, 0, 0, 1280, 1024}));
    EXPECT_EQ(place({{{-1024, 0, 0, 768}, false}, {{0, 0, 1920, 1080}, false}}), // none flagged
              (Px{-1024, 0, 1920, 1080, 0, 0, 312, 1024, 768, 1024, 0, 1920, 1080}))
        << "the first is the primary";
    EXPECT_EQ(place({{{-100, -100, -100, 0}, false}, primary, {{5, 5, 0, 0}, true}, primary}),
              (Px{0, 0, 1920, 1080, 0, 0, 0, 1920, 1080})); // empty and repeated ones skipped
    EXPECT_EQ(place({}), (Px{0, 0, 800, 600, 0, 0, 0, 800, 600})) << "no monitor: the fallback";
    // Minimised, or resized by the system: one view over the client.
    for (int32_t width : {0, 1920})
        EXPECT_EQ(place({primary, {{-1280, 0, 0, 1024}, false}}, width, 1080 * (width > 0)),
                  (Px{-1280, 0, 1920, 1080, 0, 0, 0, width, 1080 * (width > 0)}));
}
