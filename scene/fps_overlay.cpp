#include "field_scene.h"
#include "fps_overlay.h"
#include "gl_headers.h"

#include <cstdio>

namespace orvanne {

void draw_fps_overlay(float fps, int view_width, int view_height, unsigned glyph_list_base) {
    char text[32];
    int length = std::snprintf(text, sizeof text, "%5.1f fps", fps);
    if (length < 0)
        return;
    if (length > static_cast<int>(sizeof text) - 1)
        length = sizeof text - 1;

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0.0, view_width, 0.0, view_height);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // The raster colour is latched by glRasterPos, so the colour goes first.
    glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
    glRasterPos2i(view_width - 114, view_height - 40);
    glListBase(glyph_list_base);
    glCallLists(length, GL_UNSIGNED_BYTE, text);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void record_blank_glyph(unsigned list, float advance_x, float advance_y) {
    static const GLubyte blank[4] = {};
    glNewList(list, GL_COMPILE);
    glBitmap(1, 1, 0.0f, 0.0f, advance_x, advance_y, blank);
    glEndList();
}

} // namespace orvanne
