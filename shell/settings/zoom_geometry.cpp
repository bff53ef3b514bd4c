#include "zoom_geometry.h"

#include <algorithm>

namespace orvanne {

namespace {

bool FitsInt16(int32_t v) {
    return v >= INT16_MIN && v <= INT16_MAX;
}

int32_t Between(int32_t from, int32_t to, int frame, int frames) {
    // 64-bit so screen-wide moves cannot overflow.
    int64_t delta = static_cast<int64_t>(to) - from;
    return static_cast<int32_t>(from + delta * frame / frames);
}

} // namespace

ScreenRect ZoomRectAt(ZoomPoint point) {
    return {point.x, point.y, point.x, point.y};
}

ZoomPoint ZoomPointFromCursor(ZoomPoint previous, bool readOk, int32_t x, int32_t y) {
    if (!readOk)
        return {};
    ZoomPoint next = previous;
    if (FitsInt16(x))
        next.x = static_cast<int16_t>(x);
    if (FitsInt16(y))
        next.y = static_cast<int16_t>(y);
    return next;
}

ScreenRect ZoomFrame(const ScreenRect& from, const ScreenRect& to, int frame, int frames) {
    if (frames <= 0 || frame >= frames)
        return to;
    if (frame <= 0)
        return from;
    return {Between(from.left, to.left, frame, frames), Between(from.top, to.top, frame, frames),
            Between(from.right, to.right, frame, frames),
            Between(from.bottom, to.bottom, frame, frames)};
}

ScreenRect CaptionStrip(const ScreenRect& frame, int32_t captionHeight) {
    ScreenRect strip = frame;
    int64_t bottom = static_cast<int64_t>(frame.top) + std::max<int32_t>(captionHeight, 0);
    strip.bottom = static_cast<int32_t>(std::min<int64_t>(bottom, frame.bottom));
    return strip;
}

} // namespace orvanne
