// Alone in its file: the benchmark links its immediate-mode twin in its place.
#include "field_scene.h"
#include "gl_headers.h"

namespace stars {

void draw_field(FieldScene& scene, float fps, RandomSource& random) {
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(scene.scene_angle, 0.0f, 0.0f, 1.0f);
    scene.scene_angle = step_scene_angle(scene.scene_angle, fps);
    step_field(scene.jewels, fps, random, scene.corners);

    const Corner* first = scene.corners;
    glVertexPointer(3, GL_FLOAT, sizeof(Corner), &first->x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Corner), &first->s);
    glColorPointer(4, GL_FLOAT, sizeof(Corner), &first->red);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnable(GL_TEXTURE_2D);
    glDrawArrays(GL_QUADS, 0, field_corner_count);
    glDisable(GL_TEXTURE_2D);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

} // namespace stars
