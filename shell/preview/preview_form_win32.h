#pragma once
// The preview form: the still of the jewel field inside the display settings'
// little monitor, as a child window of the host the system names.

#include <windows.h>

namespace orvanne {

// Shows the preview inside host. Returns false, leaving nothing open, when host names no
// window, so the preview process ends at once. The form goes away with its host.
bool ShowPreview(HWND host);

} // namespace orvanne
