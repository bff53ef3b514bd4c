#include "screen_layout.h"

#include <algorithm>

namespace orvanne {

namespace {

// The monitors to draw on, in the order given.
int kept_monitors(const Monitor* monitors, int count, Monitor* kept) {
    int n = 0;
    for (int i = 0; i < std::min(count, max_monitors); ++i) {
        const ScreenRect& r = monitors[i].rect;
        if (r.right <= r.left || r.bottom <= r.top)
            continue;
        // A mirrored monitor listed twice would blend two fields into one picture.
        if (std::any_of(kept, kept + n, [&](const Monitor& m) { return m.rect == r; }))
            continue;
        kept[n++] = monitors[i];
    }
    return n;
}

} // namespace

ScreenLayout full_screen_layout(const Monitor* monitors, int count, ScreenRect fallback) {
    Monitor kept[max_monitors];
    int n = kept_monitors(monitors, count, kept);
    if (n == 0) {
        kept[0] = {fallback, true};
        n = 1;
    }
    ScreenLayout layout = {kept[0].rect, {n, 0, {}}};
    ScreenRect& all = layout.window;
    for (int i = 0; i < n; ++i) {
        const ScreenRect& r = kept[i].rect;
        all.left = std::min(all.left, r.left);
        all.top = std::min(all.top, r.top);
        all.right = std::max(all.right, r.right);
        all.bottom = std::max(all.bottom, r.bottom);
    }
    for (int i = n - 1; i >= 0; --i) {
        const ScreenRect& r = kept[i].rect;
        // GL counts rows from the bottom of the window.
        layout.fields.views[i] = {r.left - all.left, all.bottom - r.bottom, r.right - r.left,
                                  r.bottom - r.top};
        if (kept[i].primary)
            layout.fields.primary = i;
    }
    return layout;
}

FieldViews whole_client(int32_t width, int32_t height) {
    return {1, 0, {{0, 0, width, height}}};
}

FieldViews full_screen_views(const ScreenLayout& layout, int32_t client_width,
                             int32_t client_height) {
    if (client_width != layout.window.right - layout.window.left ||
        client_height != layout.window.bottom - layout.window.top)
        return whole_client(client_width, client_height);
    return layout.fields;
}

} // namespace orvanne
