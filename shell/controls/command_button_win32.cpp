#include "command_button_win32.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "command_geometry.h"
#include "command_logic.h"
#include "command_paint_win32.h"
#include "forms_win32.h"

namespace orvanne {

const char kCommandClassName[] = "Vellis.Command";

namespace {

constexpr UINT_PTR kLeaveTimer = 1;
constexpr UINT kLeaveInterval = 100; // ms

struct ButtonState {
    HINSTANCE instance = nullptr;
    CommandSkins skins;
};
ButtonState state;

struct CreateArgs {
    const PropertyStore* store;
    const FontDesc* ambient;
};

int16_t ButtonFlags(WPARAM keys) {
    return static_cast<int16_t>(keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON));
}

LRESULT CALLBACK CommandProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// One button's window. Reference-counted: the window holds one reference and every
// message being handled another, so a host that destroys the button inside Click leaves
// the object alive until the handler that raised it has returned.
class CommandWindow final : public CommandView {
  public:
    explicit CommandWindow(HWND hwnd) : hwnd_(hwnd) {}
    ~CommandWindow() override {
        if (font_)
            DeleteObject(font_);
    }

    void AddRef() { ++refs_; }
    void Release() {
        if (--refs_ == 0)
            delete this;
    }

    CommandLogic& Logic() { return logic_; }
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void PaintFace() override {
        if (!hwnd_)
            return;
        InvalidateRect(hwnd_, nullptr, FALSE);
        UpdateWindow(hwnd_);
    }
    void CaptionChanged() override {
        if (hwnd_)
            InvalidateRect(hwnd_, nullptr, FALSE);
    }
    void RaiseClick() override {
        if (!hwnd_)
            return;
        HWND self = hwnd_;
        const int id = GetDlgCtrlID(self);
        SendMessageA(GetParent(self), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(self));
    }

    void Initialize() {
        logic_.Initialize();
        if (hwnd_ && logic_.TimerOn())
            SetTimer(hwnd_, kLeaveTimer, kLeaveInterval, nullptr);
    }

  private:
    void OnCreate(const CreateArgs* args);
    void OnPaint();
    void OnMouseDown(int16_t button, bool takeFocus);
    void OnMouseUp(int16_t button, WPARAM keys);
    void OnMouseMove(LPARAM lParam);
    void OnLeaveTimer();
    void Draw(HDC dc, const RECT& rect);
    HFONT CaptionFont();

    HWND hwnd_;
    int refs_ = 1;
    CommandLogic logic_{*this};
    HFONT font_ = nullptr;
    FontDesc fontMade_;
    const int dpiY_ = forms::ScreenDpi(LOGPIXELSY);
    friend LRESULT CALLBACK CommandProc(HWND, UINT, WPARAM, LPARAM);
};

HFONT CommandWindow::CaptionFont() {
    const FontDesc& want = logic_.Font();
    if (font_ && want == fontMade_)
        return font_;
    const int height = -static_cast<int>(std::lround(want.size * dpiY_ / 72.0));
    HFONT made =
        CreateFontW(height, 0, 0, 0, want.weight, want.italic, want.underline, want.strikethrough,
                    static_cast<DWORD>(want.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, AnsiToWide(want.name).c_str());
    if (made) {
        if (font_)
            DeleteObject(font_);
        font_ = made;
        fontMade_ = want;
    }
    return font_;
}

void CommandWindow::Draw(HDC dc, const RECT& rect) {
    CommandLook look;
    look.skin = logic_.PaintedSkin();
    look.gradientReversed = logic_.GradientReversed();
    look.caption = logic_.Caption();
    look.font = CaptionFont();
    look.colour = logic_.CaptionColour();
    look.captionEnabled = logic_.CaptionEnabled();
    look.dpi = dpiY_;
    PaintCommandFace(dc, rect, look, state.skins);
}

void CommandWindow::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (!dc)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    // Drawn off screen first so that a repaint never flashes the bare gradient.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(dc, client.right, client.bottom) : nullptr;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        Draw(memory, client);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    } else {
        Draw(dc, client);
    }
    if (memory)
        DeleteDC(memory);
    EndPaint(hwnd_, &ps);
}

void CommandWindow::OnCreate(const CreateArgs* args) {
    if (args && args->store)
        logic_.LoadProperties(*args->store, *args->ambient);
}

void CommandWindow::OnMouseDown(int16_t button, bool takeFocus) {
    // The press moves the focus first, as a platform button's does.
    if (takeFocus && GetFocus() != hwnd_)
        SetFocus(hwnd_);
    if (!hwnd_)
        return;
    SetCapture(hwnd_);
    logic_.MouseDown(button);
}

void CommandWindow::OnMouseUp(int16_t button, WPARAM keys) {
    // Every press here takes the capture; a release without it was pressed elsewhere (the
    // second click of a double-click that closed the file picker, say) and is no click.
    if (GetCapture() != hwnd_)
        return;
    if (ButtonFlags(keys) == 0)
        ReleaseCapture();
    logic_.MouseUp(button);
}

void CommandWindow::OnMouseMove(LPARAM lParam) {
    // While captured, moves away from the button arrive too; only those over it count.
    RECT client;
    GetClientRect(hwnd_, &client);
    const POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (PtInRect(&client, p))
        logic_.MouseMove();
}

void CommandWindow::OnLeaveTimer() {
    POINT p;
    if (!GetCursorPos(&p))
        return;
    // The form, a container inside it or any other window all count as left; the caption
    // has no window of its own, so over it the pointer is still over the button.
    if (WindowFromPoint(p) != hwnd_)
        logic_.MouseLeave();
}

LRESULT CommandWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(static_cast<const CreateArgs*>(
            reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(hwnd_, &client);
        Draw(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    case WM_SIZE:
        logic_.SizeChanged();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(lParam);
        return 0;
    case WM_LBUTTONDOWN:
        OnMouseDown(kLeftButton, true);
        return 0;
    case WM_RBUTTONDOWN:
        OnMouseDown(kRightButton, false);
        return 0;
    case WM_MBUTTONDOWN:
        OnMouseDown(kMiddleButton, false);
        return 0;
    case WM_LBUTTONUP:
        OnMouseUp(kLeftButton, wParam);
        return 0;
    case WM_RBUTTONUP:
        OnMouseUp(kRightButton, wParam);
        return 0;
    case WM_MBUTTONUP:
        OnMouseUp(kMiddleButton, wParam);
        return 0;
    case WM_SETFOCUS:
        logic_.FocusGained();
        return 0;
    case WM_KILLFOCUS:
        logic_.FocusLost();
        return 0;
    case WM_TIMER:
        if (wParam == kLeaveTimer)
            OnLeaveTimer();
        return 0;
    default:
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

// Holds a reference to a button for the length of one call.
class Hold {
  public:
    explicit Hold(CommandWindow* w) : w_(w) {
        if (w_)
            w_->AddRef();
    }
    ~Hold() {
        if (w_)
            w_->Release();
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
    CommandWindow* operator->() const { return w_; }
    explicit operator bool() const { return w_ != nullptr; }

  private:
    CommandWindow* w_;
};

CommandWindow* FromHandle(HWND hwnd) {
    char name[32] = "";
    if (!hwnd || !GetClassNameA(hwnd, name, sizeof name) ||
        std::strcmp(name, kCommandClassName) != 0)
        return nullptr;
    return reinterpret_cast<CommandWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK CommandProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* w = new (std::nothrow) CommandWindow(hwnd);
        if (!w)
            return FALSE;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
    }
    auto* w = reinterpret_cast<CommandWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!w)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        KillTimer(hwnd, kLeaveTimer);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        w->hwnd_ = nullptr;
        w->Release();
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    Hold hold(w);
    return w->Handle(message, wParam, lParam);
}

} // namespace

bool RegisterCommandClass(HINSTANCE instance) {
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, kCommandClassName, &existing))
        return true;
    state.instance = instance;
    LoadCommandSkins(instance, state.skins);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = CommandProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kCommandClassName;
    return RegisterClassExA(&wc) != 0;
}

HWND CreateCommand(HWND parent, const CommandPlacement& place, const PropertyStore* store,
                   const FontDesc& ambient) {
    const int dpiX = forms::ScreenDpi(LOGPIXELSX), dpiY = forms::ScreenDpi(LOGPIXELSY);
    // Geometry is 16-bit in twips; a side beyond it is cut to what fits.
    auto side = [](int twips) { return std::clamp(twips, 0, kMaxTwips); };
    auto offset = [](int twips) { return std::clamp(twips, -kMaxTwips - 1, kMaxTwips); };
    CreateArgs args = {store, &ambient};
    HINSTANCE instance = state.instance ? state.instance : GetModuleHandleA(nullptr);
    return CreateWindowExA(
        0, kCommandClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
        TwipsToPixels(offset(place.left), dpiX), TwipsToPixels(offset(place.top), dpiY),
        TwipsToPixels(side(place.width), dpiX), TwipsToPixels(side(place.height), dpiY), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), instance, &args);
}

HWND CreateCommand(HWND parent, const CommandPlacement& place, const std::string& caption,
                   const FontDesc& font) {
    PropertyStore store;
    store.Set("caption", caption);
    store.Set("font", font);
    return CreateCommand(parent, place, &store, font);
}

void CommandInitialize(HWND button) {
    if (Hold w{FromHandle(button)})
        w->Initialize();
}

bool CommandGetEnabled(HWND button) {
    Hold w{FromHandle(button)};
    return w && w->Logic().Enabled() != kFalse;
}

void CommandSetEnabled(HWND button, bool enabled) {
    if (Hold w{FromHandle(button)})
        w->Logic().SetEnabled(enabled ? kTrue : kFalse);
}

} // namespace orvanne
