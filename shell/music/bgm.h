// The background music: audio CD and MP3 through MCI command strings,
// WAV through looped wave playback. Every failure is silent.
#pragma once

#include "mci_port.h"
#include "settings_file.h"

#include <string>
#include <string_view>

namespace orvanne {

inline constexpr uint32_t kSndAsync = 0x0001;
inline constexpr uint32_t kSndLoop = 0x0008;

// Which player a music file needs, from the last three characters of its name.
enum class MusicFileKind { Wav, Mp3, Other };
MusicFileKind MusicFileKindOf(std::string_view path);

class Bgm {
  public:
    Bgm(MciPort& port, const BgmSettings& settings) : port_(port), settings_(settings) {}

    // 0, the MCI error code, or -1 for an empty command; answer gets the reply or error text.
    int32_t MciSend(std::string_view command, std::string& answer);
    // The reply, or "Error:" and the code in decimal when the command failed.
    std::string MciQuery(std::string_view command);
    // "play " device [" from " from] [" to " to].
    int32_t MciPlay(std::string_view device, std::string_view from, std::string_view to);

    void CdOpen();
    // One 200 ms look at the CD: starts it, restarts it, or jumps back to the repeat track.
    void CdWatch();
    void CdClose();
    // False once a look found the CD unusable; the caller then stops watching.
    bool CdKeepWatching() const { return cdKeepWatching_; }

    void Mp3Open();
    bool Mp3IsPlaying();
    // One 1000 ms look: an MP3 that is not playing starts again from the beginning.
    void Mp3KeepPlaying();
    void Mp3Close();

    void WavePlay();
    void WaveStop();

  private:
    MciPort& port_;
    const BgmSettings& settings_;
    bool cdKeepWatching_ = false;
    std::string mciAnswer_;
};

} // namespace orvanne
