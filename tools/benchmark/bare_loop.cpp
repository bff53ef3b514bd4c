// The floor of a frame on this display: clear, finish and swap, nothing drawn.
#include "bench_window.h"

#include <GL/gl.h>

#include <cstdio>

namespace {

void clear_frame() {
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
    BenchWindow w;
    if (!open_bench_window(instance, "bare loop", w))
        return 1;
    double seconds;
    bool swap;
    parse_bench_args(command_line, seconds, swap);
    std::printf("%.1f\n", run_bench_loop(w, seconds, swap, clear_frame));
    return 0;
}
