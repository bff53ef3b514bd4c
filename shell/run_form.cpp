#include "run_form.h"

#include "bgm.h"
#include "forms.h"
#include "mci_port_win32.h"
#include "program.h"
#include "renderer_watch.h"
#include "run_music.h"
#include "shell_state.h"

#include <optional>

namespace orvanne {
namespace {

const wchar_t kRendererCaption[] = L"Vellis_VC";

class RunForm : public forms::Form {
  public:
    explicit RunForm(bool cursorHidden) : bgm_(port_, shell.bgm), cursorHidden_(cursorHidden) {}
    ~RunForm() override { Destroy(); }

    void Load();

  private:
    enum TimerId : UINT_PTR { kTimer1 = 1, kTimer2, kTimer3 };

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR id) override;

    void StartRenderer();
    bool RendererRunning() const;
    [[noreturn]] void QueryUnload();

    WinMciPort port_;
    Bgm bgm_;
    // Timer1: starts the MP3 again once it has played to its end.
    forms::Timer timer1_{*this, kTimer1, 1000};
    // Timer2: keeps the audio CD playing its track; stops once the CD cannot be used.
    forms::Timer timer2_{*this, kTimer2, 200};
    // Timer3: looks for the renderer's window; the run ends once it has gone.
    forms::Timer timer3_{*this, kTimer3, 50};
    // Empty until the renderer has been started: a tick while the music starts finds none.
    std::optional<RendererWatch> watch_;
    HANDLE renderer_ = nullptr;
    bool cursorHidden_;
};

void RunForm::Load() {
    if (!Create(kRunFormCaption, WS_OVERLAPPED, WS_EX_TOOLWINDOW, 0, 0, 0, 0))
        EndProgram();
    timer3_.SetEnabled(true);
    MusicTimers timers = StartMusic(bgm_, shell.bgm);
    timer1_.SetEnabled(timers.mp3_repeat);
    timer2_.SetEnabled(timers.cd_watch);
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
    case kTimer1:
        bgm_.Mp3KeepPlaying();
        break;
    case kTimer2:
        bgm_.CdWatch();
        timer2_.SetEnabled(bgm_.CdKeepWatching());
        break;
    case kTimer3: {
        if (!watch_)
            break;
        bool found = FindWindowW(nullptr, kRendererCaption) != nullptr;
        if (watch_->RunIsOver(found, RendererRunning(), GetTickCount())) {
            timer3_.SetEnabled(false);
            QueryUnload();
        }
        break;
    }
    }
}

void RunForm::QueryUnload() {
    bool cdWatching = timer2_.Enabled();
    timer2_.SetEnabled(false);
    StopMusic(bgm_, shell.bgm, cdWatching);
    // The count kept from the hide is -1 for a plainly visible cursor: nonzero shows.
    if (cursorHidden_)
        shell.CursorShowCount = ShowCursor(shell.CursorShowCount != 0);
    EndProgram();
}

} // namespace

void StartRunForm(bool cursorHidden) {
    // Lives until the process ends; EndProgram never returns here.
    static RunForm form(cursorHidden);
    form.Load();
}

} // namespace orvanne
