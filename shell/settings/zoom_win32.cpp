#include "zoom_win32.h"

namespace orvanne {
namespace {

struct ZoomState {
    int16_t cursorX = 0; // the zoom point in screen pixels
    int16_t cursorY = 0;
};
ZoomState state;

const wchar_t kFrameClass[] = L"Vellis_Zoom";
const int kFrames = 10;
const DWORD kFrameMs = 18;

RECT ToRect(const ScreenRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

ScreenRect FromRect(const RECT& r) {
    return {static_cast<int32_t>(r.left), static_cast<int32_t>(r.top),
            static_cast<int32_t>(r.right), static_cast<int32_t>(r.bottom)};
}

bool RunningOnWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

bool RegisterFrameClass(HINSTANCE instance) {
    WNDCLASSW wc{};
    if (GetClassInfoW(instance, kFrameClass, &wc))
        return true;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hbrBackground = GetSysColorBrush(COLOR_ACTIVECAPTION);
    wc.lpszClassName = kFrameClass;
    return RegisterClassW(&wc) != 0;
}

// Flies a caption-coloured strip between the rectangles, frame by frame.
void AnimateCaption(const ScreenRect& from, const ScreenRect& to) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterFrameClass(instance))
        return;
    HWND strip =
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kFrameClass,
                        kFrameClass, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!strip)
        return;
    int caption = GetSystemMetrics(SM_CYCAPTION);
    for (int frame = 1; frame <= kFrames; ++frame) {
        ScreenRect r = CaptionStrip(ZoomFrame(from, to, frame, kFrames), caption);
        SetWindowPos(strip, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
        // Repaint what the strip uncovered, so it leaves no trail over our own windows.
        // Bounded, since a window that never validates would keep its WM_PAINT coming.
        MSG paint;
        for (int n = 0; n < 64 && PeekMessageW(&paint, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++n)
            DispatchMessageW(&paint);
        GdiFlush();
        Sleep(kFrameMs);
    }
    DestroyWindow(strip);
}

void Animate(HWND window, const ScreenRect& from, const ScreenRect& to) {
    RECT a = ToRect(from);
    RECT b = ToRect(to);
    DrawAnimatedRects(window, IDANI_CAPTION, &a, &b);
    // Wine: DrawAnimatedRects succeeds but draws nothing, so draw the frames ourselves.
    if (RunningOnWine())
        AnimateCaption(from, to);
}

ScreenRect WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return FromRect(r);
}

} // namespace

ZoomPoint RememberCursorPoint() {
    POINT p{};
    BOOL ok = GetCursorPos(&p);
    ZoomPoint next = ZoomPointFromCursor({state.cursorX, state.cursorY}, ok != FALSE,
                                         static_cast<int32_t>(p.x), static_cast<int32_t>(p.y));
    state.cursorX = next.x;
    state.cursorY = next.y;
    return next;
}

void ZoomFromCursor(HWND window) {
    Animate(window, ZoomRectAt({state.cursorX, state.cursorY}), WindowRect(window));
}

void ZoomToCursor(HWND window) {
    Animate(window, WindowRect(window), ZoomRectAt({state.cursorX, state.cursorY}));
}

} // namespace orvanne
