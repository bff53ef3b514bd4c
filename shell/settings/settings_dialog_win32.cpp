#include "settings_dialog_win32.h"

#include <windows.h>

#include <shellapi.h>

#include <array>

#include "command_button_win32.h"
#include "dialog_layout.h"
#include "dialog_widgets_win32.h"
#include "file_picker_win32.h"
#include "forms_win32.h"
#include "label_font_win32.h"
#include "music_choice.h"
#include "orvanne_version.h"
#include "settings_resources.h"
#include "zoom_win32.h"

namespace orvanne {

namespace {

constexpr char kHomePage[] = "https://orvanne.example/";
constexpr char kCredit[] = "Orvanne project v" ORVANNE_VERSION;
constexpr char kLabelFont[] = "ＭＳ Ｐゴシック";
constexpr char kPanelFont[] = "Tahoma";

constexpr char kHeading[] = "BGM";
constexpr const char* kKindTexts[3] = {"無し", "音楽CD", "MP3、WAV"};
constexpr char kRepeatText[] = "曲目をﾘﾋﾟｰﾄ";
constexpr char kFileCaption[] = "...";
constexpr char kEtcCaption[] = "その他の作品";
constexpr char kSetCaption[] = "設定";
constexpr char kCanCaption[] = "ｷｬﾝｾﾙ";
// Shown when a picked music file has no path the settings file can hold.
constexpr char kUnstorableFileCaption[] = "BGMﾌｧｲﾙ";
constexpr char kUnstorableFileText[] = "このﾌｧｲﾙのﾊﾟｽは保存できません。\n"
                                       "ﾊﾟｽに保存できない文字が含まれているか、ﾊﾟｽが長すぎます。";

// Control ids: 1000 plus the control's place in the layout table.
int IdOf(Ctl control) {
    return 1000 + static_cast<int>(control);
}

std::string Cp932(std::string_view utf8) {
    return WideToAnsi(Utf8ToWide(utf8), 932);
}

HFONT MakeFont(const std::wstring& face, double points, BYTE charset, int dpi) {
    return CreateFontW(-FontPixels(points, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

// Every text drawn in the label font, buttons included, for choosing a face that has them.
std::wstring AllTexts() {
    std::string all = std::string(kHeading) + kRepeatText + kCredit + kFileCaption + kEtcCaption +
                      kSetCaption + kCanCaption + "0123456789:\\._-()";
    for (const char* text : kKindTexts)
        all += text;
    return Utf8ToWide(all);
}

class SettingsDialog : public forms::Form {
  public:
    SettingsDialog(BgmSettings& settings, const std::string& settingsPath)
        : settings_(settings), settingsPath_(settingsPath) {}
    ~SettingsDialog() override;

    bool Load();
    void Run();

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    bool CreateWindowAndControls();
    void CreateControls();
    void CreateKindRow(MusicKind kind);
    void CreateRepeatBox();
    RECT PixelPlace(Ctl control) const;
    CommandPlacement ButtonPlace(Ctl control) const;
    HWND WindowOf(Ctl control) const;

    void PrepareButtons(bool initialise, bool enable);
    void ShowKind(MusicKind kind);
    void ChooseKind(MusicKind kind);
    void ChooseFile();
    void Save();
    void OpenHomePage();
    void Unload();
    void OnCommand(int id);
    void OnActivate(bool active);
    void MoveFocus(bool backwards);

    BgmSettings& settings_;
    std::string settingsPath_;
    int dpi_ = 96;
    forms::Form owner_; // hidden; an owned window gets no taskbar button
    Backdrop backdrop_{RGB(192, 192, 192), DialogShade};
    Panel panel_;
    Label heading_, repeatLabel_, fileLabel_, credit_;
    std::array<Label, 3> kindLabels_;
    std::array<Picture, 3> marks_;
    std::array<Picture, 2> stock_; // the unselected and the selected mark
    HWND repeat_ = nullptr;
    HWND fileButton_ = nullptr, otherWorksButton_ = nullptr, saveButton_ = nullptr,
         cancelButton_ = nullptr;
    HFONT labelFont_ = nullptr, panelFont_ = nullptr;
    FontDesc buttonFont_ = DefaultCaptionFont();
    HICON icon_ = nullptr, smallIcon_ = nullptr;
    HBITMAP markOff_ = nullptr, markOn_ = nullptr;
    HWND lastFocus_ = nullptr;
};

SettingsDialog::~SettingsDialog() {
    Destroy();
    owner_.Destroy();
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(labelFont_), static_cast<HGDIOBJ>(panelFont_),
                           static_cast<HGDIOBJ>(markOff_), static_cast<HGDIOBJ>(markOn_)}) {
        if (object)
            DeleteObject(object);
    }
    if (icon_)
        DestroyIcon(icon_);
    if (smallIcon_)
        DestroyIcon(smallIcon_);
}

RECT SettingsDialog::PixelPlace(Ctl control) const {
    Rect r = ToPixels(PlaceOf(control).twips, dpi_);
    return {r.left, r.top, r.left + r.width, r.top + r.height};
}

CommandPlacement SettingsDialog::ButtonPlace(Ctl control) const {
    const Rect& t = PlaceOf(control).twips;
    return {IdOf(control), t.left, t.top, t.width, t.height};
}

HWND SettingsDialog::WindowOf(Ctl control) const {
    switch (control) {
    case Ctl::MusicPanel:
        return panel_.hwnd();
    case Ctl::RepeatBox:
        return repeat_;
    case Ctl::FileButton:
        return fileButton_;
    case Ctl::OtherWorksButton:
        return otherWorksButton_;
    case Ctl::SaveButton:
        return saveButton_;
    case Ctl::CancelButton:
        return cancelButton_;
    default:
        return nullptr;
    }
}

bool SettingsDialog::CreateWindowAndControls() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    dpi_ = forms::ScreenDpi(LOGPIXELSY);
    std::wstring face = ResolveFace(Utf8ToWide(kLabelFont), SHIFTJIS_CHARSET, AllTexts());
    labelFont_ = MakeFont(face, 9.75, SHIFTJIS_CHARSET, dpi_);
    buttonFont_.name = WideToAnsi(face, 932);
    panelFont_ = MakeFont(Utf8ToWide(kPanelFont), 8.25, DEFAULT_CHARSET, dpi_);
    markOff_ = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDB_MARK_OFF), IMAGE_BITMAP, 0, 0, 0));
    markOn_ = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDB_MARK_ON), IMAGE_BITMAP, 0, 0, 0));
    icon_ = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_VELLIS_P), IMAGE_ICON, 32, 32, 0));
    smallIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_VELLIS_P), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    RegisterCommandClass(instance);

    if (!owner_.Create("", WS_POPUP, 0, 0, 0, 0, 0))
        return false;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi_),
               TwipsToPixels(kClientHeightTwips, dpi_)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    if (!Create(kSettingsDialogCaption, style, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                frame.right - frame.left, frame.bottom - frame.top, owner_.hwnd()))
        return false;
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    CreateControls();
    return true;
}

// A music kind's mark and label; a press of any mouse button on either chooses the kind.
void SettingsDialog::CreateKindRow(MusicKind kind) {
    HWND p = panel_.hwnd();
    const auto row = static_cast<std::size_t>(kind);
    marks_[row].Create(p, IdOf(MarkOf(kind)), PixelPlace(MarkOf(kind)));
    marks_[row].onPress = [this, kind] { ChooseKind(kind); };
    Label& label = kindLabels_[row];
    label.Create(p, IdOf(LabelOf(kind)), PixelPlace(LabelOf(kind)), labelFont_);
    label.SetText(Utf8ToWide(kKindTexts[row]));
    label.SizeToText();
    label.onPress = [this, kind] { ChooseKind(kind); };
}

void SettingsDialog::CreateRepeatBox() {
    RECT box = PixelPlace(Ctl::RepeatBox);
    // The height given is the field's and the list's together.
    repeat_ = CreateWindowExW(
        0, L"COMBOBOX", L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, box.left,
        box.top, box.right - box.left, TwipsToPixels(3000, dpi_), panel_.hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(Ctl::RepeatBox))),
        GetModuleHandleW(nullptr), nullptr);
    if (!repeat_)
        return;
    SendMessageW(repeat_, WM_SETFONT, reinterpret_cast<WPARAM>(panelFont_), FALSE);
    // Make the closed box as high as the layout asks, borders included.
    RECT now{};
    GetWindowRect(repeat_, &now);
    LRESULT item = SendMessageW(repeat_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    int want = box.bottom - box.top;
    int current = now.bottom - now.top;
    if (item > 0 && want != current && item + (want - current) > 0)
        SendMessageW(repeat_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item + (want - current));
}

void SettingsDialog::CreateControls() {
    RECT panel = PixelPlace(Ctl::MusicPanel);
    panel_.Create(hwnd(), IdOf(Ctl::MusicPanel), panel, PixelPlace(Ctl::HeadingFrame));
    HWND p = panel_.hwnd();

    heading_.Create(p, IdOf(Ctl::Heading), PixelPlace(Ctl::Heading), labelFont_);
    heading_.SetCentred(true);
    heading_.SetText(Utf8ToWide(kHeading));

    // In the layout's order: the CD row with the repeat box, then no music, then the file.
    CreateKindRow(MusicKind::AudioCd);
    CreateRepeatBox();
    repeatLabel_.Create(p, IdOf(Ctl::RepeatLabel), PixelPlace(Ctl::RepeatLabel), labelFont_);
    repeatLabel_.SetText(Utf8ToWide(kRepeatText));
    repeatLabel_.SizeToText();
    CreateKindRow(MusicKind::None);
    CreateKindRow(MusicKind::File);

    fileButton_ = CreateCommand(p, ButtonPlace(Ctl::FileButton), kFileCaption, buttonFont_);
    fileLabel_.Create(p, IdOf(Ctl::FileName), PixelPlace(Ctl::FileName), labelFont_);
    fileLabel_.SetBorder(true);
    fileLabel_.SetWrapping(true);

    credit_.Create(hwnd(), IdOf(Ctl::Credit), PixelPlace(Ctl::Credit), labelFont_);
    credit_.SetColour(RGB(255, 255, 255));
    credit_.SetText(Utf8ToWide(kCredit));
    credit_.SizeToText();

    otherWorksButton_ =
        CreateCommand(hwnd(), ButtonPlace(Ctl::OtherWorksButton), Cp932(kEtcCaption), buttonFont_);
    saveButton_ =
        CreateCommand(hwnd(), ButtonPlace(Ctl::SaveButton), Cp932(kSetCaption), buttonFont_);
    cancelButton_ =
        CreateCommand(hwnd(), ButtonPlace(Ctl::CancelButton), Cp932(kCanCaption), buttonFont_);

    // The stock pictures the marks take theirs from, placed outside the client area.
    stock_[0].Create(hwnd(), IdOf(Ctl::MarkOffStock), PixelPlace(Ctl::MarkOffStock));
    stock_[0].SetBitmap(markOff_);
    stock_[1].Create(hwnd(), IdOf(Ctl::MarkOnStock), PixelPlace(Ctl::MarkOnStock));
    stock_[1].SetBitmap(markOn_);
}

// Visits the form's Command buttons in control order.
void SettingsDialog::PrepareButtons(bool initialise, bool enable) {
    for (HWND button : {fileButton_, otherWorksButton_, saveButton_, cancelButton_}) {
        if (!button)
            continue;
        if (initialise)
            CommandInitialize(button);
        else
            CommandSetEnabled(button, enable);
    }
}

bool SettingsDialog::Load() {
    if (!CreateWindowAndControls())
        return false;

    RECT window{};
    GetWindowRect(hwnd(), &window);
    Point at = DialogPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                              window.right - window.left, window.bottom - window.top, dpi_);
    SetWindowPos(hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    PrepareButtons(true, true);
    ShowKind(settings_.kind);
    SetWindowTextW(repeat_, Utf8ToWide(TrackText(settings_.repeatTrack)).c_str());
    for (const std::string& entry : RepeatEntries())
        SendMessageW(repeat_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(entry).c_str()));
    fileLabel_.SetText(AnsiToWide(settings_.file, 932));

    RememberCursorPoint();
    ZoomFromCursor(hwnd());
    forms::SetPointerOverride(nullptr);
    return true;
}

// The marks as radio buttons, and the one dependent control the kind can use.
void SettingsDialog::ShowKind(MusicKind kind) {
    KindView view = ViewOfKind(kind);
    for (Picture& mark : marks_)
        mark.SetBitmap(stock_[0].Bitmap());
    if (view.mark >= 0)
        marks_[view.mark].SetBitmap(stock_[1].Bitmap());
    EnableWindow(repeat_, view.repeatEnabled);
    CommandSetEnabled(fileButton_, view.fileEnabled);
}

void SettingsDialog::ChooseKind(MusicKind kind) {
    settings_.kind = kind;
    ShowKind(kind);
}

void SettingsDialog::ChooseFile() {
    std::string path;
    PickResult result = PickMusicFile(hwnd(), path);
    if (result == PickResult::Unstorable) {
        MessageBoxW(hwnd(), Utf8ToWide(kUnstorableFileText).c_str(),
                    Utf8ToWide(kUnstorableFileCaption).c_str(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (result != PickResult::Chosen)
        return;
    settings_.file = path;
    fileLabel_.SetText(AnsiToWide(path, 932));
}

void SettingsDialog::Save() {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(repeat_)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(repeat_, &text[0], static_cast<int>(text.size()))));
    settings_.repeatTrack = TrackFromText(WideToUtf8(text));
    // A save that fails is not reported; the file then keeps its old bytes.
    SaveSettings(settingsPath_, settings_);
    PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void SettingsDialog::OpenHomePage() {
    forms::SetPointerOverride(reinterpret_cast<LPCWSTR>(IDC_WAIT));
    ShellExecuteA(hwnd(), "open", kHomePage, "", "", SW_SHOWNORMAL);
    forms::SetPointerOverride(nullptr);
}

// Every way out zooms back into the point the dialog came from.
void SettingsDialog::Unload() {
    ZoomToCursor(hwnd());
    Destroy();
}

void SettingsDialog::OnCommand(int id) {
    if (id == IdOf(Ctl::FileButton))
        ChooseFile();
    else if (id == IdOf(Ctl::SaveButton))
        Save();
    else if (id == IdOf(Ctl::CancelButton))
        PostMessageW(hwnd(), WM_CLOSE, 0, 0);
    else if (id == IdOf(Ctl::OtherWorksButton))
        OpenHomePage();
}

// The focus goes back where it was when the dialog is active again.
void SettingsDialog::OnActivate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd(), focus))
            lastFocus_ = focus;
        return;
    }
    HWND target = lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : panel_.hwnd();
    SetFocus(target);
}

void SettingsDialog::MoveFocus(bool backwards) {
    HWND focus = GetFocus();
    Ctl current = Ctl::Count;
    for (Ctl c : {Ctl::MusicPanel, Ctl::RepeatBox, Ctl::FileButton, Ctl::SaveButton,
                  Ctl::CancelButton, Ctl::OtherWorksButton}) {
        HWND w = WindowOf(c);
        // The panel holds others, so only a direct hit counts for it.
        if (w && (w == focus || (c != Ctl::MusicPanel && IsChild(w, focus))))
            current = c;
    }
    Ctl next = NextFocus(current, backwards, [this](Ctl c) {
        HWND w = WindowOf(c);
        return w && IsWindowVisible(w) && IsWindowEnabled(w);
    });
    if (HWND w = WindowOf(next))
        SetFocus(w);
}

LRESULT SettingsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (backdrop_.OnMessage(hwnd(), message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            OnCommand(LOWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_CLOSE:
        Unload();
        return 0;
    default:
        return Form::OnMessage(message, wParam, lParam);
    }
}

// Tab and Shift+Tab walk the focus order; Enter and Esc mean nothing to the dialog.
void SettingsDialog::Run() {
    ShowWindow(hwnd(), SW_SHOW);
    UpdateWindow(hwnd());
    SetFocus(panel_.hwnd());
    MSG msg;
    while (hwnd() && IsWindow(hwnd())) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB &&
            (msg.hwnd == hwnd() || IsChild(hwnd(), msg.hwnd))) {
            MoveFocus(GetKeyState(VK_SHIFT) < 0);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace

void ShowSettingsDialog(BgmSettings& settings, const std::string& settingsPath) {
    SettingsDialog dialog(settings, settingsPath);
    if (dialog.Load())
        dialog.Run();
}

} // namespace orvanne
