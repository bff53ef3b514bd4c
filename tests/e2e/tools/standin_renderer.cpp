// Stands in for the renderer in the shell's tests. Installed as Orvanne.dll, it does what
// STANDIN_MODE asks: "window" (default) shows a window "Vellis_VC" after STANDIN_DELAY_MS
// until Esc is released or it is closed; "hidden" stays STANDIN_LIFE_MS without a window;
// "exit" ends at once. STANDIN_LOG names a file for its command line and show state.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Env(const char* name) {
    const char* text = std::getenv(name);
    return text ? text : "";
}

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYUP && wParam == VK_ESCAPE)
        DestroyWindow(hwnd);
    if (message == WM_DESTROY)
        PostQuitMessage(1);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    if (std::FILE* f = std::fopen(Env("STANDIN_LOG").c_str(), "w")) {
        // The tests keep the saver's folder ASCII, so the ANSI command line is exact.
        std::fprintf(f, "cmdline=%s\nshow=%d\n", GetCommandLineA(), show);
        std::fclose(f);
    }
    std::string mode = Env("STANDIN_MODE");
    if (mode == "exit")
        return 0;
    if (mode == "hidden") {
        Sleep(std::atoi(Env("STANDIN_LIFE_MS").c_str()));
        return 0;
    }
    Sleep(std::atoi(Env("STANDIN_DELAY_MS").c_str()));
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = L"StandinRenderer";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowW(L"StandinRenderer", L"Vellis_VC", WS_POPUP, 0, 0, 320, 240, nullptr,
                              nullptr, instance, nullptr);
    ShowWindow(hwnd, show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 1;
}
