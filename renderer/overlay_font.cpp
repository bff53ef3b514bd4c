// The glyph display lists of the frame-rate overlay.
#include "renderer.h"
#include "fps_overlay.h"

namespace {

void keep_empty_glyph_advances(HDC dc, GLuint list_base, int count) {
    static const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    for (int c = 0; c < count; ++c) {
        GLYPHMETRICS metrics;
        // Non-zero: drawn pixels, or no outline to be had (GDI_ERROR).
        if (GetGlyphOutlineA(dc, c, GGO_BITMAP, &metrics, 0, nullptr, &identity) == 0)
            orvanne::record_blank_glyph(list_base + c, metrics.gmCellIncX, metrics.gmCellIncY);
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
