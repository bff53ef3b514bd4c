// The renderer with its field drawn the old way: this definition stands in for scene_gl's
// draw_fields at link time, so the benchmark compares two drawings in one program. It is
// measured on one monitor: the first view alone is drawn.
#include "immediate_field.h"

void orvanne::draw_fields(FieldScene& scene, const Viewport* views, int, float fps,
                          RandomSource& random) {
    reshape_field(views[0].x, views[0].y, views[0].width, views[0].height);
    draw_field_immediate(scene, fps, random);
}
