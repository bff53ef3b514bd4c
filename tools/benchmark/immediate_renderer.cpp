// The renderer with its field drawn the old way: this definition stands in for scene_gl's
// draw_field at link time, so the benchmark compares two drawings in one program.
#include "immediate_field.h"

void stars::draw_field(FieldScene& scene, float fps, RandomSource& random) {
    draw_field_immediate(scene, fps, random);
}
