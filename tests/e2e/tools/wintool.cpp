// Acts as a user, Windows, a browser or the renderer would; wide arguments survive code pages.
#include "preview_form_win32.h"
#include "program_win32.h"
#include "settings_file.h"
#include "wide_text.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

using namespace orvanne;

bool IsComboBox(HWND h) {
    char cls[32] = "";
    return h && GetClassNameA(h, cls, sizeof cls) && lstrcmpiA(cls, "ComboBox") == 0;
}

// One line about a window, "child" for each child; class and text last, as they hold blanks.
BOOL CALLBACK PrintWindow(HWND h, LPARAM child) {
    RECT w{}, c{};
    GetWindowRect(h, &w);
    GetClientRect(h, &c);
    MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&c), 2);
    std::printf("%s owner=%lu id=%d style=0x%08lx exstyle=0x%08lx enabled=%d visible=%d "
                "rect=%ld,%ld,%ld,%ld client=%ld,%ld origin=%ld,%ld",
                child ? "child" : "window", HandleToULong(GetWindow(h, GW_OWNER)), GetDlgCtrlID(h),
                GetWindowLongW(h, GWL_STYLE), GetWindowLongW(h, GWL_EXSTYLE),
                IsWindowEnabled(h) ? 1 : 0, IsWindowVisible(h) ? 1 : 0, w.left, w.top, w.right,
                w.bottom, c.right - c.left, c.bottom - c.top, c.left, c.top);
    if (IsComboBox(h))
        std::printf(" items=%ld", static_cast<long>(SendMessageW(h, CB_GETCOUNT, 0, 0)));
    wchar_t text[1024] = L"", cls[256] = L"";
    GetClassNameW(h, cls, 256);
    SendMessageTimeoutW(h, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    std::printf(" class=%s text=%s\n", WideToUtf8(cls).c_str(), WideToUtf8(text).c_str());
    return TRUE;
}

// The control with the keyboard focus; a combo box's field counts as the combo box.
int FocusOf(HWND h) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(h, nullptr), &info);
    HWND parent = GetParent(info.hwndFocus);
    return GetDlgCtrlID(IsComboBox(parent) ? parent : info.hwndFocus);
}

LRESULT CALLBACK FrameProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(h, message, wParam, lParam);
}

HWND MakeWindow(COLORREF colour, const wchar_t* cls, const wchar_t* title, DWORD style, int x,
                int y, int w, int h, HWND parent) {
    WNDCLASSW wc{};
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpfnWndProc = FrameProc;
    wc.hbrBackground = CreateSolidBrush(colour);
    wc.lpszClassName = cls;
    RegisterClassW(&wc);
    return CreateWindowExW(0, cls, title, style, x, y, w, h, parent, nullptr, wc.hInstance,
                           nullptr);
}

// A magenta "monitor" child for /p at 120,120 in 20 pixels of grey, as the display settings
// show; with show the preview form runs in this process, where its drawing reaches the screen.
int Host(int w, int h, const wchar_t* title, bool show) {
    HWND frame = MakeWindow(RGB(128, 128, 128), L"HostFrame", title, WS_POPUP | WS_VISIBLE, 100,
                            100, w + 40, h + 40, nullptr);
    HWND monitor = MakeWindow(RGB(255, 0, 255), L"HostMonitor", L"Preview Monitor",
                              WS_CHILD | WS_VISIBLE, 20, 20, w, h, frame);
    if (show)
        ShowPreview(monitor);
    std::printf("monitor=%lu desktop=%lu\n", HandleToULong(monitor),
                HandleToULong(GetDesktopWindow()));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}

std::wstring Env(const wchar_t* name) {
    const wchar_t* text = _wgetenv(name);
    return text ? text : L"";
}

// Installed as Orvanne.dll: logs its command line and show state to STANDIN_LOG, waits
// STANDIN_DELAY_MS, then ends (STANDIN_MODE=exit) or hosts "Vellis_VC" until closed.
int StandIn() {
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    int show = startup.dwFlags & STARTF_USESHOWWINDOW ? startup.wShowWindow : SW_SHOWDEFAULT;
    if (FILE* f = _wfopen(Env(L"STANDIN_LOG").c_str(), L"w")) {
        // The tests keep the saver's folder ASCII, so the ANSI command line is exact.
        std::fprintf(f, "cmdline=%s\nshow=%d\n", GetCommandLineA(), show);
        std::fclose(f);
    }
    Sleep(_wtoi(Env(L"STANDIN_DELAY_MS").c_str()));
    return Env(L"STANDIN_MODE") == L"exit" ? 0 : Host(280, 200, L"Vellis_VC", false);
}

// Per zoom another program shows: how long its strip was seen, in how many frames, in how
// many of them the screen showed the caption colour, its last rectangle, and if it is left over.
int WatchZooms(int zooms) {
    HDC screen = GetDC(nullptr);
    for (int n = 1; n <= zooms; Sleep(1)) {
        DWORD started = GetTickCount();
        int frames = 0, drawn = 0;
        RECT r{}, last{};
        for (HWND strip; (strip = FindWindowW(L"Vellis_Zoom", nullptr)) && IsWindowVisible(strip) &&
                         GetWindowRect(strip, &r);
             Sleep(1)) {
            if (EqualRect(&r, &last))
                continue;
            last = r;
            ++frames;
            COLORREF middle = GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
            drawn += middle == GetSysColor(COLOR_ACTIVECAPTION);
        }
        if (frames == 0)
            continue;
        // Seen from outside, the strip is hidden a moment before it is destroyed.
        Sleep(50);
        std::printf("zoom=%d ms=%lu frames=%d drawn=%d left_over=%d last=%ld,%ld,%ld,%ld\n", n++,
                    GetTickCount() - started, frames, drawn,
                    FindWindowW(L"Vellis_Zoom", nullptr) ? 1 : 0, last.left, last.top, last.right,
                    last.bottom);
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    // Unbuffered, so that a reader sees each line as it is printed.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc == 1)
        return StandIn();
    if (argc < 3)
        return 2;
    std::wstring verb = argv[1];
    if ((verb == L"host" || verb == L"show") && argc > 4)
        return Host(_wtoi(argv[2]), _wtoi(argv[3]), argv[4], verb == L"show");
    if (verb == L"zooms")
        return WatchZooms(_wtoi(argv[2]));
    if ((verb == L"wait" || verb == L"gone") && argc > 3) {
        // Polls for a window to appear (wait) or go (gone).
        for (DWORD start = GetTickCount();
             (FindWindowW(nullptr, argv[2]) != nullptr) != (verb == L"wait"); Sleep(10))
            if (GetTickCount() - start > _wtof(argv[3]) * 1000)
                return 1;
        return 0;
    }
    if (verb == L"record") {
        // The browser's stand-in; made inside, the file's Unix name is the locale's mapping.
        FILE* f = _wfopen(argv[2], L"wb");
        bool written = f && std::fputs(argc > 3 ? WideToUtf8(argv[3]).c_str() : "", f) >= 0;
        return f && std::fclose(f) == 0 && written ? 0 : 1;
    }
    if (verb == L"load") {
        BgmSettings s = LoadSettings(WideToUtf8(argv[2]), MusicFileExists);
        std::printf("acp=%u kind=%d repeat=%d file=", GetACP(), static_cast<int>(s.kind),
                    s.repeatTrack);
        for (unsigned char b : s.file)
            std::printf("%02x", b);
        return 0;
    }
    if (verb == L"write" && argc > 5) {
        BgmSettings s{static_cast<MusicKind>(_wtoi(argv[3])), static_cast<int16_t>(_wtoi(argv[4])),
                      WideToUtf8(argv[5])};
        return SaveSettings(WideToUtf8(argv[2]), s) ? 0 : 1;
    }

    HWND h = FindWindowW(nullptr, argv[2]);
    if (!h)
        return 1;
    if (verb == L"window")
        PrintWindow(h, 0);
    else if (verb == L"children")
        EnumChildWindows(h, PrintWindow, 1);
    else if (verb == L"focus")
        std::printf("%d\n", FocusOf(h));
    else if (verb == L"close")
        PostMessageW(h, WM_CLOSE, 0, 0);
    else if (verb == L"minimize" || verb == L"restore")
        ShowWindow(h, verb == L"minimize" ? SW_MINIMIZE : SW_RESTORE);
    else if (verb == L"endsession")
        SendMessageTimeoutW(h, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                            nullptr);
    else if (verb == L"syscommand")
        SendMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0);
    else
        return 2;
    return 0;
}
