// What the settings dialog shows for a music kind and how it reads the repeat box.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings_file.h"

namespace orvanne {

// Which mark is on and which of the two dependent controls is usable.
struct KindView {
    int mark; // 0..2, or -1 for a stored kind the dialog has no mark for
    bool repeatEnabled;
    bool fileEnabled;
};
KindView ViewOfKind(MusicKind kind);

// A track number as the repeat box shows it: digits only, and nothing for 0.
std::string TrackText(int track);

// The repeat box's list: the empty entry, then 1 to 30.
std::vector<std::string> RepeatEntries();

// The repeat box's text as a track: rounded half to even, 0 for anything that is not a
// number within 16 bits.
int16_t TrackFromText(std::string_view text);

} // namespace orvanne
