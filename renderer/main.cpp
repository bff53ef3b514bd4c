// Program entry: the window cycle (full screen, then windowed after Tab, and back), the
// message loop that draws frames back to back, and teardown.
#include "renderer.h"

#include <ctime>

RendererState renderer;
stars::FieldScene scene;
PerformanceCounter performance_counter;
CrtRandom crt_random;

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(WNDCLASSEXA) == 48, "WNDCLASSEXA is 48 bytes");
#endif

namespace {

const char class_name[] = "opengl demo";
const char window_title[] = "Vellis_VC";

// Runs until WM_QUIT and gives its code.
WPARAM run_loop() {
    MSG message = {};
    renderer.running = true;
    while (renderer.running) {
        if (renderer.active)
            draw_frame();
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

void tear_down() {
    if (renderer.context_current)
        stars::free_field_gl(scene);
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
    renderer.show_fps = true;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (stars::init_field(scene, crt_random) != 0) {
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
        if (renderer.fullscreen) {
            HDC screen = GetDC(nullptr);
            if (!screen) {
                report_error("GetDC");
                return 0;
            }
            renderer.view_width = GetDeviceCaps(screen, HORZRES);
            renderer.view_height = GetDeviceCaps(screen, VERTRES);
            ReleaseDC(nullptr, screen);
            style = WS_POPUP;
        } else {
            renderer.view_width = 1024;
            renderer.view_height = 768;
        }
        renderer.window = CreateWindowExA(0, class_name, window_title, style, CW_USEDEFAULT,
                                          CW_USEDEFAULT, renderer.view_width, renderer.view_height,
                                          nullptr, nullptr, instance, nullptr);
        if (!renderer.window) {
            report_error("CreateWindowEx");
            return 0;
        }
        ShowWindow(renderer.window, show);
        WPARAM code = run_loop();
        tear_down();
        if (!renderer.switch_mode)
            return static_cast<int>(code);
    }
}
