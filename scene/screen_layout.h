// Where the fields go on a desktop of one or more monitors: a window over all of them and,
// inside it, one view per monitor, the overlay on the primary's.
#pragma once

#include <cstdint>

#include "screen_rect.h"

namespace orvanne {

struct Monitor {
    ScreenRect rect;
    bool primary;
};

// A GL viewport: origin at the drawable's bottom left.
struct Viewport {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

constexpr int max_monitors = 16;

// The views of one drawable, each with a field of its own and a projection for its own
// width and height.
struct FieldViews {
    int32_t count;   // 1..max_monitors
    int32_t primary; // the view that carries the overlay
    Viewport views[max_monitors];
};

struct ScreenLayout {
    ScreenRect window; // every monitor
    FieldViews fields; // while the client is the window
};

// The layout of the monitors listed (at most max_monitors are read). Empty rectangles and
// repeats of an earlier one are skipped; the primary is the first one flagged, else the
// first kept. With none kept, fallback alone is the desktop.
ScreenLayout full_screen_layout(const Monitor* monitors, int count, ScreenRect fallback);

// One view over the whole client.
FieldViews whole_client(int32_t width, int32_t height);

// The views for a full-screen client of the given size: the layout's while the client is
// the laid-out window; the whole client otherwise (minimised, resized by the system).
FieldViews full_screen_views(const ScreenLayout& layout, int32_t client_width,
                             int32_t client_height);

} // namespace orvanne
