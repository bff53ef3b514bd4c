// How a run starts and ends the music: the player the settings call for, and which of the
// run form's two music timers then tick.
#pragma once

#include "bgm.h"

namespace orvanne {

struct MusicTimers {
    bool mp3Repeat = false; // 1000 ms: Mp3KeepPlaying
    bool cdWatch = false;   // 200 ms: CdWatch
};

// At load: opens the CD, loops a WAV, or opens and plays an MP3. Any other kind or file
// ending plays nothing and needs no timer.
MusicTimers StartMusic(Bgm& bgm, const BgmSettings& settings);

// At the end: closes the CD only while it is still watched, and stops a file's sound.
void StopMusic(Bgm& bgm, const BgmSettings& settings, bool cdWatching);

} // namespace orvanne
