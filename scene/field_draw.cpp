// Alone in its file: the benchmark links its immediate-mode twin in its place.
#include "field_scene.h"
#include "gl_headers.h"

#include <algorithm>

namespace orvanne {

void draw_fields(FieldScene& scene, const Viewport* views, int count, float fps,
                 RandomSource& random) {
    glClear(GL_COLOR_BUFFER_BIT);
    const Corner* first = scene.corners;
    glVertexPointer(3, GL_FLOAT, sizeof(Corner), &first->x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Corner), &first->s);
    glColorPointer(4, GL_FLOAT, sizeof(Corner), &first->red);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnable(GL_TEXTURE_2D);
    for (int i = 0; i < std::min(count, scene.field_count); ++i) {
        if (views)
            reshape_field(views[i].x, views[i].y, views[i].width, views[i].height);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRotatef(scene.scene_angle, 0.0f, 0.0f, 1.0f);
        // GL reads client arrays when drawing, so every field can reuse the one buffer.
        step_field(scene.jewels + i * jewel_count, fps, random, scene.corners);
        glDrawArrays(GL_QUADS, 0, field_corner_count);
    }
    glDisable(GL_TEXTURE_2D);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    scene.scene_angle = step_scene_angle(scene.scene_angle, fps);
}

void draw_field(FieldScene& scene, float fps, RandomSource& random) {
    draw_fields(scene, nullptr, 1, fps, random);
}

} // namespace orvanne
