// Reads and writes the settings file inside Wine, through the shell's own code and through
// the platform's private-profile calls, so a test can compare bytes and values under any
// code page. Values are printed and taken as hexadecimal bytes.
//   settings_probe load INI             -> kind=N repeat=N file=HEX
//   settings_probe write INI KIND REPEAT FILEHEX
//   settings_probe native-read INI KEYHEX -> HEX
//   settings_probe native-write INI KEYHEX VALUEHEX
//   settings_probe touch PATHHEX         (a code page 932 path; creates the file)
//   settings_probe acp                   -> the ANSI code page
#include "program.h"
#include "forms.h"
#include "settings_file.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

using namespace orvanne;

std::string Hex(const std::string& bytes) {
    std::string out;
    char pair[3];
    for (unsigned char b : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", b);
        out += pair;
    }
    return out;
}

std::string Bytes(const char* hex) {
    std::string out;
    for (const char* p = hex; p[0] && p[1]; p += 2)
        out += static_cast<char>(std::stoi(std::string(p, 2), nullptr, 16));
    return out;
}

// The INI path as the shell would hold it: UTF-8.
std::string Utf8Arg(const wchar_t* arg) {
    return WideToUtf8(arg);
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc >= 2 && std::wstring(argv[1]) == L"acp") {
        std::printf("%u\n", GetACP());
        return 0;
    }
    if (argc < 3)
        return 2;
    std::wstring verb = argv[1];
    if (verb == L"touch") {
        // Made from inside, so the file's Unix name is whatever this locale maps it to.
        std::wstring path = AnsiToWide(Bytes(Utf8Arg(argv[2]).c_str()), 932);
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return 1;
        CloseHandle(h);
        return 0;
    }
    std::string ini = Utf8Arg(argv[2]);
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
        s.BgmFile = Bytes(Utf8Arg(argv[5]).c_str());
        return SaveSettings(ini, s) ? 0 : 1;
    }
    // The platform's calls take the path in the ANSI code page; the tests keep it ASCII.
    std::string path = WideToAnsi(argv[2], CP_ACP);
    if (verb == L"native-read" && argc >= 4) {
        char value[256] = "";
        GetPrivateProfileStringA(kSettingsSection, Bytes(Utf8Arg(argv[3]).c_str()).c_str(), "",
                                 value, sizeof value, path.c_str());
        std::printf("%s\n", Hex(value).c_str());
        return 0;
    }
    if (verb == L"native-write" && argc >= 5) {
        return WritePrivateProfileStringA(kSettingsSection, Bytes(Utf8Arg(argv[3]).c_str()).c_str(),
                                          Bytes(Utf8Arg(argv[4]).c_str()).c_str(), path.c_str())
                   ? 0
                   : 1;
    }
    return 2;
}
