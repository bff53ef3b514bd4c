// Acts inside the Wine prefix as a user, Windows or a browser would, for the end-to-end
// tests: finds, inspects and drives other programs' windows, and reads and writes the
// settings file through the shell's code and through the platform's private-profile
// calls. Arguments are wide, so Japanese titles survive any code page; byte values
// (settings keys, values, code page 932 paths) go in and out as hexadecimal.
#include "program.h"
#include "forms.h"
#include "settings_file.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

using namespace orvanne;
using namespace orvanne::forms;

std::string Hex(const std::string& bytes) {
    std::string out;
    char pair[3];
    for (unsigned char b : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", b);
        out += pair;
    }
    return out;
}

std::string Bytes(const wchar_t* hex) {
    std::string out;
    for (const wchar_t* p = hex; p[0] && p[1]; p += 2)
        out += static_cast<char>(std::stoi(std::wstring(p, 2), nullptr, 16));
    return out;
}

long long Number(HWND h) {
    return static_cast<long long>(reinterpret_cast<INT_PTR>(h));
}

// Polls for a window to appear (want true) or go (want false).
bool WaitFor(const wchar_t* title, bool want, double seconds) {
    DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
    while ((FindWindowW(nullptr, title) != nullptr) != want) {
        if (static_cast<LONG>(GetTickCount() - end) > 0)
            return false;
        Sleep(10);
    }
    return true;
}

std::string ClassOf(HWND h) {
    wchar_t cls[256] = L"";
    GetClassNameW(h, cls, 256);
    return WideToUtf8(cls);
}

void PrintWindow(HWND h) {
    RECT w{}, c{};
    GetWindowRect(h, &w);
    GetClientRect(h, &c);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    std::printf("hwnd=%lld parent=%lld owner=%lld style=0x%08lx exstyle=0x%08lx visible=%d "
                "rect=%ld,%ld,%ld,%ld client=%ld,%ld origin=%ld,%ld class=%s\n",
                Number(h), Number(GetParent(h)), Number(GetWindow(h, GW_OWNER)),
                static_cast<unsigned long>(GetWindowLongW(h, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongW(h, GWL_EXSTYLE)),
                IsWindowVisible(h) ? 1 : 0, w.left, w.top, w.right, w.bottom, c.right, c.bottom,
                origin.x, origin.y, ClassOf(h).c_str());
}

// One line per child window; the text comes last as it may hold blanks.
BOOL CALLBACK PrintChild(HWND h, LPARAM) {
    RECT r{};
    GetWindowRect(h, &r);
    std::string cls = ClassOf(h);
    std::printf(
        "child id=%d class=%s style=0x%08lx enabled=%d visible=%d rect=%ld,%ld,%ld,%ld",
        GetDlgCtrlID(h), cls.c_str(), static_cast<unsigned long>(GetWindowLongW(h, GWL_STYLE)),
        IsWindowEnabled(h) ? 1 : 0, IsWindowVisible(h) ? 1 : 0, r.left, r.top, r.right, r.bottom);
    if (lstrcmpiA(cls.c_str(), "ComboBox") == 0) {
        LRESULT count = SendMessageW(h, CB_GETCOUNT, 0, 0);
        std::printf(" items=%ld list=", static_cast<long>(count));
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t item[64] = L"";
            if (SendMessageW(h, CB_GETLBTEXTLEN, i, 0) < 64)
                SendMessageW(h, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
            std::printf("%s%s", i ? "|" : "", WideToUtf8(item).c_str());
        }
    }
    wchar_t text[1024] = L"";
    SendMessageTimeoutW(h, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    std::printf(" text=%s\n", WideToUtf8(text).c_str());
    return TRUE;
}

// The control id holding the keyboard focus in the window's thread; a combo box's field
// counts as the combo box the user sees.
int FocusOf(HWND h) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(h, nullptr), &info) || !info.hwndFocus)
        return 0;
    HWND focus = info.hwndFocus;
    HWND parent = GetParent(focus);
    if (parent && lstrcmpiA(ClassOf(parent).c_str(), "ComboBox") == 0)
        focus = parent;
    return GetDlgCtrlID(focus);
}

// The settings through the shell's code (load, write) or the platform's private-profile
// calls (native-read, native-write), all three values at once.
int Settings(const std::wstring& verb, int argc, wchar_t** argv) {
    std::string ini = WideToUtf8(argv[2]);
    if (verb == L"load") {
        BgmSettings s = LoadSettings(ini, MusicFileExists);
        std::printf("kind=%d repeat=%d file=%s\n", s.BgmKind, s.BgmRepeatTrack,
                    Hex(s.BgmFile).c_str());
        return 0;
    }
    if (verb == L"write" && argc >= 6) {
        BgmSettings s;
        s.BgmKind = static_cast<int16_t>(_wtoi(argv[3]));
        s.BgmRepeatTrack = static_cast<int16_t>(_wtoi(argv[4]));
        s.BgmFile = Bytes(argv[5]);
        return SaveSettings(ini, s) ? 0 : 1;
    }
    // The platform's calls take the path in the ANSI code page; the tests keep it ASCII.
    std::string path = WideToAnsi(argv[2], CP_ACP);
    const char* keys[] = {kKeyBgmKind, kKeyBgmRepeat, kKeyBgmFile};
    const char* names[] = {"kind", "repeat", "file"};
    for (int i = 0; i < 3; ++i) {
        if (verb == L"native-read") {
            char value[256] = "";
            GetPrivateProfileStringA(kSettingsSection, keys[i], "", value, sizeof value,
                                     path.c_str());
            std::printf("%s=%s ", names[i], Hex(value).c_str());
        } else if (argc < 6 ||
                   !WritePrivateProfileStringA(kSettingsSection, keys[i],
                                               Bytes(argv[3 + i]).c_str(), path.c_str())) {
            return 1;
        }
    }
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: wintool wait|gone TITLE [SECONDS]\n"
                 "       wintool window|children|focus|close|minimize|restore|kill|endsession "
                 "TITLE\n"
                 "       wintool syscommand TITLE screensave|monitorpower|close\n"
                 "       wintool move TITLE X Y | acp | record FILE ADDRESS | touch CP932HEX\n"
                 "       wintool load|native-read INI\n"
                 "       wintool write INI KIND REPEAT FILEHEX\n"
                 "       wintool native-write INI KINDHEX REPEATHEX FILEHEX\n");
    return 2;
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2)
        return Usage();
    std::wstring verb = argv[1];
    if (verb == L"acp") {
        std::printf("%u\n", GetACP());
        return 0;
    }
    if (argc < 3)
        return Usage();
    if (verb == L"wait" || verb == L"gone")
        return WaitFor(argv[2], verb == L"wait", argc > 3 ? _wtof(argv[3]) : 10.0) ? 0 : 1;
    if (verb == L"record" && argc > 3) {
        // Stands in for the browser: keeps the address it was asked to open.
        FILE* f = _wfopen(argv[2], L"wb");
        if (!f)
            return 1;
        std::string address = WideToUtf8(argv[3]);
        std::fwrite(address.data(), 1, address.size(), f);
        std::fclose(f);
        return 0;
    }
    if (verb == L"touch") {
        // Made from inside, so the file's Unix name is whatever this locale maps it to.
        std::wstring path = AnsiToWide(Bytes(argv[2]), 932);
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return 1;
        CloseHandle(h);
        return 0;
    }
    if (verb == L"load" || verb == L"write" || verb == L"native-read" || verb == L"native-write")
        return Settings(verb, argc, argv);

    HWND h = FindWindowW(nullptr, argv[2]);
    if (!h) {
        std::fprintf(stderr, "no window titled '%s'\n", WideToUtf8(argv[2]).c_str());
        return 1;
    }
    if (verb == L"window") {
        PrintWindow(h);
    } else if (verb == L"children") {
        EnumChildWindows(h, PrintChild, 0);
    } else if (verb == L"focus") {
        std::printf("%d\n", FocusOf(h));
    } else if (verb == L"close") {
        PostMessageW(h, WM_CLOSE, 0, 0);
    } else if (verb == L"minimize" || verb == L"restore") {
        ShowWindow(h, verb == L"minimize" ? SW_MINIMIZE : SW_RESTORE);
    } else if (verb == L"kill") {
        // Ends the window's program as a task manager would, without a word to it.
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
        if (!process || !TerminateProcess(process, 9))
            return 1;
        CloseHandle(process);
    } else if (verb == L"endsession") {
        // What the window receives when the user logs off.
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(h, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                            &answer);
    } else if (verb == L"syscommand" && argc > 3) {
        std::wstring what = argv[3];
        WPARAM cmd = what == L"monitorpower" ? SC_MONITORPOWER
                     : what == L"close"      ? SC_CLOSE
                                             : SC_SCREENSAVE;
        SendMessageW(h, WM_SYSCOMMAND, cmd, 2);
    } else if (verb == L"move" && argc > 4) {
        // Puts the window over another, to cover part of it.
        SetWindowPos(h, HWND_TOPMOST, _wtoi(argv[3]), _wtoi(argv[4]), 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        return Usage();
    }
    std::fflush(stdout);
    return 0;
}
