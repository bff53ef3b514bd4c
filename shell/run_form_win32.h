// The hidden run form: starts the music and the renderer, keeps the music going
// and ends the program when the renderer's window has gone.
#pragma once

namespace orvanne {

// Its caption marks a running copy.
inline constexpr char kRunFormCaption[] = "Vellis_Main";

// Creates the run form; from then on its timers drive the program. cursorHidden: Main hid
// the cursor, so the end shows it again.
void StartRunForm(bool cursorHidden);

} // namespace orvanne
