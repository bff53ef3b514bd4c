// Reads the settings dialog from outside, as the tests need it: every control with its
// id, state, place and text (a combo box's list too), the window's owner, the focus. Also
// waits for windows with Japanese titles, moves a window over the dialog, and stands in
// for the browser.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Narrow(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &utf8[0], n, nullptr, nullptr);
    return utf8;
}

std::wstring TextOf(HWND h) {
    wchar_t text[1024] = L"";
    SendMessageTimeoutW(h, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return text;
}

// One line per control; the text comes last as it may hold blanks.
BOOL CALLBACK PrintControl(HWND h, LPARAM) {
    wchar_t cls[64] = L"";
    GetClassNameW(h, cls, 64);
    RECT r{};
    GetWindowRect(h, &r);
    std::printf("control id=%d class=%s enabled=%d visible=%d rect=%ld,%ld,%ld,%ld",
                GetDlgCtrlID(h), Narrow(cls).c_str(), IsWindowEnabled(h) ? 1 : 0,
                IsWindowVisible(h) ? 1 : 0, r.left, r.top, r.right, r.bottom);
    if (lstrcmpiW(cls, L"ComboBox") == 0) {
        LRESULT count = SendMessageW(h, CB_GETCOUNT, 0, 0);
        std::printf(" items=%ld list=", static_cast<long>(count));
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t item[64] = L"";
            if (SendMessageW(h, CB_GETLBTEXTLEN, i, 0) < 64)
                SendMessageW(h, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
            std::printf("%s%s", i ? "|" : "", Narrow(item).c_str());
        }
    }
    std::printf(" text=%s\n", Narrow(TextOf(h)).c_str());
    return TRUE;
}

int Usage() {
    std::fprintf(stderr, "usage: dlgprobe controls|window|focus TITLE | wait|gone TITLE SECONDS | "
                         "move TITLE X Y | record FILE ADDRESS\n");
    return 2;
}

// Polls for a window to appear (want true) or go (want false).
bool WaitFor(const wchar_t* title, bool want, double seconds) {
    DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
    for (;;) {
        bool there = FindWindowW(nullptr, title) != nullptr;
        if (there == want)
            return true;
        if (static_cast<LONG>(GetTickCount() - end) > 0)
            return false;
        Sleep(10);
    }
}

} // namespace

int main() {
    // Wide arguments: a Japanese title survives any code page.
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3)
        return Usage();
    std::wstring verb = argv[1];
    if (verb == L"wait" || verb == L"gone")
        return WaitFor(argv[2], verb == L"wait", argc > 3 ? _wtof(argv[3]) : 10.0) ? 0 : 1;
    if (verb == L"record" && argc > 3) {
        // Stands in for the browser: keeps the address it was asked to open.
        FILE* f = _wfopen(argv[2], L"wb");
        if (!f)
            return 1;
        std::string address = Narrow(argv[3]);
        std::fwrite(address.data(), 1, address.size(), f);
        std::fclose(f);
        return 0;
    }
    HWND h = FindWindowW(nullptr, argv[2]);
    if (!h) {
        std::fprintf(stderr, "no window titled '%s'\n", Narrow(argv[2]).c_str());
        return 1;
    }
    if (verb == L"controls") {
        EnumChildWindows(h, PrintControl, 0);
    } else if (verb == L"window") {
        RECT w{}, c{};
        GetWindowRect(h, &w);
        GetClientRect(h, &c);
        POINT origin{0, 0};
        ClientToScreen(h, &origin);
        std::printf("owner=%lld style=0x%08lx exstyle=0x%08lx rect=%ld,%ld,%ld,%ld "
                    "client=%ld,%ld origin=%ld,%ld\n",
                    static_cast<long long>(reinterpret_cast<INT_PTR>(GetWindow(h, GW_OWNER))),
                    static_cast<unsigned long>(GetWindowLongW(h, GWL_STYLE)),
                    static_cast<unsigned long>(GetWindowLongW(h, GWL_EXSTYLE)), w.left, w.top,
                    w.right, w.bottom, c.right, c.bottom, origin.x, origin.y);
    } else if (verb == L"focus") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        DWORD thread = GetWindowThreadProcessId(h, nullptr);
        if (!GetGUIThreadInfo(thread, &info))
            return 1;
        HWND focus = info.hwndFocus;
        // A combo box's field is its child; report the control the user sees.
        HWND parent = focus ? GetParent(focus) : nullptr;
        wchar_t cls[64] = L"";
        if (parent)
            GetClassNameW(parent, cls, 64);
        if (lstrcmpiW(cls, L"ComboBox") == 0)
            focus = parent;
        std::printf("%d\n", focus ? GetDlgCtrlID(focus) : 0);
    } else if (verb == L"move" && argc > 4) {
        // Puts another window over the dialog, to cover part of it.
        SetWindowPos(h, HWND_TOPMOST, _wtoi(argv[3]), _wtoi(argv[4]), 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        return Usage();
    }
    std::fflush(stdout);
    return 0;
}
