// The renderer's own scene code and nothing else: no overlay, no frame-rate measurement.
// Motion is stepped at a fixed 70 fps, near the renderer's own rate here, from a field that
// has already run for a while (a fresh field arrives as one wave and costs more to fill).
// With "overlay" it alternates slices without and with the renderer's overlay in one
// process, which isolates the overlay's cost from load elsewhere on the machine.
#include "bench_window.h"
#include "renderer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

RendererState renderer;
PerformanceCounter performance_counter;

namespace {

void scene_frame() {
    draw_jewels();
    glFinish();
}

void overlay_frame() {
    draw_jewels();
    gl_printf(1.0f, 1.0f, 1.0f, 0.5f, renderer.view_width - 114, renderer.view_height - 40,
              renderer.font_list_base, "%5.1f fps", renderer.rate.fps);
    glFinish();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
    BenchWindow w;
    if (init_jewels() != 0 || !open_bench_window(instance, "scene loop", w))
        return 1;
    renderer.context_current = true;
    renderer.view_width = w.width;
    renderer.view_height = w.height;
    renderer.font_list_base = glGenLists(255);
    SelectObject(w.dc, GetStockObject(SYSTEM_FONT));
    wglUseFontBitmapsA(w.dc, 0, 255, renderer.font_list_base);
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
    if (!std::strstr(command_line, "overlay")) {
        std::printf("%.1f\n", run_bench_loop(w, seconds, swap, scene_frame));
        return 0;
    }
    std::vector<double> without, with;
    for (int slice = 0; slice < 10; ++slice) {
        without.push_back(run_bench_loop(w, seconds / 10, swap, scene_frame));
        with.push_back(run_bench_loop(w, seconds / 10, swap, overlay_frame));
    }
    std::printf("%.1f %.1f\n", median(without), median(with));
    return 0;
}
