// Where everything of the settings dialog stands, in twips, and its conversion to pixels
// at the screen's real resolution.
#pragma once

#include <functional>

#include "command_geometry.h"
#include "settings_file.h"

namespace orvanne {

enum class Ctl {
#define CONTROL(name, surface, left, top, width, height) name,
#include "dialog_layout.def"
#undef CONTROL
    Count
};

enum class Surface { Dialog, Panel };

struct Rect {
    int left, top, width, height;
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

struct Placement {
    Surface surface; // panel controls are placed relative to the panel's corner
    Rect twips;
};

constexpr int kClientWidthTwips = 7185;
constexpr int kClientHeightTwips = 3780;

const Placement& PlaceOf(Ctl control);

// The mark and the label of a music kind.
Ctl MarkOf(MusicKind kind);
Ctl LabelOf(MusicKind kind);

// Converted as the Command buttons convert theirs (TwipsToPixels), so that everything
// lines up at any resolution.
Rect ToPixels(const Rect& twips, int dpi);

// Font size in points as a character height in pixels.
int FontPixels(double points, int dpi);

// Top-left corner of the window: centred across and a third of the free height down,
// computed in whole twips as the layout is.
struct Point {
    int x, y;
};
Point DialogPosition(int screenWidth, int screenHeight, int windowWidth, int windowHeight, int dpi);

// The control that Tab (or Shift+Tab) moves to from current, skipping those that cannot
// take the focus now. From a control outside the order it starts at either end.
Ctl NextFocus(Ctl current, bool backwards, const std::function<bool(Ctl)>& canFocus);

} // namespace orvanne
