// A window with a few Command buttons for the end-to-end tests. It logs where each button
// stands on the screen and every Click it receives.
//
//     button_host.exe LOG
//
// Buttons: 1 "OK" (25 px high), 2 "..." (21 px), 3 "Close" (destroys itself when clicked),
// 4 "Target", 5 "Toggle" (switches Enabled of 4), 6 a 6 x 5 px one, 7 "設定" in code page 932.
#include <windows.h>

#include <cstdio>

#include "command_button.h"

namespace {

constexpr char kTitle[] = "Button Host";

struct Host {
    FILE* log = nullptr;
    HWND buttons[8] = {};
};
Host g_host;

void Log(const char* format, int a, int b = 0, int c = 0, int d = 0, int e = 0) {
    std::fprintf(g_host.log, format, a, b, c, d, e);
    std::fflush(g_host.log);
}

void OnClick(int id) {
    Log("click %d\n", id);
    if (id == 3) {
        DestroyWindow(g_host.buttons[3]);
        g_host.buttons[3] = nullptr;
        Log("destroyed %d\n", id);
    } else if (id == 5) {
        HWND target = g_host.buttons[4];
        orvanne::CommandSetEnabled(target, !orvanne::CommandGetEnabled(target));
    }
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            OnClick(LOWORD(wParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void Place(HWND window) {
    using orvanne::CommandPlacement;
    const struct {
        CommandPlacement place;
        const char* caption;
    } layout[] = {
        {{1, 300, 300, 1095, 375}, "OK"},
        {{2, 1500, 300, 435, 315}, "..."},
        {{3, 2100, 300, 1035, 375}, "Close"},
        {{4, 300, 900, 1095, 375}, "Target"},
        {{5, 1500, 900, 1095, 375}, "Toggle"},
        {{6, 2700, 900, 90, 75}, "x"},
        {{7, 300, 1500, 1095, 375}, "\x90\xdd\x92\xe8"},
    };
    for (const auto& b : layout) {
        HWND h = orvanne::CreateCommand(window, b.place, b.caption);
        g_host.buttons[b.place.id] = h;
        orvanne::CommandInitialize(h);
    }
}

void LogPlaces() {
    for (int id = 1; id < 8; ++id) {
        RECT r;
        GetWindowRect(g_host.buttons[id], &r);
        Log("button %d %d %d %d %d\n", id, r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    g_host.log = std::fopen(argv[1], "w");
    if (!g_host.log)
        return 2;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!orvanne::RegisterCommandClass(instance))
        return 3;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = CreateSolidBrush(RGB(0xEC, 0xE9, 0xD8));
    wc.lpszClassName = "ButtonHost";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, "ButtonHost", kTitle,
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 40, 40, 260,
                                  160, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 3;
    Place(window);
    UpdateWindow(window);
    LogPlaces();
    Log("ready %d\n", 1);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // Tab moves the focus between the buttons.
        if (IsDialogMessageA(window, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    std::fclose(g_host.log);
    return 0;
}
