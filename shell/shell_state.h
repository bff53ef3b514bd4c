// The shell-wide values, one instance for the life of the process.
#pragma once

#include "settings_file.h"

#include <cstdint>

namespace orvanne {

struct ShellState {
    BgmSettings bgm;             // filled by LoadSettings, changed by the settings dialog
    int32_t cursorShowCount = 0; // what ShowCursor returned when run mode hid the cursor
};

extern ShellState shell;

} // namespace orvanne
