#include "module_options.h"

#include <cstdio>
#include <cstring>

namespace stars {

namespace {

int digit_value(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

// Both spellings the daemon's modules accept: -name and --name.
bool is_option(const char* arg, const char* name) {
    if (arg[0] != '-')
        return false;
    if (arg[1] == '-')
        ++arg;
    return std::strcmp(arg + 1, name) == 0;
}

char message[160];

const char* fail(const char* format, const char* arg) {
    std::snprintf(message, sizeof message, format, arg);
    return message;
}

} // namespace

bool parse_window_id(const char* text, uint32_t& id) {
    int base = 10;
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text += 2;
    }
    if (*text == '\0')
        return false;
    uint64_t value = 0;
    for (; *text; ++text) {
        int digit = digit_value(*text, base);
        if (digit < 0)
            return false;
        value = value * base + digit;
        if (value > UINT32_MAX)
            return false;
    }
    if (value == 0)
        return false;
    id = static_cast<uint32_t>(value);
    return true;
}

const char* parse_module_options(int argc, const char* const* argv, const char* env_window,
                                 ModuleOptions& options) {
    options = ModuleOptions{};
    bool root = false;
    const char* window_arg = nullptr;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (is_option(arg, "root")) {
            root = true;
        } else if (is_option(arg, "fps")) {
            options.show_fps = true;
        } else if (is_option(arg, "window-id")) {
            if (i + 1 == argc)
                return fail("%s needs a window id", arg);
            window_arg = argv[++i];
        } else {
            return fail("unknown option %s", arg);
        }
    }
    // An empty variable counts as unset, as a shell's "VAR= cmd" means.
    if (!window_arg && env_window && *env_window) {
        if (!parse_window_id(env_window, options.window_id))
            return fail("XSCREENSAVER_WINDOW=%s is not a window id", env_window);
        options.target = DrawTarget::given_window;
    } else if (window_arg) {
        if (!parse_window_id(window_arg, options.window_id))
            return fail("%s is not a window id", window_arg);
        options.target = DrawTarget::given_window;
    } else if (root) {
        options.target = DrawTarget::root_window;
    }
    return nullptr;
}

} // namespace stars
