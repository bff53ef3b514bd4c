// Stands in for the renderer in the shell's tests. Installed as Orvanne.dll, it waits
// STANDIN_DELAY_MS, then with STANDIN_MODE=exit ends without a window, or else shows a
// window "Vellis_VC" until Esc is released or it is closed. STANDIN_LOG names a file for
// its command line and show state.
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
    Sleep(std::atoi(Env("STANDIN_DELAY_MS").c_str()));
    if (Env("STANDIN_MODE") == "exit")
        return 0;
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
