#include "screen_layout.h"

#include <algorithm>

namespace stars {

ScreenLayout full_screen_layout(ScreenRect primary, const ScreenRect* monitors, int count) {
    ScreenRect all = primary;
    for (int i = 0; i < count; ++i) {
        const ScreenRect& m = monitors[i];
        if (m.right <= m.left || m.bottom <= m.top)
            continue;
        all.left = std::min(all.left, m.left);
        all.top = std::min(all.top, m.top);
        all.right = std::max(all.right, m.right);
        all.bottom = std::max(all.bottom, m.bottom);
    }
    return {all, primary.left - all.left, primary.top - all.top, primary.right - primary.left,
            primary.bottom - primary.top};
}

Viewport full_screen_viewport(const ScreenLayout& layout, int32_t client_width,
                              int32_t client_height) {
    if (client_width != layout.window.right - layout.window.left ||
        client_height != layout.window.bottom - layout.window.top)
        return {0, 0, client_width, client_height};
    return {layout.view_x, client_height - layout.view_y - layout.view_height, layout.view_width,
            layout.view_height};
}

} // namespace stars
