#include "entry.h"

#include "entry_logic.h"
#include "file_access.h"
#include "forms.h"
#include "preview_form.h"
#include "run_form.h"
#include "shell_state.h"

namespace orvanne {
namespace {

const char kRendererNotFound[] = "Orvanne.dllが同じﾌｫﾙﾀﾞに見つかりません！";

bool WindowTitled(const char* title) {
    return FindWindowW(nullptr, forms::Utf8ToWide(title).c_str()) != nullptr;
}

} // namespace

HWND PreviewHost(std::string_view args) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(HostNumber(args)));
}

void EndProgram() {
    ExitProcess(0);
}

std::string CommandArguments() {
    return ArgumentText(forms::WideToUtf8(GetCommandLineW()));
}

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
    return forms::WideToUtf8(slash == std::wstring::npos ? std::wstring() : path.substr(0, slash));
}

std::string SettingsPath() {
    return SettingsPathIn(ProgramFolder());
}

std::string RendererPath() {
    return ProgramFolder() + "\\" + kRendererFileName;
}

bool MusicFileExists(const std::string& cp932Path) {
    return FileExists(forms::WideToUtf8(forms::AnsiToWide(cp932Path, 932)));
}

void Main() {
    // Both looks always run, so a preview is refused as well while either window is open.
    bool running = WindowTitled(kRunFormCaption);
    bool dialogOpen = WindowTitled(kSettingsDialogCaption);
    if (running || dialogOpen)
        EndProgram();

    std::string args = CommandArguments();
    Request request = RequestOf(args);
    if (request == Request::Preview) {
        // With no such host nothing is shown and the program ends at once.
        ShowPreview(PreviewHost(args));
        return;
    }

    Shell().bgm = LoadSettings(SettingsPath(), MusicFileExists);
    if (!FileExists(RendererPath())) {
        forms::ShowMessage(nullptr, kRendererNotFound, kApplicationTitle, MB_OK);
        EndProgram();
    }
    if (request == Request::Settings) {
        // The settings dialog (Vellis_P) is shown modally here.
        EndProgram();
    }
    if (request == Request::Unserved)
        EndProgram();

    if (HidesCursor(args))
        Shell().CursorShowCount = ShowCursor(FALSE);
    StartRunForm();
}

} // namespace orvanne

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    orvanne::Main();
    orvanne::forms::RunMessageLoop();
    return 0;
}
