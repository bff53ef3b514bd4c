// The settings dialog's own window kinds: a shaded backdrop kept off screen, the panel
// that carries one, and the transparent labels and pictures drawn over them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "forms_win32.h"
#include "shading.h"

namespace orvanne {

// Sent by a transparent child to its parent: paint what lies under you into this DC.
// wParam: the child's DC; lParam: the child's window.
constexpr UINT kMsgPaintBackground = WM_APP + 0x40;

// A surface's shading, drawn once per size into a bitmap and shown from it on every
// exposure, so covering and uncovering the dialog never loses it.
class Backdrop {
  public:
    // colour: one line per pixel row of the client area; extra is drawn on top.
    Backdrop(COLORREF plain, Rgb (*colour)(int intensity), std::function<void(HDC)> extra = nullptr)
        : plain_(plain), colour_(colour), extra_(std::move(extra)) {}
    ~Backdrop();
    Backdrop(const Backdrop&) = delete;
    Backdrop& operator=(const Backdrop&) = delete;

    // Handles the messages of a window whose whole face is the backdrop (size, erase,
    // paint, and kMsgPaintBackground from its children); false for any other message.
    bool OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  private:
    void Shade(HWND window);
    // The part of the backdrop under area (client coordinates of its window), drawn at
    // (0, 0) of dc when offset is true, else at area's own place.
    void Paint(HDC dc, const RECT& area, bool offset) const;
    void PaintWindow(HWND window) const;
    LRESULT PaintUnderChild(HWND window, WPARAM wParam, LPARAM lParam) const;

    COLORREF plain_; // shown until the first size event
    Rgb (*colour_)(int);
    std::function<void(HDC)> extra_;
    HBITMAP bitmap_ = nullptr;
    int width_ = 0, height_ = 0;
};

// A child form that shows its parent's backdrop behind what it draws, and reports a press
// of any mouse button.
class OverlayChild : public forms::Form {
  public:
    std::function<void()> onPress;

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void DrawContent(HDC dc, const RECT& client) = 0;
};

// A transparent text label. Text and font are the dialog's; the font is not owned.
class Label : public OverlayChild {
  public:
    ~Label() override { Destroy(); }
    bool Create(HWND parent, int id, const RECT& place, HFONT font);
    void SetText(const std::wstring& text);
    void SetColour(COLORREF colour) { colour_ = colour; }
    void SetCentred(bool centred) { centred_ = centred; }
    void SetBorder(bool border) { border_ = border; }
    // Wraps long text over the lines there is room for.
    void SetWrapping(bool wrap) { wrap_ = wrap; }
    // Width and height to the text's own size, keeping the top-left corner.
    void SizeToText();

  protected:
    void DrawContent(HDC dc, const RECT& client) override;

  private:
    std::wstring text_;
    HFONT font_ = nullptr;
    COLORREF colour_ = RGB(0, 0, 0);
    bool centred_ = false;
    bool border_ = false;
    bool wrap_ = false;
};

// A picture at its natural size from the top-left corner; the rest shows the backdrop.
// The bitmap is not owned.
class Picture : public OverlayChild {
  public:
    ~Picture() override { Destroy(); }
    bool Create(HWND parent, int id, const RECT& place);
    void SetBitmap(HBITMAP bitmap);
    HBITMAP Bitmap() const { return bitmap_; }

  protected:
    void DrawContent(HDC dc, const RECT& client) override;

  private:
    HBITMAP bitmap_ = nullptr;
};

// The grey-shaded panel that holds the music controls. It can take the focus, and passes
// its children's notifications on to its parent.
class Panel : public forms::Form {
  public:
    Panel();
    ~Panel() override { Destroy(); }
    // frame: the heading's outline, drawn over the shading (client coordinates).
    bool Create(HWND parent, int id, const RECT& place, const RECT& frame);

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    Backdrop backdrop_;
    RECT frame_{};
};

} // namespace orvanne
