#include "dialog_widgets_win32.h"

#include <vector>

namespace orvanne {

namespace {

RECT ClientOf(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r;
}

void SetId(HWND window, int id) {
    SetWindowLongPtrW(window, GWLP_ID, id);
}

// Creates a child form at place (pixels in the parent's client area).
bool CreateChild(forms::Form& form, HWND parent, int id, const RECT& place, DWORD style,
                 DWORD exStyle) {
    if (!form.Create("", WS_CHILD | WS_VISIBLE | style, exStyle, place.left, place.top,
                     place.right - place.left, place.bottom - place.top, parent))
        return false;
    SetId(form.hwnd(), id);
    return true;
}

} // namespace

Backdrop::~Backdrop() {
    if (bitmap_)
        DeleteObject(bitmap_);
}

bool Backdrop::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_SIZE:
        Shade(window);
        // The children show the backdrop too, so they are drawn again over the new one.
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        result = 0;
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT:
        PaintWindow(window);
        result = 0;
        return true;
    case kMsgPaintBackground:
        result = PaintUnderChild(window, wParam, lParam);
        return true;
    default:
        return false;
    }
}

void Backdrop::Shade(HWND window) {
    RECT client = ClientOf(window);
    HDC screen = GetDC(window);
    if (!screen)
        return;
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right > 0 ? client.right : 1,
                                            client.bottom > 0 ? client.bottom : 1);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(window, screen);
    if (!bitmap || !dc) {
        if (bitmap)
            DeleteObject(bitmap);
        if (dc)
            DeleteDC(dc);
        return;
    }
    HGDIOBJ old = SelectObject(dc, bitmap);
    std::vector<int> rows = ShadeRows(client.bottom);
    for (size_t y = 0; y < rows.size(); ++y) {
        Rgb c = colour_(rows[y]);
        // The width is read for every row, as the surface could change under us.
        int width = ClientOf(window).right;
        forms::DrawLine(dc, 0, static_cast<int>(y), width, static_cast<int>(y), RGB(c.r, c.g, c.b));
    }
    if (extra_)
        extra_(dc);
    SelectObject(dc, old);
    DeleteDC(dc);
    if (bitmap_)
        DeleteObject(bitmap_);
    bitmap_ = bitmap;
    width_ = client.right;
    height_ = client.bottom;
}

void Backdrop::PaintWindow(HWND window) const {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (dc) {
        Paint(dc, ps.rcPaint, false);
        EndPaint(window, &ps);
    }
}

void Backdrop::Paint(HDC dc, const RECT& area, bool offset) const {
    int x = offset ? 0 : area.left;
    int y = offset ? 0 : area.top;
    int w = area.right - area.left;
    int h = area.bottom - area.top;
    HDC source = bitmap_ ? CreateCompatibleDC(dc) : nullptr;
    if (!source) {
        HBRUSH brush = CreateSolidBrush(plain_);
        RECT r{x, y, x + w, y + h};
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        return;
    }
    HGDIOBJ old = SelectObject(source, bitmap_);
    BitBlt(dc, x, y, w, h, source, area.left, area.top, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

LRESULT Backdrop::PaintUnderChild(HWND window, WPARAM wParam, LPARAM lParam) const {
    HWND child = reinterpret_cast<HWND>(lParam);
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    Paint(reinterpret_cast<HDC>(wParam), r, true);
    return 1;
}

LRESULT OverlayChild::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        if (dc) {
            SendMessageW(GetParent(hwnd()), kMsgPaintBackground, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(hwnd()));
            DrawContent(dc, ClientOf(hwnd()));
            EndPaint(hwnd(), &ps);
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
        if (onPress)
            onPress();
        return message == WM_XBUTTONDOWN ? TRUE : 0;
    default:
        return Form::OnMessage(message, wParam, lParam);
    }
}

bool Label::Create(HWND parent, int id, const RECT& place, HFONT font) {
    font_ = font;
    return CreateChild(*this, parent, id, place, 0, 0);
}

void Label::SetText(const std::wstring& text) {
    text_ = text;
    // The window text lets tools and screen readers see what the label shows.
    SetWindowTextW(hwnd(), text_.c_str());
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void Label::SizeToText() {
    HDC dc = GetDC(hwnd());
    if (!dc)
        return;
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE size{};
    GetTextExtentPoint32W(dc, text_.c_str(), static_cast<int>(text_.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd(), dc);
    SetWindowPos(hwnd(), nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Label::DrawContent(HDC dc, const RECT& client) {
    RECT text = client;
    if (border_) {
        HBRUSH frame = CreateSolidBrush(RGB(0, 0, 0));
        FrameRect(dc, &client, frame);
        DeleteObject(frame);
        InflateRect(&text, -2, -1);
    }
    HGDIOBJ old = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour_);
    // No prefix: an ampersand in a path is shown as it is.
    UINT format = DT_NOPREFIX | (centred_ ? DT_CENTER : DT_LEFT);
    format |= wrap_ ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE;
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &text, format);
    SelectObject(dc, old);
}

bool Picture::Create(HWND parent, int id, const RECT& place) {
    return CreateChild(*this, parent, id, place, 0, 0);
}

void Picture::SetBitmap(HBITMAP bitmap) {
    bitmap_ = bitmap;
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void Picture::DrawContent(HDC dc, const RECT&) {
    BITMAP info{};
    if (!bitmap_ || !GetObjectW(bitmap_, sizeof info, &info))
        return;
    HDC source = CreateCompatibleDC(dc);
    if (!source)
        return;
    HGDIOBJ old = SelectObject(source, bitmap_);
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

bool Panel::Create(HWND parent, int id, const RECT& place, const RECT& frame) {
    frame_ = frame;
    return CreateChild(*this, parent, id, place, WS_TABSTOP | WS_CLIPCHILDREN, WS_EX_CLIENTEDGE);
}

Panel::Panel()
    : backdrop_(RGB(224, 224, 224), PanelShade, [this](HDC dc) {
          HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
          FrameRect(dc, &frame_, black);
          DeleteObject(black);
      }) {}

LRESULT Panel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (backdrop_.OnMessage(hwnd(), message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_COMMAND:
        return SendMessageW(GetParent(hwnd()), message, wParam, lParam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        // The repeat box stays white on the shaded panel.
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_LBUTTONDOWN:
        SetFocus(hwnd());
        return 0;
    default:
        return Form::OnMessage(message, wParam, lParam);
    }
}

} // namespace orvanne
