#include "field_scene.h"
#include "gl_headers.h"

namespace orvanne {

void draw_scene_frame(FieldScene& scene, const FieldViews& views, FrameRate& rate, Counter& counter,
                      RandomSource& random, unsigned overlay_glyphs) {
    draw_fields(scene, views.views, views.count, rate.fps, random);
    // fps is 0 until the first measurement: no figure to show yet.
    if (rate.fps != 0.0f && overlay_glyphs != 0) {
        const Viewport& primary = views.views[views.primary];
        glViewport(primary.x, primary.y, primary.width, primary.height);
        draw_fps_overlay(rate.fps, primary.width, primary.height, overlay_glyphs);
    }
    glFinish();
    count_frame(rate, counter);
}

} // namespace orvanne
