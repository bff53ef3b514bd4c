#include "run_music.h"

namespace orvanne {

MusicTimers StartMusic(Bgm& bgm, const BgmSettings& settings) {
    MusicTimers timers;
    if (settings.kind == MusicKind::AudioCd) {
        bgm.CdOpen();
        timers.cdWatch = true;
    }
    if (settings.kind == MusicKind::File) {
        MusicFileKind kind = MusicFileKindOf(settings.file);
        if (kind == MusicFileKind::Wav)
            bgm.WavePlay();
        if (kind == MusicFileKind::Mp3) {
            bgm.Mp3Open();
            timers.mp3Repeat = true;
        }
    }
    return timers;
}

void StopMusic(Bgm& bgm, const BgmSettings& settings, bool cdWatching) {
    if (cdWatching)
        bgm.CdClose();
    if (settings.kind == MusicKind::File) {
        MusicFileKind kind = MusicFileKindOf(settings.file);
        if (kind == MusicFileKind::Wav)
            bgm.WaveStop();
        if (kind == MusicFileKind::Mp3)
            bgm.Mp3Close();
    }
}

} // namespace orvanne
