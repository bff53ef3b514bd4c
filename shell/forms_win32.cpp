#include "forms_win32.h"

namespace orvanne::forms {
namespace {

const wchar_t kFormClass[] = L"OrvanneForm";

struct FormsState {
    int live = 0;
    HCURSOR pointer = nullptr;
    bool registered = false;
};
FormsState state;

bool RegisterFormClass(WNDPROC procedure) {
    if (state.registered)
        return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClass;
    state.registered = RegisterClassExW(&wc) != 0;
    return state.registered;
}

} // namespace

int ScreenDpi(int axis) {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, axis) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

void DrawLine(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    if (!pen)
        return;
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void SetPointerOverride(LPCWSTR cursor) {
    state.pointer = cursor ? LoadCursorW(nullptr, cursor) : nullptr;
    if (state.pointer) {
        SetCursor(state.pointer);
        return;
    }
    // Let the window under the pointer put its own pointer back.
    POINT at;
    if (GetCursorPos(&at)) {
        HWND under = WindowFromPoint(at);
        DWORD owner = 0;
        // Another program's window could be hung; it restores its own pointer anyway.
        if (under && GetWindowThreadProcessId(under, &owner) && owner == GetCurrentProcessId())
            SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }
}

int ShowMessage(HWND owner, std::string_view text, std::string_view caption, UINT type) {
    return MessageBoxW(owner, Utf8ToWide(text).c_str(), Utf8ToWide(caption).c_str(), type);
}

Form::~Form() {
    Destroy();
}

bool Form::Create(std::string_view caption, DWORD style, DWORD exStyle, int x, int y, int width,
                  int height, HWND parent) {
    if (hwnd_ || !RegisterFormClass(&Form::WindowProc))
        return false;
    // WindowProc attaches this object on WM_NCCREATE, before any handler can run.
    return CreateWindowExW(exStyle, kFormClass, Utf8ToWide(caption).c_str(), style, x, y, width,
                           height, parent, nullptr, GetModuleHandleW(nullptr), this) != nullptr;
}

void Form::Destroy() {
    if (hwnd_)
        DestroyWindow(hwnd_);
}

int Form::LiveCount() {
    return state.live;
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        OnTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    }
    if (message == WM_SETCURSOR && state.pointer) {
        SetCursor(state.pointer);
        return TRUE;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Form::OnTimer(UINT_PTR) {}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        ++state.live;
    }
    if (!form)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = form->OnMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        form->hwnd_ = nullptr;
        if (--state.live == 0)
            PostQuitMessage(0);
    }
    return result;
}

void Timer::SetEnabled(bool enabled) {
    HWND hwnd = owner_.hwnd();
    if (enabled && hwnd)
        enabled_ = SetTimer(hwnd, id_, interval_, nullptr) != 0;
    else {
        if (enabled_ && hwnd)
            KillTimer(hwnd, id_);
        enabled_ = false;
    }
}

void RunMessageLoop() {
    MSG msg;
    while (Form::LiveCount() > 0 && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace orvanne::forms
