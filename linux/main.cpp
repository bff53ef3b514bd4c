// Program entry: options, the window, and a loop that draws a frame, sleeps the delay and
// draws again until a signal, Esc, the close button or the loss of the window ends it.
#include "field_scene.h"
#include "glx_view.h"
#include "jewel_field.h"
#include "module_options.h"
#include "stopwatch.h"

#include <X11/keysym.h>

#include <GL/gl.h>

#include <poll.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

class MonotonicCounter : public orvanne::Counter {
  public:
    int64_t now() override {
        timespec time;
        clock_gettime(CLOCK_MONOTONIC, &time);
        return static_cast<int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
    }
    int64_t frequency() override { return 1000000000; }
};

struct Module {
    GlxView view;
    int64_t delay_ns = 0;
    orvanne::FieldScene scene;
    orvanne::FieldViews views = {};
    orvanne::FrameRate rate;
    MonotonicCounter counter;
    bool show_fps = false;
    bool ended = false;
};

volatile std::sig_atomic_t stop_signal = 0;

// Set by the X error handler. Errors about the window once drawing has begun mean it was
// destroyed under the module (the daemon's or a test's window), which ends it cleanly.
Window drawn_window = 0;
bool window_lost = false;
bool x_failed = false;

void on_stop_signal(int number) {
    stop_signal = number;
}

int on_x_error(Display* display, XErrorEvent* error) {
    if (drawn_window != 0 && error->resourceid == drawn_window) {
        window_lost = true;
        return 0;
    }
    char text[128];
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "orvanne: X error: %s\n", text);
    x_failed = true;
    return 0;
}

void install_signal_handlers() {
    struct sigaction action = {};
    action.sa_handler = on_stop_signal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a signal must also end the wait for events of an unmapped window.
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

void reshape(Module& module) {
    const GlxView& view = module.view;
    module.views = view.per_monitor
                       ? orvanne::full_screen_views(view.layout, view.width, view.height)
                       : orvanne::whole_client(view.width, view.height);
    orvanne::restart_frame_rate(module.rate, module.counter);
}

void on_configure(Module& module, const XConfigureEvent& event) {
    if (event.width == module.view.width && event.height == module.view.height)
        return;
    module.view.width = event.width;
    module.view.height = event.height;
    reshape(module);
}

void on_key(Module& module, XKeyEvent& event) {
    if (XLookupKeysym(&event, 0) == XK_Escape)
        module.ended = true;
}

void on_client_message(Module& module, const XClientMessageEvent& event) {
    if (static_cast<Atom>(event.data.l[0]) == module.view.delete_window)
        module.ended = true;
}

void handle_event(Module& module, XEvent& event) {
    if (event.xany.window != module.view.window)
        return;
    switch (event.type) {
    case ConfigureNotify:
        on_configure(module, event.xconfigure);
        break;
    case MapNotify:
        module.view.mapped = true;
        reshape(module);
        break;
    case UnmapNotify:
        module.view.mapped = false;
        break;
    case DestroyNotify:
        module.ended = true;
        break;
    case KeyPress:
        on_key(module, event.xkey);
        break;
    case ClientMessage:
        on_client_message(module, event.xclient);
        break;
    }
}

void draw_frame(Module& module, orvanne::SeededRandom& random) {
    orvanne::draw_scene_frame(module.scene, module.views, module.rate, module.counter, random,
                              module.show_fps ? module.view.glyph_base : 0);
    glXSwapBuffers(module.view.display, module.view.window);
}

// A signal or an event ends the wait early.
void wait_for_events(Display* display, int64_t ns) {
    pollfd connection = {ConnectionNumber(display), POLLIN, 0};
    timespec timeout = {static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
    ppoll(&connection, 1, &timeout, nullptr);
}

void run(Module& module, orvanne::SeededRandom& random) {
    Display* display = module.view.display;
    int64_t next_frame = module.counter.now();
    while (!stop_signal && !module.ended && !window_lost && !x_failed) {
        while (XPending(display) && !module.ended) {
            XEvent event;
            XNextEvent(display, &event);
            handle_event(module, event);
        }
        if (module.ended || window_lost || x_failed)
            break;
        // While the window is unmapped nothing is drawn. Waits are cut into short slices:
        // a signal that lands just before one begins is then seen soon after.
        int64_t wait = module.view.mapped ? next_frame - module.counter.now() : 100000000;
        if (wait > 0) {
            wait_for_events(display, std::min<int64_t>(wait, 100000000));
            continue;
        }
        draw_frame(module, random);
        next_frame = module.counter.now() + module.delay_ns;
    }
}

} // namespace

int main(int argc, char** argv) {
    orvanne::ModuleOptions options;
    if (const char* error = orvanne::parse_module_options(
            argc, argv, std::getenv("XSCREENSAVER_WINDOW"), options)) {
        std::fprintf(stderr, "orvanne: %s\n%s", error, orvanne::module_usage);
        return 1;
    }
    if (options.help) {
        std::fputs(orvanne::module_usage, stdout);
        return 0;
    }
    install_signal_handlers();
    XSetErrorHandler(on_x_error);

    static Module module;
    module.show_fps = options.show_fps;
    module.delay_ns = static_cast<int64_t>(options.delay_us) * 1000;
    orvanne::SeededRandom random(static_cast<uint32_t>(std::time(nullptr)));
    if (orvanne::init_field(module.scene, random) != 0)
        return 1;
    const char* failed = open_view(module.view, options);
    if (!failed && orvanne::init_field_gl(module.scene) != 0)
        failed = "init_field_gl";
    // Short of memory the monitors beyond the fields made stay black.
    if (!failed && orvanne::add_fields(module.scene, module.view.layout.fields.count, random) != 0)
        std::fputs("orvanne: fields for every monitor: out of memory\n", stderr);
    if (failed || x_failed) {
        std::fprintf(stderr, "orvanne: %s failed\n", failed ? failed : "X setup");
        close_view(module.view);
        orvanne::free_field(module.scene);
        return 1;
    }
    drawn_window = module.view.window;
    reshape(module);
    run(module, random);

    orvanne::free_field_gl(module.scene);
    close_view(module.view);
    orvanne::free_field(module.scene);
    if (x_failed)
        return 1;
    // The daemon takes an end by its own signal as normal and an exit after it as a fault.
    if (stop_signal) {
        std::signal(stop_signal, SIG_DFL);
        std::raise(stop_signal);
    }
    return 0;
}
