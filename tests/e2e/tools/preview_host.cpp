// Plays the display settings' part for the preview: a grey window (titled "Preview Host"
// unless told) with a magenta borderless "monitor" child for the saver's /p. It prints the
// monitor's number and screen rectangle, and the desktop's number, then runs until closed.
//   preview_host host W H [TITLE]
//   preview_host show W H   shows the preview form in this process, so its drawing reaches
//                           the screen
//   preview_host watch ZOOMS SECONDS   prints the caption height, then the frames of the
//                           next ZOOMS zooms another program shows on the screen
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "preview_form.h"

namespace {

LRESULT CALLBACK FrameProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(h, message, wParam, lParam);
}

HWND MakeWindow(WNDPROC proc, COLORREF colour, const wchar_t* cls, const wchar_t* title,
                DWORD style, int x, int y, int w, int h, HWND parent) {
    WNDCLASSW wc{};
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpfnWndProc = proc;
    wc.hbrBackground = CreateSolidBrush(colour);
    wc.lpszClassName = cls;
    RegisterClassW(&wc);
    return CreateWindowExW(0, cls, title, style | WS_VISIBLE, x, y, w, h, parent, nullptr,
                           wc.hInstance, nullptr);
}

int Host(int w, int h, const char* title, bool show) {
    const int margin = 20;
    std::wstring wide(title, title + std::strlen(title));
    HWND frame = MakeWindow(FrameProc, RGB(128, 128, 128), L"PreviewHostFrame", wide.c_str(),
                            WS_POPUP, 100, 100, w + 2 * margin, h + 2 * margin, nullptr);
    HWND monitor = MakeWindow(DefWindowProcW, RGB(255, 0, 255), L"PreviewHostMonitor",
                              L"Preview Monitor", WS_CHILD, margin, margin, w, h, frame);
    bool shown = !show || orvanne::ShowPreview(monitor);
    RECT r{};
    GetWindowRect(monitor, &r);
    std::printf("monitor=%lld rect=%ld,%ld,%ld,%ld desktop=%lld shown=%d\n",
                static_cast<long long>(reinterpret_cast<INT_PTR>(monitor)), r.left, r.top, r.right,
                r.bottom, static_cast<long long>(reinterpret_cast<INT_PTR>(GetDesktopWindow())),
                shown ? 1 : 0);
    std::fflush(stdout);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

// The zoom's caption strip as seen on the screen, one rectangle per frame.
struct StripWatch {
    std::string frames;
    int drawn = 0;
    RECT last{-1, -1, -1, -1};
};

// One look at the strip, recording a new rectangle; false while there is no strip.
bool LookAtStrip(StripWatch& watch) {
    HWND strip = FindWindowW(L"Vellis_Zoom", nullptr);
    RECT r{};
    if (!strip || !IsWindowVisible(strip) || !GetWindowRect(strip, &r))
        return false;
    if (EqualRect(&r, &watch.last))
        return true;
    watch.last = r;
    watch.frames += std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                    std::to_string(r.right) + "," + std::to_string(r.bottom) + ";";
    HDC screen = GetDC(nullptr);
    if (GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2) ==
        GetSysColor(COLOR_ACTIVECAPTION))
        ++watch.drawn;
    ReleaseDC(nullptr, screen);
    return true;
}

int WatchZooms(int zooms, int seconds) {
    std::printf("caption=%d\n", GetSystemMetrics(SM_CYCAPTION));
    std::fflush(stdout);
    DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    for (int n = 0; n < zooms && GetTickCount() < end;) {
        StripWatch watch;
        if (!LookAtStrip(watch)) {
            Sleep(1);
            continue;
        }
        DWORD started = GetTickCount();
        while (LookAtStrip(watch))
            Sleep(1);
        // Seen from outside, the strip is hidden a moment before it is destroyed.
        Sleep(50);
        std::printf("zoom=%s ms=%lu drawn=%d left_over=%d frames=%s\n", ++n == 1 ? "from" : "to",
                    GetTickCount() - started, watch.drawn,
                    FindWindowW(L"Vellis_Zoom", nullptr) ? 1 : 0, watch.frames.c_str());
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    if (argc >= 4 && (mode == "host" || mode == "show"))
        return Host(std::atoi(argv[2]), std::atoi(argv[3]), argc > 4 ? argv[4] : "Preview Host",
                    mode == "show");
    if (argc >= 4 && mode == "watch")
        return WatchZooms(std::atoi(argv[2]), std::atoi(argv[3]));
    std::fprintf(stderr, "usage: preview_host host|show W H [TITLE] | watch ZOOMS SECONDS\n");
    return 2;
}
