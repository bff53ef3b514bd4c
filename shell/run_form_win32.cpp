#include "run_form_win32.h"

#include "bgm.h"
#include "forms_win32.h"
#include "mci_port_win32.h"
#include "program_win32.h"
#include "renderer_identity.h"
#include "renderer_watch.h"
#include "run_music.h"
#include "shell_state.h"

#include <optional>

namespace orvanne {
namespace {

class RunForm : public forms::Form {
  public:
    explicit RunForm(bool cursorHidden) : bgm_(port_, shell.bgm), cursorHidden_(cursorHidden) {}
    ~RunForm() override { Destroy(); }

    void Load();

  private:
    enum TimerId : UINT_PTR { kMp3RepeatTimer = 1, kCdWatchTimer, kRendererWatchTimer };

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR id) override;

    void StartRenderer();
    bool RendererRunning() const;
    [[noreturn]] void QueryUnload();

    WinMciPort port_;
    Bgm bgm_;
    // Starts the MP3 again once it has played to its end.
    forms::Timer mp3RepeatTimer_{*this, kMp3RepeatTimer, 1000};
    // Keeps the audio CD playing its track; stops once the CD cannot be used.
    forms::Timer cdWatchTimer_{*this, kCdWatchTimer, 200};
    // Looks for the renderer's window; the run ends once it has gone.
    forms::Timer rendererWatchTimer_{*this, kRendererWatchTimer, 50};
    // Empty until the renderer has been started: a tick while the music starts finds none.
    std::optional<RendererWatch> watch_;
    HANDLE renderer_ = nullptr;
    bool cursorHidden_;
};

void RunForm::Load() {
    if (!Create(kRunFormCaption, WS_OVERLAPPED, WS_EX_TOOLWINDOW, 0, 0, 0, 0))
        EndProgram();
    rendererWatchTimer_.SetEnabled(true);
    MusicTimers timers = StartMusic(bgm_, shell.bgm);
    mp3RepeatTimer_.SetEnabled(timers.mp3Repeat);
    cdWatchTimer_.SetEnabled(timers.cdWatch);
    StartRenderer();
}

void RunForm::StartRenderer() {
    std::wstring path = Utf8ToWide(RendererPath());
    // Quoted so that a folder with blanks still names the program; no arguments follow.
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    bool started = CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &startup, &process) != 0;
    if (started) {
        CloseHandle(process.hThread);
        renderer_ = process.hProcess;
    }
    watch_.emplace(GetTickCount(), started);
}

bool RunForm::RendererRunning() const {
    return renderer_ && WaitForSingleObject(renderer_, 0) == WAIT_TIMEOUT;
}

LRESULT RunForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Any unload ends the run: a close request, log-off or shutdown.
    if (message == WM_CLOSE || message == WM_QUERYENDSESSION ||
        (message == WM_ENDSESSION && wParam))
        QueryUnload();
    return Form::OnMessage(message, wParam, lParam);
}

void RunForm::OnTimer(UINT_PTR id) {
    switch (id) {
    case kMp3RepeatTimer:
        bgm_.Mp3KeepPlaying();
        break;
    case kCdWatchTimer:
        bgm_.CdWatch();
        cdWatchTimer_.SetEnabled(bgm_.CdKeepWatching());
        break;
    case kRendererWatchTimer: {
        if (!watch_)
            break;
        bool found = FindWindowA(nullptr, orvanne::kRendererWindowTitle) != nullptr;
        if (watch_->RunIsOver(found, RendererRunning(), GetTickCount())) {
            rendererWatchTimer_.SetEnabled(false);
            QueryUnload();
        }
        break;
    }
    }
}

void RunForm::QueryUnload() {
    bool cdWatching = cdWatchTimer_.Enabled();
    cdWatchTimer_.SetEnabled(false);
    StopMusic(bgm_, shell.bgm, cdWatching);
    // The count kept from the hide is -1 for a plainly visible cursor: nonzero shows.
    if (cursorHidden_)
        shell.cursorShowCount = ShowCursor(shell.cursorShowCount != 0);
    EndProgram();
}

} // namespace

void StartRunForm(bool cursorHidden) {
    // Lives until the process ends; EndProgram never returns here.
    static RunForm form(cursorHidden);
    form.Load();
}

} // namespace orvanne
