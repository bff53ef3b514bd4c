#pragma once
// The settings dialog's zoom: a caption frame that grows out of a remembered screen point
// when the dialog opens and shrinks back into it when the dialog closes.

#include <windows.h>

#include "zoom_geometry.h"

namespace orvanne {

// Takes the cursor position as the zoom point (both 0 when it cannot be read; a coordinate
// outside 16 bits keeps its previous value) and returns it. The point is 0, 0 until first
// remembered.
ZoomPoint RememberCursorPoint();

// Animates from the zoom point to the window's rectangle.
void ZoomFromCursor(HWND window);

// Animates from the window's rectangle into the zoom point.
void ZoomToCursor(HWND window);

} // namespace orvanne
