#include "command_paint_win32.h"

#include "command_geometry.h"
#include "command_skins_rc.h"
#include "forms_win32.h"

namespace orvanne {

namespace {

void DrawGradient(HDC dc, int x, int y, int width, int height, bool reversed) {
    if (width <= 0 || height <= 0)
        return;
    const FaceGradient g = MakeFaceGradient(width, height, reversed);
    TRIVERTEX v[2] = {};
    for (int i = 0; i < 2; ++i) {
        v[i].x = x + g.vertex[i].x;
        v[i].y = y + g.vertex[i].y;
        v[i].Red = g.vertex[i].red;
        v[i].Green = g.vertex[i].green;
        v[i].Blue = g.vertex[i].blue;
    }
    GRADIENT_RECT rect = {g.upperLeft, g.lowerRight};
    GradientFill(dc, v, 2, &rect, 1, GRADIENT_FILL_RECT_V);
}

void DrawFrame(HDC dc, int x, int y, int width, int height, HBITMAP picture) {
    HDC source = CreateCompatibleDC(dc);
    if (!source)
        return;
    HGDIOBJ old = SelectObject(source, picture);
    // Nearest pixel keeps the bands' rows crisp when an edge is stretched or squeezed.
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    for (const FramePiece& p : FramePieces(width, height))
        StretchBlt(dc, x + p.dest.x, y + p.dest.y, p.dest.width, p.dest.height, source, p.source.x,
                   p.source.y, p.source.width, p.source.height, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
    SelectObject(source, old);
    DeleteDC(source);
}

void DrawCaption(HDC dc, int x, int y, int width, int height, const CommandLook& look) {
    if (look.caption.empty())
        return;
    const PixelRect r = CaptionRect(width, height, look.dpi);
    RECT box = {x + r.x, y + r.y, x + r.x + r.width, y + r.y + r.height};
    HGDIOBJ oldFont = look.font ? SelectObject(dc, look.font) : nullptr;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = GetTextColor(dc);
    // The label is not clipped to its 13 px: glyphs of larger fonts keep their descenders.
    const UINT format = DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
    // Captions are Shift-JIS whatever the system's code page is.
    std::wstring text = AnsiToWide(look.caption);
    const int length = static_cast<int>(text.size());
    if (look.captionEnabled) {
        SetTextColor(dc, look.colour);
        DrawTextW(dc, text.data(), length, &box, format);
    } else {
        // The platform's disabled text: a light copy offset below the grey one.
        RECT lit = box;
        OffsetRect(&lit, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextW(dc, text.data(), length, &lit, format);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        DrawTextW(dc, text.data(), length, &box, format);
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    if (oldFont)
        SelectObject(dc, oldFont);
}

} // namespace

void LoadCommandSkins(HINSTANCE instance, CommandSkins& skins) {
    static const int ids[kSkinCount] = {IDB_COMMAND_NORMAL,          IDB_COMMAND_HIGHLIGHT,
                                        IDB_COMMAND_PRESSED,         IDB_COMMAND_SELECTED,
                                        IDB_COMMAND_HIGHLIGHTSELECT, IDB_COMMAND_DISABLE};
    for (int i = 0; i < kSkinCount; ++i) {
        if (!skins.picture[i])
            skins.picture[i] = static_cast<HBITMAP>(LoadImageA(
                instance, MAKEINTRESOURCEA(ids[i]), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    }
}

void PaintCommandFace(HDC dc, const RECT& rect, const CommandLook& look,
                      const CommandSkins& skins) {
    const int x = rect.left, y = rect.top;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    DrawGradient(dc, x, y, width, height, look.gradientReversed);
    if (HBITMAP picture = skins.picture[static_cast<int>(look.skin)])
        DrawFrame(dc, x, y, width, height, picture);
    DrawCaption(dc, x, y, width, height, look);
}

} // namespace orvanne
