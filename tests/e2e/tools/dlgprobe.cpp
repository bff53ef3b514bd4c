// Reads the settings dialog from outside, as the tests need it: every control with its
// id, state, place and text (a combo box's list too), the window's owner, the focus.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring Widen(const char* utf8) {
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring text(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1)
        MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &text[0], n);
    return text;
}

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
    std::fprintf(stderr, "usage: dlgprobe controls|window|focus TITLE\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return Usage();
    std::string verb = argv[1];
    HWND h = FindWindowW(nullptr, Widen(argv[2]).c_str());
    if (!h) {
        std::fprintf(stderr, "no window titled '%s'\n", argv[2]);
        return 1;
    }
    if (verb == "controls") {
        EnumChildWindows(h, PrintControl, 0);
    } else if (verb == "window") {
        RECT w{}, c{};
        GetWindowRect(h, &w);
        GetClientRect(h, &c);
        POINT origin{0, 0};
        ClientToScreen(h, &origin);
        LRESULT icon = SendMessageW(h, WM_GETICON, ICON_BIG, 0);
        std::printf("owner=%lld style=0x%08lx exstyle=0x%08lx rect=%ld,%ld,%ld,%ld "
                    "client=%ld,%ld origin=%ld,%ld icon=%d\n",
                    static_cast<long long>(reinterpret_cast<INT_PTR>(GetWindow(h, GW_OWNER))),
                    static_cast<unsigned long>(GetWindowLongW(h, GWL_STYLE)),
                    static_cast<unsigned long>(GetWindowLongW(h, GWL_EXSTYLE)), w.left, w.top,
                    w.right, w.bottom, c.right, c.bottom, origin.x, origin.y, icon ? 1 : 0);
    } else if (verb == "focus") {
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
    } else {
        return Usage();
    }
    std::fflush(stdout);
    return 0;
}
