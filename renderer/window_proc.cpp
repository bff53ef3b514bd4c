// The window procedure and the OpenGL context of one window.
#include "renderer.h"
#include "gl_context.h"
#include "input.h"

namespace {

// Gives 0 when the window can be drawn into, else the name of the step that failed.
const char* make_context(Renderer& renderer, HWND window) {
    renderer.context_current = false;
    if (const char* failed = make_gl_context(window, renderer.dc, renderer.context))
        return failed;
    renderer.context_current = true;

    // Glyphs are only the overlay's; the scene runs without them.
    renderer.font_list_base = make_overlay_font(renderer.dc);
    if (orvanne::init_field_gl(renderer.scene) != 0)
        return "gl_init";
    ShowCursor(FALSE);
    orvanne::restart_frame_rate(renderer.rate, renderer.counter);
    return nullptr;
}

LRESULT on_create(Renderer& renderer, HWND window) {
    if (const char* failed = make_context(renderer, window)) {
        report_error(failed);
        PostQuitMessage(0);
    }
    return 0;
}

LRESULT on_size(Renderer& renderer, WPARAM kind, LPARAM size) {
    if (kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED)
        renderer.active = true;
    else if (kind == SIZE_MINIMIZED)
        renderer.active = false;
    const int32_t width = LOWORD(size), height = HIWORD(size);
    renderer.views = renderer.fullscreen
                         ? orvanne::full_screen_views(renderer.layout, width, height)
                         : orvanne::whole_client(width, height);
    orvanne::restart_frame_rate(renderer.rate, renderer.counter);
    return 0;
}

LRESULT on_input(Renderer& renderer, int32_t kind, int32_t code) {
    renderer.show_fps = orvanne::overlay_after_input(renderer.show_fps, kind, code);
    return 0;
}

LRESULT on_key_up(Renderer& renderer, WPARAM key) {
    if (key == VK_TAB) {
        renderer.switch_mode = true;
        PostQuitMessage(1);
    } else if (key == VK_ESCAPE) {
        PostQuitMessage(1);
    } else {
        on_input(renderer, orvanne::input_key_release, static_cast<int32_t>(key));
    }
    return 0;
}

// The window's Renderer, stored from its creation parameter on WM_NCCREATE; null before.
Renderer* renderer_of(HWND window, UINT message, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTA*>(lparam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(created->lpCreateParams));
    }
    return reinterpret_cast<Renderer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

} // namespace

// Shows nothing, so that a failed start ends quietly; a debugger still sees the step.
void report_error(const char* step) {
    OutputDebugStringA(step);
    OutputDebugStringA("\n");
}

LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    Renderer* renderer = renderer_of(window, message, lparam);
    if (!renderer)
        return DefWindowProcA(window, message, wparam, lparam);
    switch (message) {
    case WM_CREATE:
        return on_create(*renderer, window);
    case WM_SIZE:
        return on_size(*renderer, wparam, lparam);
    case WM_CLOSE:
        PostQuitMessage(1);
        return 0;
    case WM_SYSCOMMAND:
        // The low four bits of the command are the system's own.
        if ((wparam & 0xFFF0) == SC_SCREENSAVE || (wparam & 0xFFF0) == SC_MONITORPOWER)
            return 0;
        break;
    case WM_KEYDOWN:
        return 0;
    case WM_KEYUP:
        return on_key_up(*renderer, wparam);
    case WM_MOUSEMOVE:
        return on_input(*renderer, orvanne::input_mouse_move, orvanne::mouse_move_code(wparam));
    case WM_LBUTTONDOWN:
        return on_input(*renderer, orvanne::input_button_press, 0);
    case WM_RBUTTONDOWN:
        return on_input(*renderer, orvanne::input_button_press, 1);
    case WM_LBUTTONUP:
        return on_input(*renderer, orvanne::input_button_release, 0);
    case WM_RBUTTONUP:
        return on_input(*renderer, orvanne::input_button_release, 1);
    }
    return DefWindowProcA(window, message, wparam, lparam);
}
