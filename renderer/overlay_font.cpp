// The glyph display lists of the frame-rate overlay.
#include "renderer.h"

namespace {

// Mesa: a glBitmap without pixels loses its advance inside a display list, and that is how
// empty glyphs such as the space are recorded, so "188.9 fps" read "188.9fps". Record
// each empty glyph again as one blank pixel with the same advance.
void keep_empty_glyph_advances(HDC dc, GLuint list_base, int count) {
    static const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    static const GLubyte blank[4] = {};
    for (int c = 0; c < count; ++c) {
        GLYPHMETRICS metrics;
        if (GetGlyphOutlineA(dc, c, GGO_BITMAP, &metrics, 0, nullptr, &identity) != 0)
            continue; // drawn pixels, or no outline to be had (GDI_ERROR)
        glNewList(list_base + c, GL_COMPILE);
        glBitmap(1, 1, 0.0f, 0.0f, metrics.gmCellIncX, metrics.gmCellIncY, blank);
        glEndList();
    }
}

} // namespace

GLuint make_overlay_font(HDC dc) {
    const int count = 255;
    GLuint list_base = glGenLists(count);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    if (wglUseFontBitmapsA(dc, 0, count, list_base))
        keep_empty_glyph_advances(dc, list_base, count);
    return list_base;
}
