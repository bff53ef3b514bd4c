#pragma once
// The settings dialog's zoom: a caption frame that grows out of a remembered screen point
// when the dialog opens and shrinks back into it when the dialog closes.

#include <windows.h>

#include <cstdint>

namespace orvanne {

// The zoom point in screen pixels; 0 until first remembered.
extern int16_t CursorX;
extern int16_t CursorY;

// Takes the cursor position as the zoom point (both 0 when it cannot be read; a coordinate
// outside 16 bits keeps its previous value). Returns whether GetCursorPos succeeded.
int32_t RememberCursorPoint();

// Animates from the zoom point to the window's rectangle.
void ZoomFromCursor(HWND window);

// Animates from the window's rectangle into the zoom point.
void ZoomToCursor(HWND window);

} // namespace orvanne
