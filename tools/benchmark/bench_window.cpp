#include "bench_window.h"

#include "gl_context.h"

#include <cstdlib>

namespace {

LRESULT CALLBACK bench_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

BOOL CALLBACK add_monitor(HMONITOR, HDC, LPRECT rect, LPARAM data) {
    UnionRect(reinterpret_cast<RECT*>(data), reinterpret_cast<RECT*>(data), rect);
    return TRUE;
}

double counter_seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

} // namespace

bool open_bench_window(HINSTANCE instance, const char* title, BenchWindow& out) {
    WNDCLASSEXA window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = bench_proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.lpszClassName = "bench loop";
    if (!RegisterClassExA(&window_class))
        return false;
    // Every monitor, as the renderer's full-screen window covers them. Wine: the
    // virtual-screen metrics give the primary alone to a program without a DPI manifest.
    RECT all = {};
    EnumDisplayMonitors(nullptr, nullptr, add_monitor, reinterpret_cast<LPARAM>(&all));
    out.width = all.right - all.left;
    out.height = all.bottom - all.top;
    out.window = CreateWindowExA(0, "bench loop", title, WS_POPUP, all.left, all.top, out.width,
                                 out.height, nullptr, nullptr, instance, nullptr);
    if (!out.window)
        return false;
    if (make_gl_context(out.window, out.dc, out.context))
        return false;
    ShowWindow(out.window, SW_SHOWNORMAL);
    return true;
}

bool pump_bench_messages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            return false;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

double run_bench_loop(double seconds, bool (*frame)()) {
    long frames = 0;
    double start = counter_seconds(), elapsed = 0.0;
    bool going = true;
    while (going && elapsed < seconds) {
        going = frame();
        ++frames;
        elapsed = counter_seconds() - start;
    }
    return elapsed > 0.0 ? frames / elapsed : 0.0;
}

double bench_seconds(const char* command_line) {
    double seconds = std::atof(command_line);
    return seconds > 0.0 ? seconds : 4.0;
}
