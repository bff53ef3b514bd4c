#include "program_win32.h"
#include "renderer_identity.h"

#include "command_line.h"
#include "file_access.h"
#include "wide_text.h"
#include "settings_file.h"

namespace orvanne {
namespace {

// The folder of the running program, UTF-8, without a trailing backslash.
std::string ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (n == 0)
            return std::string();
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    size_t slash = path.find_last_of(L"\\/");
    return WideToUtf8(slash == std::wstring::npos ? std::wstring() : path.substr(0, slash));
}

} // namespace

HWND PreviewHost(std::string_view args) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(HostNumber(args)));
}

void EndProgram() {
    ExitProcess(0);
}

std::string CommandArguments() {
    return ArgumentText(WideToUtf8(GetCommandLineW()));
}

std::string SettingsPath() {
    return SettingsPathIn(ProgramFolder());
}

std::string RendererPath() {
    return ProgramFolder() + "\\" + orvanne::kRendererFileName;
}

bool MusicFileExists(const std::string& cp932Path) {
    return FileExists(WideToUtf8(AnsiToWide(cp932Path, 932)));
}

} // namespace orvanne
