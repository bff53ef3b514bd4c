// Program entry: the window cycle (full screen, then windowed after Tab, and back), the
// message loop that draws frames back to back, and teardown.
#include "renderer.h"
#include "renderer_identity.h"

#include <ctime>

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(WNDCLASSEXA) == 48, "WNDCLASSEXA is 48 bytes");
#endif

namespace {

const char class_name[] = "opengl demo";

struct MonitorList {
    orvanne::Monitor monitors[orvanne::max_monitors];
    int count = 0;
};

// Runs until WM_QUIT and gives its code.
WPARAM run_loop(Renderer& renderer) {
    MSG message = {};
    renderer.running = true;
    while (renderer.running) {
        if (renderer.active)
            draw_frame(renderer);
        else
            WaitMessage();
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                renderer.running = false;
                break;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return message.wParam;
}

BOOL CALLBACK add_monitor(HMONITOR monitor, HDC, LPRECT rect, LPARAM data) {
    auto* list = reinterpret_cast<MonitorList*>(data);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    const bool primary = GetMonitorInfoA(monitor, &info) && (info.dwFlags & MONITORINFOF_PRIMARY);
    if (list->count < orvanne::max_monitors)
        list->monitors[list->count++] = {{rect->left, rect->top, rect->right, rect->bottom},
                                         primary};
    return TRUE;
}

// A field on every monitor, the window over them all. Without a monitor list the screen's
// origin and HORZRES x VERTRES stand for the one monitor. False when the screen cannot be
// read.
bool lay_out_screen(orvanne::ScreenLayout& layout) {
    HDC screen = GetDC(nullptr);
    if (!screen)
        return false;
    const orvanne::ScreenRect fallback = {0, 0, GetDeviceCaps(screen, HORZRES),
                                          GetDeviceCaps(screen, VERTRES)};
    ReleaseDC(nullptr, screen);
    MonitorList list;
    // On failure the list stays as far as it got: at worst the fallback alone.
    EnumDisplayMonitors(nullptr, nullptr, add_monitor, reinterpret_cast<LPARAM>(&list));
    layout = orvanne::full_screen_layout(list.monitors, list.count, fallback);
    return true;
}

void tear_down(Renderer& renderer) {
    if (renderer.context_current)
        orvanne::free_field_gl(renderer.scene);
    wglMakeCurrent(nullptr, nullptr);
    renderer.context_current = false;
    if (renderer.dc)
        ReleaseDC(renderer.window, renderer.dc);
    renderer.dc = nullptr;
    if (renderer.context)
        wglDeleteContext(renderer.context);
    renderer.context = nullptr;
    DestroyWindow(renderer.window);
    renderer.window = nullptr;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    // Static: the scene's frame arrays are too large for the stack.
    static Renderer renderer;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (orvanne::init_field(renderer.scene, renderer.random) != 0) {
        report_error("gl_data");
        return 0;
    }

    WNDCLASSEXA window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = WndProc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
    window_class.lpszClassName = class_name;
    if (!RegisterClassExA(&window_class)) {
        report_error("RegisterClassEx");
        return 0;
    }

    renderer.fullscreen = false;
    for (;;) {
        renderer.switch_mode = false;
        renderer.fullscreen = !renderer.fullscreen;
        DWORD style = WS_OVERLAPPEDWINDOW;
        int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = 1024, height = 768;
        if (renderer.fullscreen) {
            if (!lay_out_screen(renderer.layout)) {
                report_error("GetDC");
                return 0;
            }
            // Short of memory the monitors beyond the fields made stay black.
            if (orvanne::add_fields(renderer.scene, renderer.layout.fields.count,
                                    renderer.random) != 0)
                report_error("add_fields");
            const orvanne::ScreenRect& all = renderer.layout.window;
            x = all.left;
            y = all.top;
            width = all.right - all.left;
            height = all.bottom - all.top;
            style = WS_POPUP;
        }
        // The views until the window's first WM_SIZE.
        renderer.views =
            renderer.fullscreen ? renderer.layout.fields : orvanne::whole_client(width, height);
        renderer.window = CreateWindowExA(0, class_name, orvanne::kRendererWindowTitle, style, x, y,
                                          width, height, nullptr, nullptr, instance, &renderer);
        if (!renderer.window) {
            report_error("CreateWindowEx");
            return 0;
        }
        ShowWindow(renderer.window, show);
        WPARAM code = run_loop(renderer);
        tear_down(renderer);
        if (!renderer.switch_mode)
            return static_cast<int>(code);
    }
}
