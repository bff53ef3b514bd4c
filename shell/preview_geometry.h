#pragma once
// Sizing the preview inside its host: the form toolkit holds the form's size in 16-bit
// twips, so a host too large for that gets a form of size 0 in that direction.

#include <cstdint>

#include "screen_rect.h"

namespace orvanne {

// Twips per screen pixel at the given dots per inch (15 at 96); 15 for a dpi of 0 or less.
double TwipsPerPixel(int dots_per_inch);

// Pixels as 16-bit twips; 0 when the result is negative or does not fit 16 bits.
int16_t PixelsToFormTwips(int32_t pixels, double twips_per_pixel);

// Twips back to whole pixels.
int32_t FormTwipsToPixels(int16_t twips, double twips_per_pixel);

struct PreviewLayout {
    int16_t form_width_twips = 0;
    int16_t form_height_twips = 0;
    // The form and its picture control both get this pixel size, at (0, 0) of the host.
    int32_t width = 0;
    int32_t height = 0;
};

// The preview's size for a host rectangle (as GetWindowRect gives it).
PreviewLayout LayoutPreview(const ScreenRect& host, double twips_per_pixel_x,
                            double twips_per_pixel_y);

} // namespace orvanne
