// Plays the display settings' part for the preview: a window with a little borderless
// "monitor" child whose number is handed to the saver as /p <HWND> or /p:<HWND>.
//   preview_host external W H SAVER SEP ROUNDS HOLD_MS [DECOY_TITLE]
//     SEP is "space" or "colon". Each round makes a fresh monitor, starts the saver on it,
//     reports the preview window found inside it, keeps it HOLD_MS more milliseconds, then
//     destroys the monitor and reports how long the saver took to end. DECOY_TITLE opens a
//     top-level window with that title first.
//   preview_host abandon W H SAVER
//     Hosts one preview, prints the saver's process id and ends at once, destroying nothing.
//   preview_host zoom X Y
//     Puts the cursor at (X, Y), takes its position as the zoom point, zooms a window out of it and
//     back into it (after moving the cursor away) and prints the animation frames it saw on the
//     screen.
//   preview_host watch ZOOMS SECONDS
//     Prints the frames of the next ZOOMS zooms another program shows, as zoom does.
//   preview_host inprocess W H
//     Shows the preview form in this process (its drawing then reaches the screen), prints
//     the monitor's screen rectangle and runs until "Preview Host" is closed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "preview_form.h"
#include "zoom.h"

namespace {

const wchar_t kHostClass[] = L"PreviewHostFrame";
const wchar_t kMonitorClass[] = L"PreviewHostMonitor";
const int kMargin = 20;

LRESULT CALLBACK FrameProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(h, message, wParam, lParam);
}

void Register() {
    WNDCLASSW wc{};
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpfnWndProc = FrameProc;
    wc.hbrBackground = CreateSolidBrush(RGB(128, 128, 128));
    wc.lpszClassName = kHostClass;
    RegisterClassW(&wc);
    // Magenta shows wherever the preview fails to cover its monitor.
    wc.lpfnWndProc = DefWindowProcW;
    wc.hbrBackground = CreateSolidBrush(RGB(255, 0, 255));
    wc.lpszClassName = kMonitorClass;
    RegisterClassW(&wc);
}

HWND MakeFrame(int w, int h) {
    return CreateWindowExW(0, kHostClass, L"Preview Host", WS_POPUP | WS_VISIBLE, 100, 100,
                           w + 2 * kMargin, h + 2 * kMargin, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

HWND MakeMonitor(HWND frame, int w, int h) {
    return CreateWindowExW(0, kMonitorClass, L"Preview Monitor", WS_CHILD | WS_VISIBLE, kMargin,
                           kMargin, w, h, frame, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Pumps this thread's messages for up to ms milliseconds, or until process ends.
bool Pump(DWORD ms, HANDLE process = nullptr) {
    DWORD end = GetTickCount() + ms;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                return false;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        LONG left = static_cast<LONG>(end - GetTickCount());
        if (left <= 0)
            return true;
        DWORD wait = left < 10 ? static_cast<DWORD>(left) : 10;
        if (process &&
            MsgWaitForMultipleObjects(1, &process, FALSE, wait, QS_ALLINPUT) == WAIT_OBJECT_0)
            return true;
        if (!process)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
    }
}

struct Found {
    HWND preview = nullptr;
    HWND picture = nullptr;
};

HWND ChildTitled(HWND parent, const wchar_t* title) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t text[64] = L"";
        GetWindowTextW(c, text, 64);
        if (std::wcscmp(text, title) == 0)
            return c;
    }
    return nullptr;
}

// Rectangle of a child in its parent's client coordinates.
RECT InParent(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetAncestor(child, GA_PARENT), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Report(int round, HWND monitor, const Found& f) {
    RECT pr = InParent(f.preview);
    RECT pc{};
    GetClientRect(f.preview, &pc);
    RECT ir = f.picture ? InParent(f.picture) : RECT{};
    std::printf("round=%d appeared=1 parent_is_host=%d style=0x%08lx rect=%ld,%ld,%ld,%ld "
                "client=%ld,%ld visible=%d picture=%d picture_rect=%ld,%ld,%ld,%ld\n",
                round, GetAncestor(f.preview, GA_PARENT) == monitor ? 1 : 0,
                static_cast<unsigned long>(GetWindowLongW(f.preview, GWL_STYLE)), pr.left, pr.top,
                pr.right - pr.left, pr.bottom - pr.top, pc.right, pc.bottom,
                IsWindowVisible(f.preview) ? 1 : 0, f.picture ? 1 : 0, ir.left, ir.top,
                ir.right - ir.left, ir.bottom - ir.top);
}

bool StartSaver(const char* saver, bool colon, HWND monitor, PROCESS_INFORMATION& pi) {
    std::string cmd = std::string("\"") + saver + "\" /p" + (colon ? ":" : " ") +
                      std::to_string(reinterpret_cast<INT_PTR>(monitor));
    STARTUPINFOA si{};
    si.cb = sizeof si;
    return CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi) != FALSE;
}

// Waits up to 10 s for the preview window inside monitor, or for the saver to end.
HWND WaitForPreview(HWND monitor, HANDLE process) {
    DWORD started = GetTickCount();
    while (GetTickCount() - started < 10000) {
        Pump(20, process);
        if (HWND preview = ChildTitled(monitor, L"Preview Window"))
            return preview;
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
            break;
    }
    return nullptr;
}

int External(int w, int h, const char* saver, bool colon, int rounds, DWORD hold,
             const char* decoy) {
    if (decoy) {
        std::wstring title(decoy, decoy + std::strlen(decoy));
        CreateWindowExW(0, kHostClass, title.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                        GetModuleHandleW(nullptr), nullptr);
    }
    HWND frame = MakeFrame(w, h);
    for (int round = 1; round <= rounds; ++round) {
        HWND monitor = MakeMonitor(frame, w, h);
        PROCESS_INFORMATION pi{};
        if (!StartSaver(saver, colon, monitor, pi)) {
            std::printf("round=%d start_failed=%lu\n", round, GetLastError());
            return 1;
        }
        DWORD started = GetTickCount();
        Found f;
        f.preview = WaitForPreview(monitor, pi.hProcess);
        if (f.preview) {
            Pump(300);
            f.picture = ChildTitled(f.preview, L"Img_Prev");
            Report(round, monitor, f);
            std::fflush(stdout);
            Pump(hold);
            DWORD destroyed = GetTickCount();
            DestroyWindow(monitor);
            Pump(5000, pi.hProcess);
            bool gone = WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
            std::printf("round=%d host_destroyed ended=%d ended_ms=%lu\n", round, gone ? 1 : 0,
                        GetTickCount() - destroyed);
        } else {
            bool ended = WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
            DWORD code = STILL_ACTIVE;
            GetExitCodeProcess(pi.hProcess, &code);
            std::printf("round=%d appeared=0 ended=%d ended_ms=%lu code=%lu monitor_children=%d\n",
                        round, ended ? 1 : 0, GetTickCount() - started, code,
                        GetWindow(monitor, GW_CHILD) ? 1 : 0);
            DestroyWindow(monitor);
            TerminateProcess(pi.hProcess, 9);
        }
        std::fflush(stdout);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    DestroyWindow(frame);
    return 0;
}

// Hosts one preview, then ends this process at once, destroying nothing itself, as a host
// that crashes would.
int Abandon(int w, int h, const char* saver) {
    HWND monitor = MakeMonitor(MakeFrame(w, h), w, h);
    PROCESS_INFORMATION pi{};
    if (!StartSaver(saver, false, monitor, pi))
        return 1;
    bool appeared = WaitForPreview(monitor, pi.hProcess) != nullptr;
    std::printf("appeared=%d pid=%lu\n", appeared ? 1 : 0, pi.dwProcessId);
    std::fflush(stdout);
    ExitProcess(appeared ? 0 : 1);
}

// The zoom's caption strip as seen on the screen, frame by frame.
struct StripWatch {
    volatile bool stop = false;
    std::string frames;
    int count = 0;
    int drawn = 0;
    RECT last{-1, -1, -1, -1};
};

// One look at the strip: records a new rectangle. False while there is no strip.
bool LookAtStrip(StripWatch& watch) {
    HWND strip = FindWindowW(L"Vellis_Zoom", nullptr);
    RECT r{};
    if (!strip || !IsWindowVisible(strip) || !GetWindowRect(strip, &r))
        return false;
    if (EqualRect(&r, &watch.last))
        return true;
    watch.last = r;
    ++watch.count;
    watch.frames += std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                    std::to_string(r.right) + "," + std::to_string(r.bottom) + ";";
    // The strip is painted in the caption colour where the screen shows it.
    HDC screen = GetDC(nullptr);
    if (r.right > r.left && r.bottom > r.top &&
        GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2) ==
            GetSysColor(COLOR_ACTIVECAPTION))
        ++watch.drawn;
    ReleaseDC(nullptr, screen);
    return true;
}

// Watches the strip from a second thread while the first one animates.
DWORD WINAPI WatchStrip(void* param) {
    StripWatch& watch = *static_cast<StripWatch*>(param);
    while (!watch.stop) {
        LookAtStrip(watch);
        Sleep(1);
    }
    return 0;
}

void PrintZoom(const char* name, DWORD ms, const StripWatch& watch) {
    std::printf("%s ms=%lu count=%d drawn=%d left_over=%d frames=%s\n", name, ms, watch.count,
                watch.drawn, FindWindowW(L"Vellis_Zoom", nullptr) ? 1 : 0, watch.frames.c_str());
    std::fflush(stdout);
}

void ReportZoom(const char* name, void (*zoom)(HWND), HWND target) {
    StripWatch watch;
    HANDLE thread = CreateThread(nullptr, 0, WatchStrip, &watch, 0, nullptr);
    DWORD started = GetTickCount();
    zoom(target);
    DWORD took = GetTickCount() - started;
    Sleep(20);
    watch.stop = true;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    PrintZoom(name, took, watch);
}

// Watches another program's zooms: a line for each, from the strip's first showing to its
// going, until the given number were seen or the seconds are over.
int WatchZooms(int zooms, int seconds) {
    std::printf("watching\n");
    std::fflush(stdout);
    DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    for (int n = 0; n < zooms && GetTickCount() < end;) {
        StripWatch watch;
        if (!LookAtStrip(watch)) {
            Sleep(1);
            continue;
        }
        DWORD started = GetTickCount();
        while (LookAtStrip(watch))
            Sleep(1);
        // Seen from outside, the strip is hidden a moment before it is destroyed.
        Sleep(50);
        PrintZoom(++n == 1 ? "from" : "to", GetTickCount() - started, watch);
    }
    return 0;
}

int Zoom(int x, int y) {
    SetCursorPos(x, y);
    POINT at{};
    int read = GetCursorPos(&at) ? 1 : 0;
    orvanne::ZoomPoint point = orvanne::RememberCursorPoint();
    std::printf("cursor_read=%d zoom_point=%d,%d caption=%d\n", read, point.x, point.y,
                GetSystemMetrics(SM_CYCAPTION));
    HWND target = CreateWindowExW(0, kHostClass, L"Zoom Target", WS_POPUP | WS_VISIBLE, 600, 400,
                                  480, 252, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    Pump(200);
    ReportZoom("from", orvanne::ZoomFromCursor, target);
    // The way back ends at the remembered point, wherever the cursor is now.
    SetCursorPos(5, 5);
    ReportZoom("to", orvanne::ZoomToCursor, target);
    DestroyWindow(target);
    std::fflush(stdout);
    return 0;
}

int InProcess(int w, int h) {
    HWND frame = MakeFrame(w, h);
    HWND monitor = MakeMonitor(frame, w, h);
    bool shown = orvanne::ShowPreview(monitor);
    RECT r{};
    GetWindowRect(monitor, &r);
    std::printf("shown=%d monitor=%ld,%ld,%ld,%ld\n", shown ? 1 : 0, r.left, r.top,
                r.right - r.left, r.bottom - r.top);
    std::fflush(stdout);
    // Ends when "Preview Host" is closed, or after a minute at most.
    Pump(60000);
    return shown ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    Register();
    if (argc >= 8 && std::strcmp(argv[1], "external") == 0)
        return External(std::atoi(argv[2]), std::atoi(argv[3]), argv[4],
                        std::strcmp(argv[5], "colon") == 0, std::atoi(argv[6]),
                        static_cast<DWORD>(std::atoi(argv[7])), argc > 8 ? argv[8] : nullptr);
    if (argc >= 5 && std::strcmp(argv[1], "abandon") == 0)
        return Abandon(std::atoi(argv[2]), std::atoi(argv[3]), argv[4]);
    if (argc >= 4 && std::strcmp(argv[1], "zoom") == 0)
        return Zoom(std::atoi(argv[2]), std::atoi(argv[3]));
    if (argc >= 4 && std::strcmp(argv[1], "watch") == 0)
        return WatchZooms(std::atoi(argv[2]), std::atoi(argv[3]));
    if (argc >= 4 && std::strcmp(argv[1], "inprocess") == 0)
        return InProcess(std::atoi(argv[2]), std::atoi(argv[3]));
    std::fprintf(stderr, "usage: preview_host external W H SAVER space|colon ROUNDS HOLD_MS "
                         "[DECOY]\n"
                         "       preview_host abandon W H SAVER\n"
                         "       preview_host zoom X Y\n"
                         "       preview_host watch ZOOMS SECONDS\n"
                         "       preview_host inprocess W H\n");
    return 2;
}
