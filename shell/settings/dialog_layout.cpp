#include "dialog_layout.h"

#include <array>
#include <cmath>

namespace orvanne {

namespace {

constexpr Surface D = Surface::Dialog;
constexpr Surface P = Surface::Panel;

constexpr std::array<Placement, static_cast<int>(Ctl::Count)> kPlaces{{
#define CONTROL(name, surface, left, top, width, height) {surface, {left, top, width, height}},
#include "dialog_layout.def"
#undef CONTROL
}};

constexpr std::array<Ctl, 6> kFocusOrder{Ctl::MusicPanel, Ctl::RepeatBox,    Ctl::FileButton,
                                         Ctl::SaveButton, Ctl::CancelButton, Ctl::OtherWorksButton};

} // namespace

const Placement& PlaceOf(Ctl control) {
    return kPlaces[static_cast<int>(control)];
}

Ctl MarkOf(MusicKind kind) {
    static constexpr std::array<Ctl, 3> marks{Ctl::NoMusicMark, Ctl::CdMark, Ctl::FileMark};
    return marks[static_cast<std::size_t>(kind)];
}

Ctl LabelOf(MusicKind kind) {
    static constexpr std::array<Ctl, 3> labels{Ctl::NoMusicLabel, Ctl::CdLabel, Ctl::FileLabel};
    return labels[static_cast<std::size_t>(kind)];
}

Rect ToPixels(const Rect& t, int dpi) {
    return {TwipsToPixels(t.left, dpi), TwipsToPixels(t.top, dpi), TwipsToPixels(t.width, dpi),
            TwipsToPixels(t.height, dpi)};
}

int FontPixels(double points, int dpi) {
    return static_cast<int>(std::lround(points * dpi / 72.0));
}

Point DialogPosition(int screenWidth, int screenHeight, int windowWidth, int windowHeight,
                     int dpi) {
    // Integer division truncates toward zero, also for a window larger than the screen.
    int left = (PixelsToTwips(screenWidth, dpi) - PixelsToTwips(windowWidth, dpi)) / 2;
    int top = (PixelsToTwips(screenHeight, dpi) - PixelsToTwips(windowHeight, dpi)) / 3;
    return {TwipsToPixels(left, dpi), TwipsToPixels(top, dpi)};
}

Ctl NextFocus(Ctl current, bool backwards, const std::function<bool(Ctl)>& canFocus) {
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
        if (canFocus(kFocusOrder[i]))
            return kFocusOrder[i];
    }
    return current;
}

} // namespace orvanne
