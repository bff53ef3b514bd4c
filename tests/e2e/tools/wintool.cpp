// Acts on other programs' windows from inside the same Wine prefix, as a user or
// Windows itself would: find, close, minimise, restore, inspect.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::wstring widen(const char* utf8) {
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring text(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1)
        MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &text[0], n);
    return text;
}

std::string narrow(const wchar_t* text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], n, nullptr, nullptr);
    return utf8;
}

HWND find(const char* title) {
    return FindWindowW(nullptr, widen(title).c_str());
}

// Polls for the window to appear (want true) or vanish (want false).
HWND wait_for(const char* title, bool want, double seconds) {
    DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
    for (;;) {
        HWND h = find(title);
        if ((h != nullptr) == want || static_cast<LONG>(GetTickCount() - end) > 0)
            return h;
        Sleep(10);
    }
}

void print_info(HWND h) {
    RECT w{}, c{};
    GetWindowRect(h, &w);
    GetClientRect(h, &c);
    wchar_t cls[256] = L"";
    GetClassNameW(h, cls, 256);
    std::printf("hwnd=%lld parent=%lld style=0x%08lx exstyle=0x%08lx visible=%d enabled=%d\n",
                static_cast<long long>(reinterpret_cast<INT_PTR>(h)),
                static_cast<long long>(reinterpret_cast<INT_PTR>(GetParent(h))),
                static_cast<unsigned long>(GetWindowLongW(h, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongW(h, GWL_EXSTYLE)),
                IsWindowVisible(h) ? 1 : 0, IsWindowEnabled(h) ? 1 : 0);
    std::printf("rect=%ld,%ld,%ld,%ld client=%ld,%ld class=%s\n", w.left, w.top, w.right, w.bottom,
                c.right, c.bottom, narrow(cls).c_str());
}

BOOL CALLBACK print_child(HWND h, LPARAM) {
    wchar_t text[1024] = L"";
    GetWindowTextW(h, text, 1024);
    wchar_t cls[256] = L"";
    GetClassNameW(h, cls, 256);
    RECT r{};
    GetWindowRect(h, &r);
    std::printf("child class=%s enabled=%d visible=%d rect=%ld,%ld,%ld,%ld text=%s\n",
                narrow(cls).c_str(), IsWindowEnabled(h) ? 1 : 0, IsWindowVisible(h) ? 1 : 0, r.left,
                r.top, r.right, r.bottom, narrow(text).c_str());
    return TRUE;
}

int usage() {
    std::fprintf(stderr,
                 "usage: wintool find|wait|gone|close|minimize|restore|info|children|"
                 "syscommand|kill|endsession TITLE [SECONDS|screensave|monitorpower|close]\n"
                 "       wintool desktop\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "desktop") == 0) {
        std::printf("%lld\n",
                    static_cast<long long>(reinterpret_cast<INT_PTR>(GetDesktopWindow())));
        return 0;
    }
    if (argc < 3)
        return usage();
    std::string verb = argv[1];
    const char* title = argv[2];
    double seconds = argc > 3 ? std::atof(argv[3]) : 10.0;

    if (verb == "wait" || verb == "gone") {
        bool want = verb == "wait";
        HWND h = wait_for(title, want, seconds);
        std::printf("%lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(h)));
        return (h != nullptr) == want ? 0 : 1;
    }
    HWND h = find(title);
    if (!h) {
        std::fprintf(stderr, "no window titled '%s'\n", title);
        return 1;
    }
    if (verb == "find") {
        std::printf("%lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(h)));
    } else if (verb == "close") {
        PostMessageW(h, WM_CLOSE, 0, 0);
    } else if (verb == "minimize") {
        ShowWindow(h, SW_MINIMIZE);
    } else if (verb == "restore") {
        ShowWindow(h, SW_RESTORE);
    } else if (verb == "info") {
        print_info(h);
    } else if (verb == "children") {
        EnumChildWindows(h, print_child, 0);
    } else if (verb == "kill") {
        // Ends the window's program as a task manager would, without a word to it.
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
        if (!process || !TerminateProcess(process, 9))
            return 1;
        CloseHandle(process);
    } else if (verb == "endsession") {
        // What the window receives when the user logs off.
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(h, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                            &answer);
    } else if (verb == "syscommand" && argc > 3) {
        WPARAM cmd = std::strcmp(argv[3], "monitorpower") == 0 ? SC_MONITORPOWER
                     : std::strcmp(argv[3], "close") == 0      ? SC_CLOSE
                                                               : SC_SCREENSAVE;
        SendMessageW(h, WM_SYSCOMMAND, cmd, 2);
    } else {
        return usage();
    }
    std::fflush(stdout);
    return 0;
}
