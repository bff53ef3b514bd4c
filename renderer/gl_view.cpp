// One frame, the viewport and projection, and the text overlay.
#include "renderer.h"

#include <GL/glu.h>

#include <cstdarg>
#include <cstdio>

void draw_frame() {
    // A window whose context failed still gets its size message before the quit.
    if (!renderer.context_current)
        return;
    draw_jewels();
    if (renderer.rate.fps != 0.0f && renderer.show_fps)
        gl_printf(1.0f, 1.0f, 1.0f, 0.5f, renderer.view_width - 114, renderer.view_height - 40,
                  renderer.font_list_base, "%5.1f fps", renderer.rate.fps);
    glFinish();
    stars::count_frame(renderer.rate, performance_counter);
    SwapBuffers(renderer.dc);
}

void resize_view() {
    if (renderer.context_current) {
        glViewport(0, 0, renderer.view_width, renderer.view_height);
        // A minimised window reports zero height; its projection is rebuilt on restore.
        if (renderer.view_height > 0) {
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            gluPerspective(50.0, static_cast<double>(renderer.view_width) / renderer.view_height,
                           0.1, 100.0);
        }
    }
    stars::restart_frame_rate(renderer.rate, performance_counter);
}

void gl_printf(float red, float green, float blue, float alpha, int x, int y, GLuint list_base,
               const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    int length = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (length < 0)
        return;
    if (length > static_cast<int>(sizeof text) - 1)
        length = sizeof text - 1;

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0.0, renderer.view_width, 0.0, renderer.view_height);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // The raster colour is latched by glRasterPos, so the colour goes first.
    glColor4f(red, green, blue, alpha);
    glRasterPos2i(x, y);
    glListBase(list_base);
    glCallLists(length, GL_UNSIGNED_BYTE, text);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
