#pragma once
// Sizing the preview inside its host: the form toolkit holds the form's size in 16-bit
// twips, so a host too large for that gets a form of size 0 in that direction.

#include <cstdint>

#include "screen_rect.h"

namespace orvanne {

// Twips per screen pixel at the given dots per inch (15 at 96); 15 for a dpi of 0 or less.
double TwipsPerPixel(int dotsPerInch);

// The form and its picture control both get this pixel size, at (0, 0) of the host.
struct PreviewLayout {
    int32_t width = 0;
    int32_t height = 0;
};

// The preview's size for a host rectangle (as GetWindowRect gives it).
PreviewLayout LayoutPreview(const ScreenRect& host, double twipsPerPixelX, double twipsPerPixelY);

} // namespace orvanne
