// The saver's entry: refuses a second copy, reads the command line and
// hands over to the form it asks for.
#include "command_line.h"
#include "file_access.h"
#include "forms_win32.h"
#include "preview_form_win32.h"
#include "program_win32.h"
#include "run_form_win32.h"
#include "settings_dialog_win32.h"
#include "shell_state.h"

namespace orvanne {
namespace {

const char kApplicationTitle[] = "Orvanne (ScreenSaver)";
const char kRendererNotFound[] = "Orvanne.dllが同じﾌｫﾙﾀﾞに見つかりません！";

bool WindowTitled(const char* title) {
    return FindWindowW(nullptr, Utf8ToWide(title).c_str()) != nullptr;
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

    shell.bgm = LoadSettings(SettingsPath(), MusicFileExists);
    if (!FileExists(RendererPath())) {
        forms::ShowMessage(nullptr, kRendererNotFound, kApplicationTitle, MB_OK);
        EndProgram();
    }
    if (request == Request::Settings) {
        ShowSettingsDialog(shell.bgm, SettingsPath());
        EndProgram();
    }
    if (request == Request::Unserved)
        EndProgram();

    bool hideCursor = HidesCursor(args);
    if (hideCursor)
        shell.cursorShowCount = ShowCursor(FALSE);
    StartRunForm(hideCursor);
}

} // namespace
} // namespace orvanne

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    orvanne::Main();
    orvanne::forms::RunMessageLoop();
    return 0;
}
