#pragma once
// Rectangle arithmetic of the window zoom, kept free of the platform so it can be tested.

#include <cstdint>

#include "screen_rect.h"

namespace orvanne {

// The remembered screen point a window zooms out of and back into.
struct ZoomPoint {
    int16_t x = 0;
    int16_t y = 0;
};

// The empty rectangle at the point: left = right = x, top = bottom = y.
ScreenRect ZoomRectAt(ZoomPoint point);

// The zoom point after reading the cursor: (0, 0) when the read failed; otherwise each
// coordinate that fits 16 bits is taken and one that does not keeps its previous value.
ZoomPoint ZoomPointFromCursor(ZoomPoint previous, bool readOk, int32_t x, int32_t y);

// Frame `frame` of `frames` of a straight animation from one rectangle to the other:
// frame 0 is `from`, frame `frames` is `to`; frames outside that range are clamped.
ScreenRect ZoomFrame(const ScreenRect& from, const ScreenRect& to, int frame, int frames);

// The caption strip of a frame: its top `captionHeight` pixels, never below its bottom.
ScreenRect CaptionStrip(const ScreenRect& frame, int32_t captionHeight);

} // namespace orvanne
