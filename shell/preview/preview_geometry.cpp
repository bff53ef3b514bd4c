#include "preview_geometry.h"

#include <algorithm>
#include <cmath>

namespace orvanne {
namespace {

// Pixels as 16-bit twips; 0 when the result is negative or does not fit 16 bits.
int16_t PixelsToFormTwips(int32_t pixels, double twipsPerPixel) {
    double twips = std::round(pixels * twipsPerPixel);
    if (twips < 0 || twips > INT16_MAX)
        return 0;
    return static_cast<int16_t>(twips);
}

int32_t FormTwipsToPixels(int16_t twips, double twipsPerPixel) {
    double pixels = std::round(twips / twipsPerPixel);
    if (std::isnan(pixels))
        return 0;
    // An absurd dpi (a tiny twips-per-pixel) takes this past 32 bits.
    return static_cast<int32_t>(std::clamp<double>(pixels, INT32_MIN, INT32_MAX));
}

} // namespace

double TwipsPerPixel(int dotsPerInch) {
    if (dotsPerInch <= 0)
        return 15.0;
    return 1440.0 / dotsPerInch;
}

PreviewLayout LayoutPreview(const ScreenRect& host, double twipsPerPixelX, double twipsPerPixelY) {
    // 64-bit: a garbage rectangle must not overflow the subtraction.
    int64_t w = static_cast<int64_t>(host.right) - host.left;
    int64_t h = static_cast<int64_t>(host.bottom) - host.top;
    int16_t widthTwips = 0, heightTwips = 0; // the form's size as the toolkit holds it
    if (w > 0 && w <= INT32_MAX)
        widthTwips = PixelsToFormTwips(static_cast<int32_t>(w), twipsPerPixelX);
    if (h > 0 && h <= INT32_MAX)
        heightTwips = PixelsToFormTwips(static_cast<int32_t>(h), twipsPerPixelY);
    // Where a twip spans many pixels the trip back may overshoot: never past the host.
    PreviewLayout layout;
    layout.width = static_cast<int32_t>(std::clamp<int64_t>(
        FormTwipsToPixels(widthTwips, twipsPerPixelX), 0, std::max<int64_t>(w, 0)));
    layout.height = static_cast<int32_t>(std::clamp<int64_t>(
        FormTwipsToPixels(heightTwips, twipsPerPixelY), 0, std::max<int64_t>(h, 0)));
    return layout;
}

} // namespace orvanne
