// The floor of a frame on this display: clear, finish, swap and pump, nothing drawn.
#include "bench_window.h"

#include <GL/gl.h>

#include <cstdio>

namespace {

BenchWindow bench;

bool clear_frame() {
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
    SwapBuffers(bench.dc);
    return pump_bench_messages();
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
    if (!open_bench_window(instance, "bare loop", bench))
        return 1;
    std::printf("%.1f\n", run_bench_loop(bench_seconds(command_line), clear_frame));
    return 0;
}
