// Stands in for the renderer in the shell's tests. Installed as Orvanne.dll, it does what
// STANDIN_MODE asks: "window" (default) shows a window "Vellis_VC" after STANDIN_DELAY_MS
// and closes it after STANDIN_LIFE_MS, on Esc release or on WM_CLOSE; "hidden" stays
// alive without a window; "exit" ends at once. STANDIN_LOG names a file that receives its
// command line and show state.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

DWORD EnvNumber(const char* name, DWORD fallback) {
    const char* text = std::getenv(name);
    return text && *text ? static_cast<DWORD>(std::strtoul(text, nullptr, 10)) : fallback;
}

void Log() {
    const char* path = std::getenv("STANDIN_LOG");
    if (!path || !*path)
        return;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    int n = WideCharToMultiByte(CP_UTF8, 0, GetCommandLineW(), -1, nullptr, 0, nullptr, nullptr);
    std::string line(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, GetCommandLineW(), -1, &line[0], n, nullptr, nullptr);
    if (std::FILE* f = std::fopen(path, "w")) {
        std::fprintf(f, "cmdline=%s\nshow=%u\nflags=%lu\n", line.c_str(), startup.wShowWindow,
                     static_cast<unsigned long>(startup.dwFlags));
        std::fclose(f);
    }
}

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYUP:
        if (wParam == VK_ESCAPE)
            DestroyWindow(hwnd);
        return 0;
    case WM_TIMER:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(1);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    Log();
    const char* modeText = std::getenv("STANDIN_MODE");
    std::string mode = modeText ? modeText : "window";
    if (mode == "exit")
        return 0;
    if (mode == "hidden") {
        Sleep(EnvNumber("STANDIN_LIFE_MS", 60000));
        return 0;
    }
    Sleep(EnvNumber("STANDIN_DELAY_MS", 0));
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = L"StandinRenderer";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowW(L"StandinRenderer", L"Vellis_VC", WS_POPUP, 0, 0, 320, 240, nullptr,
                              nullptr, instance, nullptr);
    ShowWindow(hwnd, show);
    if (DWORD life = EnvNumber("STANDIN_LIFE_MS", 0))
        SetTimer(hwnd, 1, life, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 1;
}
