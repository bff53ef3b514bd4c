// The music-file picker of the settings dialog.
#pragma once

#include <windows.h>

#include <string>

namespace orvanne {

enum class PickResult { Chosen, Cancelled, Unstorable };

// Shows the open-file picker over owner. Chosen: path is what the settings file can hold in
// code page 932 and 255 bytes, the full path as the picker returned it or, where that
// does not fit, the volume's short (8.3) form of it. Unstorable: the file has neither.
PickResult PickMusicFile(HWND owner, std::string& path);

} // namespace orvanne
