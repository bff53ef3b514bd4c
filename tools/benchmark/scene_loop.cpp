// The renderer's frame taken apart, to show what everything outside drawing the scene
// costs. Slices of three kinds of frame alternate in one process, so that the field and
// any load from elsewhere fall on all three alike:
//   scene  the scene alone (draw_field, glFinish), nothing shown;
//   swap   the scene and the buffer swap;
//   whole  what the renderer does: scene, overlay, glFinish, frame-rate measurement, swap
//          and message pump.
// The renderer's own work besides the scene and the swap (overlay, measurement, pump) is
// small against a frame's noise, so it is also timed alone, over many repetitions.
// Prints the median frames per second of each kind, in that order; the median shares a
// frame of everything outside the scene, of the swap, and of the rest; then microseconds
// of the overlay, the measurement and the pump timed alone.
#include "bench_window.h"
#include "renderer.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

Renderer renderer;

BenchWindow bench;

bool scene_frame() {
    orvanne::draw_field(renderer.scene, renderer.rate.fps, renderer.random);
    glFinish();
    return true;
}

bool swap_frame() {
    orvanne::draw_field(renderer.scene, renderer.rate.fps, renderer.random);
    glFinish();
    SwapBuffers(bench.dc);
    return true;
}

bool whole_frame() {
    draw_frame(renderer);
    return pump_bench_messages();
}

orvanne::FrameRate spare_rate;

bool finish_only() {
    glFinish();
    return true;
}

bool overlay_only() {
    orvanne::draw_fps_overlay(87.5f, bench.width, bench.height, renderer.font_list_base);
    glFinish();
    return true;
}

bool measurement_only() {
    orvanne::count_frame(spare_rate, renderer.counter);
    return true;
}

bool pump_only() {
    return pump_bench_messages();
}

double microseconds_each(bool (*work)()) {
    return 1e6 / run_bench_loop(0.5, work);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
    if (orvanne::init_field(renderer.scene, renderer.random) != 0 ||
        !open_bench_window(instance, "scene loop", bench))
        return 1;
    renderer.context_current = true;
    renderer.dc = bench.dc;
    renderer.views = orvanne::whole_client(bench.width, bench.height);
    renderer.font_list_base = make_overlay_font(bench.dc);
    if (orvanne::init_field_gl(renderer.scene) != 0)
        return 1;
    orvanne::restart_frame_rate(renderer.rate, renderer.counter);
    // A fresh field arrives as one wave and costs more to fill: age it by 20 s first.
    renderer.rate.fps = 70.0f;
    orvanne::SeededRandom random(1);
    for (int n = 0; n < 20 * 70; ++n)
        for (int i = 0; i < orvanne::jewel_count; ++i)
            orvanne::step_jewel(renderer.scene.jewels[i], renderer.rate.fps, random);

    // Short slices in triples, every other triple run backwards, so that the three kinds
    // of each triple see nearly the same field; shares are taken triple by triple.
    const int triples = 24;
    const double slice = bench_seconds(command_line) / (3 * triples);
    bool (*const kinds[3])() = {scene_frame, swap_frame, whole_frame};
    std::vector<double> rates[3], swap_share, rest_share, outside_share;
    for (int n = 0; n < triples; ++n) {
        double fps[3];
        for (int i = 0; i < 3; ++i) {
            const int k = n % 2 ? 2 - i : i;
            fps[k] = run_bench_loop(slice, kinds[k]);
            if (!pump_bench_messages())
                return 1;
        }
        for (int k = 0; k < 3; ++k)
            rates[k].push_back(fps[k]);
        swap_share.push_back(fps[0] / fps[1] - 1.0);
        rest_share.push_back(fps[1] / fps[2] - 1.0);
        outside_share.push_back(fps[0] / fps[2] - 1.0);
    }
    const double overlay = microseconds_each(overlay_only) - microseconds_each(finish_only);
    std::printf("%.1f %.1f %.1f %.4f %.4f %.4f %.1f %.2f %.2f\n", median(rates[0]),
                median(rates[1]), median(rates[2]), median(outside_share), median(swap_share),
                median(rest_share), overlay, microseconds_each(measurement_only),
                microseconds_each(pump_only));
    return 0;
}
