// A full-screen window with the renderer's pixel format, for the loops the renderer is
// measured against.
#pragma once

#include <windows.h>

struct BenchWindow {
    HWND window = nullptr;
    HDC dc = nullptr;
    HGLRC context = nullptr;
    int width = 0;
    int height = 0;
};

// Opens the window titled title with a current context; false if any step fails.
bool open_bench_window(HINSTANCE instance, const char* title, BenchWindow& out);

// Handles waiting messages (Wine reads X events here); false once the loop should end.
bool pump_bench_messages();

// Runs frame() back to back with a buffer swap after each (unless swap is false) for the
// given seconds, and gives the frames per second.
double run_bench_loop(BenchWindow& w, double seconds, bool swap, void (*frame)());

// The seconds and "noswap" arguments of a loop program's command line.
void parse_bench_args(const char* command_line, double& seconds, bool& swap);
