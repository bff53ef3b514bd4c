// The settings dialog "<Orvanne>", in which the user chooses the music.
#pragma once

#include "settings_file.h"

#include <string>

namespace orvanne {

// Its caption marks a running copy.
inline constexpr char kSettingsDialogCaption[] = "<Orvanne>";

// Shows the dialog modally and returns once it has gone. Choosing a kind or a file
// changes settings at once; saving also sets the repeat track and writes all three
// values to the settings file at settingsPath.
void ShowSettingsDialog(BgmSettings& settings, const std::string& settingsPath);

} // namespace orvanne
