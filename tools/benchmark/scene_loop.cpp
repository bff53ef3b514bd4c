// The renderer's frame taken apart, to show what everything outside drawing the scene
// costs. Slices of three kinds of frame alternate in one process, so that the field and
// any load from elsewhere fall on all three alike:
//   scene  the scene alone (draw_jewels, glFinish), nothing shown;
//   swap   the scene and the buffer swap;
//   whole  what the renderer does: scene, overlay, glFinish, frame-rate measurement, swap
//          and message pump.
// Prints the median frames per second of each kind, in that order.
#include "bench_window.h"
#include "renderer.h"

#include <algorithm>
#include <cstdio>
#include <vector>

RendererState renderer;
PerformanceCounter performance_counter;

namespace {

BenchWindow bench;

bool scene_frame() {
    draw_jewels();
    glFinish();
    return true;
}

bool swap_frame() {
    draw_jewels();
    glFinish();
    SwapBuffers(bench.dc);
    return true;
}

bool whole_frame() {
    draw_jewels();
    if (renderer.rate.fps != 0.0f && renderer.show_fps)
        gl_printf(1.0f, 1.0f, 1.0f, 0.5f, renderer.view_width - 114, renderer.view_height - 40,
                  renderer.font_list_base, "%5.1f fps", renderer.rate.fps);
    glFinish();
    stars::count_frame(renderer.rate, performance_counter);
    SwapBuffers(bench.dc);
    return pump_bench_messages();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
    if (init_jewels() != 0 || !open_bench_window(instance, "scene loop", bench))
        return 1;
    renderer.context_current = true;
    renderer.view_width = bench.width;
    renderer.view_height = bench.height;
    renderer.font_list_base = glGenLists(255);
    SelectObject(bench.dc, GetStockObject(SYSTEM_FONT));
    wglUseFontBitmapsA(bench.dc, 0, 255, renderer.font_list_base);
    if (init_gl_scene() != 0)
        return 1;
    resize_view();
    // A fresh field arrives as one wave and costs more to fill: age it by 20 s first.
    renderer.rate.fps = 70.0f;
    stars::SeededRandom random(1);
    for (int n = 0; n < 20 * 70; ++n)
        for (int i = 0; i < stars::jewel_count; ++i)
            stars::step_jewel(scene.jewels[i], renderer.rate.fps, random);

    const int slices = 10;
    const double slice = bench_seconds(command_line) / slices;
    bool (*const kinds[3])() = {scene_frame, swap_frame, whole_frame};
    std::vector<double> rates[3];
    for (int n = 0; n < slices; ++n)
        for (int k = 0; k < 3; ++k) {
            rates[k].push_back(run_bench_loop(slice, kinds[k]));
            if (!pump_bench_messages())
                return 1;
        }
    std::printf("%.1f %.1f %.1f\n", median(rates[0]), median(rates[1]), median(rates[2]));
    return 0;
}
