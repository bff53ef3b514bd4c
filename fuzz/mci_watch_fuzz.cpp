// The CD watch ticked with any device replies. Line 1: the repeat track; every later line
// answers one MCI command: its leading number the error code, after the first blank the reply.
#include "fuzz_support.h"
#include "number_text.h"
#include "run_music.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <vector>

using namespace orvanne;

namespace {

struct FuzzPort : MciPort {
    std::vector<std::string> answers;
    size_t next = 0;
    std::string last;                           // the last command sent
    std::map<std::string, std::string> replies; // the last reply to each command

    int32_t Send(const std::string& command, std::string* reply, size_t capacity) override {
        last = command;
        std::string_view answer = next < answers.size() ? std::string_view(answers[next++]) : "";
        size_t blank = answer.find(' ');
        std::string_view text = blank == answer.npos ? "" : answer.substr(blank + 1);
        // The platform fills a C string buffer of that many characters.
        text = text.substr(0, std::min(text.find('\0'), capacity > 0 ? capacity - 1 : 0));
        if (reply)
            *reply = replies[command] = std::string(text);
        return static_cast<int32_t>(std::strtoll(std::string(answer).c_str(), nullptr, 10));
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
    std::istringstream lines{std::string(reinterpret_cast<const char*>(data), size)};
    for (std::string line; std::getline(lines, line);)
        port.answers.push_back(line);
    if (port.answers.empty())
        return 0;
    const auto track = static_cast<int16_t>(std::strtol(port.answers[0].c_str(), nullptr, 10));
    BgmSettings settings{MusicKind::AudioCd, track, ""};
    port.next = 1;
    Bgm bgm(port, settings);
    bool watching = StartMusic(bgm, settings).cdWatch;
    for (int tick = 0; watching && tick < 64 && port.next < port.answers.size(); ++tick) {
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
