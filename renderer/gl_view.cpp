// One frame, and the view after a resize.
#include "renderer.h"

void draw_frame() {
    // A window whose context failed still gets its size message before the quit.
    if (!renderer.context_current)
        return;
    stars::draw_field(scene, renderer.rate.fps, crt_random);
    if (renderer.rate.fps != 0.0f && renderer.show_fps)
        stars::draw_fps_overlay(renderer.rate.fps, renderer.view_width, renderer.view_height,
                                renderer.font_list_base);
    glFinish();
    stars::count_frame(renderer.rate, performance_counter);
    SwapBuffers(renderer.dc);
}

void set_view(const stars::Viewport& view) {
    renderer.view_x = view.x;
    renderer.view_y = view.y;
    renderer.view_width = view.width;
    renderer.view_height = view.height;
}

void resize_view() {
    if (renderer.context_current)
        stars::reshape_field(renderer.view_x, renderer.view_y, renderer.view_width,
                             renderer.view_height);
    stars::restart_frame_rate(renderer.rate, performance_counter);
}
