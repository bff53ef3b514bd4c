#include "preview_geometry.h"

#include <algorithm>
#include <cmath>

namespace orvanne {
namespace {

// Pixels as 16-bit twips; 0 when the result is negative or does not fit 16 bits.
int16_t PixelsToFormTwips(int32_t pixels, double twips_per_pixel) {
    double twips = std::round(pixels * twips_per_pixel);
    if (twips < 0 || twips > INT16_MAX)
        return 0;
    return static_cast<int16_t>(twips);
}

int32_t FormTwipsToPixels(int16_t twips, double twips_per_pixel) {
    double pixels = std::round(twips / twips_per_pixel);
    if (std::isnan(pixels))
        return 0;
    // An absurd dpi (a tiny twips-per-pixel) takes this past 32 bits.
    return static_cast<int32_t>(std::clamp<double>(pixels, INT32_MIN, INT32_MAX));
}

} // namespace

double TwipsPerPixel(int dots_per_inch) {
    if (dots_per_inch <= 0)
        return 15.0;
    return 1440.0 / dots_per_inch;
}

PreviewLayout LayoutPreview(const ScreenRect& host, double twips_per_pixel_x,
                            double twips_per_pixel_y) {
    // 64-bit: a garbage rectangle must not overflow the subtraction.
    int64_t w = static_cast<int64_t>(host.right) - host.left;
    int64_t h = static_cast<int64_t>(host.bottom) - host.top;
    int16_t widthTwips = 0, heightTwips = 0; // the form's size as the toolkit holds it
    if (w > 0 && w <= INT32_MAX)
        widthTwips = PixelsToFormTwips(static_cast<int32_t>(w), twips_per_pixel_x);
    if (h > 0 && h <= INT32_MAX)
        heightTwips = PixelsToFormTwips(static_cast<int32_t>(h), twips_per_pixel_y);
    // Where a twip spans many pixels the trip back may overshoot: never past the host.
    PreviewLayout layout;
    layout.width = static_cast<int32_t>(std::clamp<int64_t>(
        FormTwipsToPixels(widthTwips, twips_per_pixel_x), 0, std::max<int64_t>(w, 0)));
    layout.height = static_cast<int32_t>(std::clamp<int64_t>(
        FormTwipsToPixels(heightTwips, twips_per_pixel_y), 0, std::max<int64_t>(h, 0)));
    return layout;
}

} // namespace orvanne
