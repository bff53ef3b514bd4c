#include "preview_form_win32.h"

#include <cstdlib>
#include <memory>

#include "forms_win32.h"
#include "preview_form_rc.h"
#include "preview_geometry.h"

namespace orvanne {
namespace {

SIZE PictureSize(HBITMAP picture) {
    BITMAP info{};
    if (!picture || !GetObjectW(picture, sizeof info, &info))
        return {0, 0};
    return {info.bmWidth, std::abs(info.bmHeight)};
}

// Paints a picture at its own size in the top-left corner of area, black beyond it.
void PaintPicture(HDC dc, const RECT& area, HBITMAP picture) {
    SIZE size = PictureSize(picture);
    if (HDC source = size.cx > 0 ? CreateCompatibleDC(dc) : nullptr) {
        HGDIOBJ old = SelectObject(source, picture);
        BitBlt(dc, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RECT right{size.cx, area.top, area.right, area.bottom};
    RECT below{area.left, size.cy, size.cx < area.right ? size.cx : area.right, area.bottom};
    FillRect(dc, &right, black);
    FillRect(dc, &below, black);
}

// A picture control that never scales its picture.
class PictureControl : public forms::Form {
  public:
    ~PictureControl() override { Destroy(); }
    void SetPicture(HBITMAP picture) { picture_ = picture; }

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_ERASEBKGND:
            return 1; // painting covers every pixel
        case WM_PAINT:
            return OnPaint();
        case WM_PRINTCLIENT:
            return OnPrintClient(reinterpret_cast<HDC>(wParam));
        }
        return forms::Form::OnMessage(message, wParam, lParam);
    }

  private:
    LRESULT OnPaint() {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        if (dc) {
            RECT client{};
            GetClientRect(hwnd(), &client);
            PaintPicture(dc, client, picture_);
            EndPaint(hwnd(), &ps);
        }
        return 0;
    }

    LRESULT OnPrintClient(HDC dc) {
        RECT client{};
        GetClientRect(hwnd(), &client);
        PaintPicture(dc, client, picture_);
        return 0;
    }

    HBITMAP picture_ = nullptr;
};

// Black, holding only the still.
class PreviewForm : public forms::Form {
  public:
    ~PreviewForm() override {
        Destroy();
        if (still_)
            DeleteObject(still_);
    }

    // Creates the form hidden, with the picture control at the picture's own size.
    bool Load() {
        if (!Create("Preview Window", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, 0))
            return false;
        still_ = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                 MAKEINTRESOURCEW(IDB_PREVIEW_STILL), IMAGE_BITMAP,
                                                 0, 0, LR_CREATEDIBSECTION));
        SIZE size = PictureSize(still_);
        stillPicture_.SetPicture(still_);
        return stillPicture_.Create("Img_Prev", WS_CHILD | WS_VISIBLE, 0, 0, 0, size.cx, size.cy,
                                    hwnd());
    }

    // Turns the form into a child filling the host, then shows it. Fails when the host has
    // gone meanwhile: a form left without its host would keep the process alive for good.
    bool SetUp(HWND host) {
        LONG style = GetWindowLongA(hwnd(), GWL_STYLE);
        SetWindowLongA(hwnd(), GWL_STYLE, style | WS_CHILD);
        if (!SetParent(hwnd(), host))
            return false;
        RECT r{};
        GetWindowRect(host, &r);
        PreviewLayout layout = LayoutPreview({r.left, r.top, r.right, r.bottom},
                                             TwipsPerPixel(forms::ScreenDpi(LOGPIXELSX)),
                                             TwipsPerPixel(forms::ScreenDpi(LOGPIXELSY)));
        MoveWindow(hwnd(), 0, 0, layout.width, layout.height, FALSE);
        MoveWindow(stillPicture_.hwnd(), 0, 0, layout.width, layout.height, FALSE);
        // Not activated: the display settings keep the keyboard.
        ShowWindow(hwnd(), SW_SHOWNA);
        return true;
    }

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_ERASEBKGND:
            return OnEraseBackground(reinterpret_cast<HDC>(wParam));
        case WM_CLOSE:
            Destroy();
            return 0;
        case WM_DESTROY:
            CloseLater();
            return 0;
        }
        return forms::Form::OnMessage(message, wParam, lParam);
    }

  private:
    LRESULT OnEraseBackground(HDC dc) {
        RECT client{};
        GetClientRect(hwnd(), &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return 1;
    }

    void CloseLater() { PostMessageA(hwnd(), WM_CLOSE, 0, 0); }

    HBITMAP still_ = nullptr;
    PictureControl stillPicture_;
};

// The one preview form of the process.
std::unique_ptr<PreviewForm> preview;

} // namespace

bool ShowPreview(HWND host) {
    preview.reset();
    // The desktop passes as a window, but a still over the whole screen would never end.
    if (!host || !IsWindow(host) || host == GetDesktopWindow())
        return false;
    auto form = std::make_unique<PreviewForm>();
    if (!form->Load() || !form->SetUp(host))
        return false;
    preview = std::move(form);
    return true;
}

} // namespace orvanne
