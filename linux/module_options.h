// The module's command line and environment, read without any X11 call so that the rules
// the screen-saver daemon relies on are checked natively.
#pragma once

#include <cstdint>

namespace orvanne {

enum class DrawTarget {
    own_window,   // a 1024x768 window of the module's own
    given_window, // a window made by someone else (the daemon, a preview, a test)
    root_window,
};

// Sleep between frames, as the daemon's stock GL modules take it; it keeps the module's
// share of a core near theirs.
const uint32_t default_delay_us = 30000;
const uint32_t max_delay_us = 10000000;

struct ModuleOptions {
    DrawTarget target = DrawTarget::own_window;
    uint32_t window_id = 0; // for given_window
    bool show_fps = false;
    uint32_t delay_us = default_delay_us; // 0: frames back to back
    const char* display = nullptr;        // null: $DISPLAY
    bool help = false;
};

// Parses an X window id written in hex (0x...) or in decimal; gives false for anything
// else, including 0 and values beyond 32 bits.
bool parse_window_id(const char* text, uint32_t& id);

// Reads argv (argv[0] is the program) and the value of XSCREENSAVER_WINDOW (null when
// unset). Options take one dash or two; the last of -root and -window counts. A given
// window wins over -root: the daemon names its window in the environment and still
// passes -root; -window-id wins over the environment. Gives null on success, else a
// message naming the offending argument (kept in a static buffer until the next call).
const char* parse_module_options(int argc, const char* const* argv, const char* env_window,
                                 ModuleOptions& options);

// What --help prints.
extern const char module_usage[];

} // namespace orvanne
