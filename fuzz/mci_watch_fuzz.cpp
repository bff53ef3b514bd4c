// The CD watch ticked with any device replies. Line 1: the repeat track; every later line
// answers one MCI command: its leading number the error code, after the first blank the reply.
#include "fuzz_support.h"
#include "number_text.h"
#include "run_music.h"

#include <algorithm>
#include <map>
#include <sstream>

using namespace orvanne;

namespace {

struct FuzzPort : MciPort {
    std::istringstream answers;                 // an answer a line
    std::string last;                           // the last command sent
    std::map<std::string, std::string> replies; // the last reply to each command

    int32_t Send(const std::string& command, std::string* reply, size_t capacity) override {
        last = command;
        std::string answer;
        std::getline(answers, answer);
        size_t blank = answer.find(' ');
        std::string_view text =
            blank == answer.npos ? "" : std::string_view(answer).substr(blank + 1);
        // The platform fills a C string buffer of that many characters.
        text = text.substr(0, std::min(text.find('\0'), capacity > 0 ? capacity - 1 : 0));
        if (reply)
            *reply = replies[command] = std::string(text);
        return static_cast<int32_t>(std::strtoll(answer.c_str(), nullptr, 10));
    }
    bool ErrorText(int32_t code, std::string& text, size_t) override {
        text = "error " + std::to_string(code);
        return code % 2 == 0;
    }
    int WaveOutDeviceCount() override { return 1; }
    void PlayWave(const std::string*, uint32_t) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzPort port;
    port.answers.str(std::string(reinterpret_cast<const char*>(data), size));
    std::string first;
    if (!std::getline(port.answers, first))
        return 0;
    const auto track = static_cast<int16_t>(std::strtol(first.c_str(), nullptr, 10));
    BgmSettings settings{MusicKind::AudioCd, track, ""};
    Bgm bgm(port, settings);
    bool watching = StartMusic(bgm, settings).cdWatch;
    for (int tick = 0; watching && tick < 64 && port.answers.peek() != EOF; ++tick) {
        port.last.clear();
        bgm.CdWatch();
        watching = bgm.CdKeepWatching();
        bool stopped = port.replies["status cdaudio mode"].rfind("stopped", 0) == 0;
        std::optional<double> track = ParseNumber(port.replies["status cdaudio current track"]);
        bool onTrack = settings.repeatTrack == 0 || track == settings.repeatTrack;
        Require((port.last.rfind("play ", 0) == 0) == (watching && (stopped || !onTrack)),
                "a watched CD is played exactly when it stopped or left its track");
    }
    return 0;
}
