// One frame, and the view after a resize.
#include "renderer.h"

void draw_frame() {
    // A window whose context failed still gets its size message before the quit.
    if (!renderer.context_current)
        return;
    const stars::FieldViews& fields = renderer.views;
    stars::draw_fields(scene, fields.views, fields.count, renderer.rate.fps, crt_random);
    if (renderer.rate.fps != 0.0f && renderer.show_fps) {
        const stars::Viewport& primary = fields.views[fields.primary];
        glViewport(primary.x, primary.y, primary.width, primary.height);
        stars::draw_fps_overlay(renderer.rate.fps, primary.width, primary.height,
                                renderer.font_list_base);
    }
    glFinish();
    stars::count_frame(renderer.rate, performance_counter);
    SwapBuffers(renderer.dc);
}

void set_views(const stars::FieldViews& views) {
    renderer.views = views;
}

void resize_view() {
    stars::restart_frame_rate(renderer.rate, performance_counter);
}
