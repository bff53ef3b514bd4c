// The renderer's own scene code and nothing else: no overlay, no frame-rate measurement.
// Motion is stepped at a fixed 70 fps, near the renderer's own rate here, from a field that
// has already run for a while (a fresh field arrives as one wave and costs more to fill).
#include "bench_window.h"
#include "renderer.h"

RendererState renderer;
PerformanceCounter performance_counter;

namespace {

void scene_frame() {
    draw_jewels();
    glFinish();
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
    BenchWindow w;
    if (init_jewels() != 0 || !open_bench_window(instance, "scene loop", w))
        return 1;
    renderer.context_current = true;
    renderer.view_width = w.width;
    renderer.view_height = w.height;
    if (init_gl_scene() != 0)
        return 1;
    resize_view();
    renderer.rate.fps = 70.0f;
    stars::SeededRandom random(1);
    for (int n = 0; n < 3000; ++n)
        for (int i = 0; i < stars::jewel_count; ++i)
            stars::step_jewel(scene.jewels[i], renderer.rate.fps, random);
    double seconds;
    bool swap;
    parse_bench_args(command_line, seconds, swap);
    run_bench_loop(w, seconds, swap, scene_frame);
    return 0;
}
