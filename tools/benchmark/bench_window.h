// A window over every monitor with the renderer's pixel format, for the loops the renderer is
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

// Handles waiting messages as the renderer does (Wine reads X events here); false once the
// loop should end.
bool pump_bench_messages();

// Runs frame() back to back for the given seconds, or until it returns false, and gives
// the frames per second.
double run_bench_loop(double seconds, bool (*frame)());

// The seconds given on a loop program's command line, 4 when there are none.
double bench_seconds(const char* command_line);
