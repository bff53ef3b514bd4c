#include "module_options.h"

#include <cstdio>
#include <cstring>

namespace orvanne {

const char module_usage[] =
    "usage: orvanne [options]\n"
    "  -root            draw on the root window (the daemon passes it)\n"
    "  -window          draw in a 1024x768 window of its own (the default)\n"
    "  -window-id ID    draw into the window ID (hex 0x... or decimal)\n"
    "  -delay USECS     sleep between frames, in microseconds (default 30000; 0: none)\n"
    "  -fps, -no-fps    show or hide the frame rate\n"
    "  -display NAME    the X display (default $DISPLAY)\n"
    "  -help            show this and exit\n"
    "Taken and ignored, as other modules of the daemon take them:\n"
    "  -visual ID|default, -install, -noinstall, -mono, -pair\n"
    "Options take one dash or two. XSCREENSAVER_WINDOW, when set, names the window.\n";

namespace {

enum class Rule {
    root,
    window,
    window_id,
    delay,
    fps,
    no_fps,
    display,
    help,
    ignored,       // a flag that means nothing here
    ignored_value, // an option with a value that means nothing here
};

const struct {
    const char* name;
    Rule rule;
} rules[] = {
    {"root", Rule::root},
    {"window", Rule::window},
    {"window-id", Rule::window_id},
    {"delay", Rule::delay},
    {"fps", Rule::fps},
    {"no-fps", Rule::no_fps},
    {"display", Rule::display},
    {"help", Rule::help},
    {"h", Rule::help},
    {"install", Rule::ignored},
    {"noinstall", Rule::ignored},
    {"mono", Rule::ignored},
    {"pair", Rule::ignored},
    {"visual", Rule::ignored_value},
};

bool takes_value(Rule rule) {
    return rule == Rule::window_id || rule == Rule::delay || rule == Rule::display ||
           rule == Rule::ignored_value;
}

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
const Rule* find_rule(const char* arg) {
    if (arg[0] != '-')
        return nullptr;
    if (arg[1] == '-')
        ++arg;
    for (const auto& entry : rules)
        if (std::strcmp(arg + 1, entry.name) == 0)
            return &entry.rule;
    return nullptr;
}

bool parse_delay(const char* text, uint32_t& delay) {
    if (*text == '\0')
        return false;
    uint64_t value = 0;
    for (; *text; ++text) {
        int digit = digit_value(*text, 10);
        if (digit < 0)
            return false;
        value = value * 10 + digit;
        if (value > max_delay_us)
            return false;
    }
    delay = static_cast<uint32_t>(value);
    return true;
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
        const Rule* rule = find_rule(arg);
        if (!rule)
            return fail("unknown option %s", arg);
        const char* value = nullptr;
        if (takes_value(*rule)) {
            if (i + 1 == argc)
                return fail("%s needs a value", arg);
            value = argv[++i];
        }
        switch (*rule) {
        case Rule::root:
        case Rule::window:
            root = *rule == Rule::root;
            break;
        case Rule::window_id:
            window_arg = value;
            break;
        case Rule::delay:
            if (!parse_delay(value, options.delay_us))
                return fail("-delay takes microseconds from 0 to 10000000, not \"%s\"", value);
            break;
        case Rule::fps:
        case Rule::no_fps:
            options.show_fps = *rule == Rule::fps;
            break;
        case Rule::display:
            options.display = value;
            break;
        case Rule::help:
            options.help = true;
            return nullptr;
        case Rule::ignored:
        case Rule::ignored_value:
            break;
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

} // namespace orvanne
