// Where the full-screen window goes on a desktop of several monitors: over all of them,
// black, with the field and its overlay on the primary monitor alone.
#pragma once

#include <cstdint>

namespace stars {

// Screen coordinates; right and bottom are outside.
struct ScreenRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

struct ScreenLayout {
    ScreenRect window; // every monitor
    int32_t view_x;    // the primary monitor from the window's top left
    int32_t view_y;
    int32_t view_width; // the primary monitor's size
    int32_t view_height;
};

// The window covering the primary monitor and every monitor listed (empty rectangles are
// skipped, so an empty list gives the primary alone).
ScreenLayout full_screen_layout(ScreenRect primary, const ScreenRect* monitors, int count);

// A GL viewport: origin at the drawable's bottom left.
struct Viewport {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

// The viewport for a full-screen client of the given size: the primary monitor while the
// client is the laid-out window; the whole client otherwise (minimised, resized by the
// system).
Viewport full_screen_viewport(const ScreenLayout& layout, int32_t client_width,
                              int32_t client_height);

} // namespace stars
