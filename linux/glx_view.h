// The X11 side of the module: the window it draws on, that window's GLX context and the
// overlay's glyph lists.
#pragma once

#include <X11/Xlib.h>

#include <GL/glx.h>

#include "module_options.h"
#include "screen_layout.h"

struct GlxView {
    Display* display = nullptr;
    Window window = 0;
    bool own_window = false; // made here, so also taken down here
    Colormap colormap = 0;
    Cursor blank_cursor = 0;
    Atom delete_window = 0;
    GLXContext context = nullptr;
    int width = 0;
    int height = 0;
    bool mapped = true;
    unsigned glyph_base = 0;  // 0 when no font could be loaded: the overlay is left out
    bool per_monitor = false; // the root window: a field on each of its monitors
    orvanne::ScreenLayout layout = {};
};

// Connects, finds or makes the window and makes a context current on it. Gives null on
// success, else the failed step; what was set up stays in view for close_view.
const char* open_view(GlxView& view, const orvanne::ModuleOptions& options);

// Releases the context, the glyphs and a window of its own, then the connection.
void close_view(GlxView& view);
