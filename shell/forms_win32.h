// The small forms layer every shell window rests on: top-level windows whose state is
// reached from the window, periodic timers, the message box, the screen's dpi, line
// drawing and the application-wide pointer override.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "wide_text.h"

namespace orvanne::forms {

// The screen's logical dots per inch across (LOGPIXELSX) or down (LOGPIXELSY); 96 when the
// screen cannot be asked. Twips follow from it: 1440 a logical inch.
int ScreenDpi(int axis);

// A straight line from (x0, y0) to (x1, y1) in pixels, colour red in the low byte.
void DrawLine(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour);

// Application-wide pointer override (an IDC_ value such as IDC_WAIT); nullptr clears it.
// Every Form shows it over itself and its child windows while it is set.
void SetPointerOverride(LPCWSTR cursor);

// A modal message box; text and caption are UTF-8.
int ShowMessage(HWND owner, std::string_view text, std::string_view caption, UINT type);

// A top-level (or child) window with its handlers. The Form object is reached from the
// window through GWLP_USERDATA, so handlers never need globals.
class Form {
  public:
    Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    // Creates the window, hidden unless style holds WS_VISIBLE. The caption is UTF-8.
    bool Create(std::string_view caption, DWORD style, DWORD exStyle, int x, int y, int width,
                int height, HWND parent = nullptr);
    // Destroys the window. Derived forms that handle WM_DESTROY call it from their own
    // destructor: by the time ~Form runs, their handlers are gone.
    void Destroy();
    HWND hwnd() const { return hwnd_; }

    // Forms whose windows exist; the message loop ends when the last one goes.
    static int LiveCount();

  protected:
    // Messages the form does not handle go to DefWindowProc.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void OnTimer(UINT_PTR id);

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

// A periodic timer of a form, ticking into Form::OnTimer with its id.
class Timer {
  public:
    Timer(Form& owner, UINT_PTR id, UINT intervalMs)
        : owner_(owner), id_(id), interval_(intervalMs) {}
    ~Timer() { SetEnabled(false); }
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }

  private:
    Form& owner_;
    UINT_PTR id_;
    UINT interval_;
    bool enabled_ = false;
};

// Dispatches messages until the last Form has gone (at once when there is none).
void RunMessageLoop();

} // namespace orvanne::forms
