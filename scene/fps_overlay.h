// The frame-rate overlay's glyphs, made by each front end from its platform's font.
#pragma once

namespace orvanne {

// Mesa: a glBitmap without pixels loses its advance inside a display list, and that is how
// empty glyphs such as the space are recorded, so "188.9 fps" read "188.9fps". Each front
// end records its empty glyphs again through this: one blank pixel with the same advance.
void record_blank_glyph(unsigned list, float advance_x, float advance_y);

} // namespace orvanne
