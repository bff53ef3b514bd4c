#include "immediate_field.h"
#include "gl_headers.h"

void draw_field_immediate(orvanne::FieldScene& scene, float fps, orvanne::RandomSource& random) {
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(scene.scene_angle, 0.0f, 0.0f, 1.0f);
    scene.scene_angle = orvanne::step_scene_angle(scene.scene_angle, fps);
    glEnable(GL_TEXTURE_2D);
    for (int i = 0; i < orvanne::jewel_count; ++i) {
        orvanne::Placement p = orvanne::step_jewel(scene.jewels[i], fps, random);
        glColor4f(p.red, p.green, p.blue, p.alpha);
        glPushMatrix();
        glRotatef(p.spin, 0.0f, 0.0f, 1.0f);
        glBegin(GL_QUADS);
        glTexCoord2f(1.0f, 1.0f);
        glVertex3f(p.x + 0.2f, p.y + 0.2f, p.z);
        glTexCoord2f(0.0f, 1.0f);
        glVertex3f(p.x - 0.2f, p.y + 0.2f, p.z);
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(p.x - 0.2f, p.y - 0.2f, p.z);
        glTexCoord2f(1.0f, 0.0f);
        glVertex3f(p.x + 0.2f, p.y - 0.2f, p.z);
        glEnd();
        glPopMatrix();
    }
    glDisable(GL_TEXTURE_2D);
}
