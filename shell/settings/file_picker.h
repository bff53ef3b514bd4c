// The music-file picker of the settings dialog.
#pragma once

#include <windows.h>

#include <string>

namespace orvanne {

// Shows the open-file picker over owner. True when the user chose a file: path is then
// its full path in code page 932, as the picker returned it. A path that has no code
// page 932 form, or needs more than the 255-byte buffer with its NUL, counts as no choice.
bool PickMusicFile(HWND owner, std::string& path);

} // namespace orvanne
