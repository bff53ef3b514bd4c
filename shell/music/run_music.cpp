#include "run_music.h"

namespace orvanne {

MusicTimers StartMusic(Bgm& bgm, const BgmSettings& settings) {
    MusicTimers timers;
    if (settings.BgmKind == 1) {
        bgm.CdOpen();
        timers.cd_watch = true;
    }
    if (settings.BgmKind == 2) {
        MusicFileKind kind = MusicFileKindOf(settings.BgmFile);
        if (kind == MusicFileKind::Wav)
            bgm.WavePlay();
        if (kind == MusicFileKind::Mp3) {
            bgm.Mp3Open();
            timers.mp3_repeat = true;
        }
    }
    return timers;
}

void StopMusic(Bgm& bgm, const BgmSettings& settings, bool cdWatching) {
    if (cdWatching)
        bgm.CdClose();
    if (settings.BgmKind == 2) {
        MusicFileKind kind = MusicFileKindOf(settings.BgmFile);
        if (kind == MusicFileKind::Wav)
            bgm.WaveStop();
        if (kind == MusicFileKind::Mp3)
            bgm.Mp3Close();
    }
}

} // namespace orvanne
