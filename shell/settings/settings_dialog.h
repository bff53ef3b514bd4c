// The settings dialog "<Orvanne>" (Vellis_P), in which the user chooses the music.
#pragma once

#include "settings_file.h"

namespace orvanne {

// Shows the dialog modally and returns once it has gone. Choosing a kind or a file
// changes settings at once; saving also sets the repeat track and writes all three
// values to the settings file.
void ShowSettingsDialog(BgmSettings& settings);

} // namespace orvanne
