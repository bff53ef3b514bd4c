#include "dialog_layout.h"

#include <array>
#include <cmath>

namespace orvanne {

namespace {

constexpr Surface D = Surface::Dialog;
constexpr Surface P = Surface::Panel;

constexpr std::array<Placement, static_cast<int>(Ctl::Count)> kPlaces{{
    {D, {180, 240, 6795, 2535}},  // PicC
    {P, {300, 300, 1695, 315}},   // Shape3
    {P, {300, 360, 1665, 195}},   // LblHeading
    {P, {300, 840, 195, 195}},    // ImgBgm1
    {P, {540, 840, 645, 195}},    // LblBgm1
    {P, {1380, 780, 615, 300}},   // BgmRepeat
    {P, {2040, 840, 990, 195}},   // LblRepeat
    {P, {300, 1140, 195, 195}},   // ImgBgm0
    {P, {540, 1140, 345, 195}},   // LblBgm0
    {P, {300, 1440, 195, 195}},   // ImgBgm2
    {P, {540, 1440, 900, 195}},   // LblBgm2
    {P, {540, 1740, 435, 315}},   // CmdBgm
    {P, {1020, 1740, 5355, 435}}, // LblFname
    {D, {180, 2940, 2475, 195}},  // LblCredit
    {D, {2880, 3000, 1875, 375}}, // CmdEtc
    {D, {4800, 3000, 1095, 375}}, // CmdSet
    {D, {5940, 3000, 1035, 375}}, // CmdCan
    {D, {8040, 300, 180, 180}},   // ImgRa0
    {D, {8040, 600, 180, 180}},   // ImgRa1
}};

constexpr std::array<Ctl, 6> kFocusOrder{Ctl::PicC,   Ctl::BgmRepeat, Ctl::CmdBgm,
                                         Ctl::CmdSet, Ctl::CmdCan,    Ctl::CmdEtc};

} // namespace

const Placement& PlaceOf(Ctl control) {
    return kPlaces[static_cast<int>(control)];
}

Ctl MarkOf(int kind) {
    static constexpr std::array<Ctl, 3> marks{Ctl::ImgBgm0, Ctl::ImgBgm1, Ctl::ImgBgm2};
    return marks[static_cast<std::size_t>(kind)];
}

Ctl LabelOf(int kind) {
    static constexpr std::array<Ctl, 3> labels{Ctl::LblBgm0, Ctl::LblBgm1, Ctl::LblBgm2};
    return labels[static_cast<std::size_t>(kind)];
}

Rect ToPixels(const Rect& t, int dpi) {
    return {TwipsToPixels(t.left, dpi), TwipsToPixels(t.top, dpi), TwipsToPixels(t.width, dpi),
            TwipsToPixels(t.height, dpi)};
}

int FontPixels(double points, int dpi) {
    return static_cast<int>(std::lround(points * dpi / 72.0));
}

Point DialogPosition(int screen_width, int screen_height, int window_width, int window_height,
                     int dpi) {
    // Integer division truncates toward zero, also for a window larger than the screen.
    int left = (PixelsToTwips(screen_width, dpi) - PixelsToTwips(window_width, dpi)) / 2;
    int top = (PixelsToTwips(screen_height, dpi) - PixelsToTwips(window_height, dpi)) / 3;
    return {TwipsToPixels(left, dpi), TwipsToPixels(top, dpi)};
}

Ctl NextFocus(Ctl current, bool backwards, const std::function<bool(Ctl)>& can_focus) {
    const int n = static_cast<int>(kFocusOrder.size());
    int at = -1;
    for (int i = 0; i < n; ++i) {
        if (kFocusOrder[i] == current)
            at = i;
    }
    if (at < 0)
        at = backwards ? 0 : n - 1;
    for (int step = 1; step <= n; ++step) {
        int i = ((at + (backwards ? -step : step)) % n + n) % n;
        if (can_focus(kFocusOrder[i]))
            return kFocusOrder[i];
    }
    return current;
}

} // namespace orvanne
