#include "music_choice.h"

#include "number_text.h"

namespace orvanne {

KindView ViewOfKind(MusicKind kind) {
    switch (kind) {
    case MusicKind::None:
        return {0, false, false};
    case MusicKind::AudioCd:
        return {1, true, false};
    case MusicKind::File:
        return {2, false, true};
    default:
        return {-1, false, false};
    }
}

std::string TrackText(int track) {
    return track == 0 ? std::string() : std::to_string(track);
}

std::vector<std::string> RepeatEntries() {
    std::vector<std::string> entries;
    for (int n = 0; n <= 30; ++n)
        entries.push_back(TrackText(n));
    return entries;
}

int16_t TrackFromText(std::string_view text) {
    return RoundEvenToInt16(text).value_or(0);
}

} // namespace orvanne
