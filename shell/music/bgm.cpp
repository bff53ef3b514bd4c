#include "bgm.h"

#include "number_text.h"

#include <optional>

namespace orvanne {
namespace {

// "コマンド文字列が指定されていません" and "Error (文字列が取れません)" in code page 932.
const char kNoCommand[] = "\x83R\x83}\x83\x93\x83h\x95\xB6\x8E\x9A\x97\xF1\x82\xAA\x8Ew\x92\xE8"
                          "\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1";
const char kNoErrorText[] = "Error (\x95\xB6\x8E\x9A\x97\xF1\x82\xAA\x8E\xE6\x82\xEA\x82\xDC\x82"
                            "\xB9\x82\xF1)";

constexpr size_t kReplyCapacity = 512;
constexpr size_t kErrorCapacity = 256;
constexpr size_t kCdModeCapacity = 255;
constexpr size_t kMp3ModeCapacity = 30;

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Failed queries come back as "Error:" and a code; the watch looks for that text.
bool IsError(std::string reply) {
    for (char& c : reply)
        c = Upper(c);
    return reply.find("ERR") != std::string::npos;
}

} // namespace

MusicFileKind MusicFileKindOf(std::string_view path) {
    if (path.size() < 3)
        return MusicFileKind::Other;
    std::string ending;
    for (char c : path.substr(path.size() - 3))
        ending += Upper(c);
    if (ending == "WAV")
        return MusicFileKind::Wav;
    if (ending == "MP3")
        return MusicFileKind::Mp3;
    return MusicFileKind::Other;
}

int32_t Bgm::MciSend(std::string_view command, std::string& answer) {
    if (command.empty()) {
        answer = kNoCommand;
        return -1;
    }
    std::string reply;
    int32_t code = port_.Send(std::string(command), &reply, kReplyCapacity);
    if (code != 0) {
        std::string text;
        answer = port_.ErrorText(code, text, kErrorCapacity) ? text : kNoErrorText;
        return code;
    }
    answer = reply;
    return 0;
}

std::string Bgm::MciQuery(std::string_view command) {
    int32_t code = MciSend(command, mciAnswer_);
    if (code != 0)
        return "Error:" + std::to_string(code);
    return mciAnswer_;
}

int32_t Bgm::MciPlay(std::string_view device, std::string_view from, std::string_view to) {
    std::string command = "play ";
    command += device;
    if (!from.empty())
        command.append(" from ").append(from);
    if (!to.empty())
        command.append(" to ").append(to);
    return MciSend(command, mciAnswer_);
}

void Bgm::CdOpen() {
    port_.Send("open cdaudio", nullptr, 0);
    port_.Send("set cdaudio time format tmsf", nullptr, 0);
}

void Bgm::CdWatch() {
    cdKeepWatching_ = true;
    std::string track = MciQuery("status cdaudio current track");
    if (IsError(track)) {
        cdKeepWatching_ = false;
        return;
    }
    if (IsError(MciQuery("status cdaudio number of tracks"))) {
        cdKeepWatching_ = false;
        return;
    }
    std::string mode;
    port_.Send("status cdaudio mode", &mode, kCdModeCapacity);
    bool stopped = mode.substr(0, 7) == "stopped";

    int16_t repeat = settings_.repeatTrack;
    if (repeat != 0) {
        std::optional<double> current = ParseNumber(track);
        if (!current) {
            cdKeepWatching_ = false;
            return;
        }
        if (stopped || *current != repeat) {
            std::string start = MciQuery("status cdaudio position track " + std::to_string(repeat));
            MciPlay("cdaudio", start, "");
        }
    } else if (stopped) {
        MciPlay("cdaudio", "", "");
    }
}

void Bgm::CdClose() {
    port_.Send("stop cdaudio", nullptr, 0);
    port_.Send("close cdaudio", nullptr, 0);
}

void Bgm::Mp3Open() {
    std::string command = "open \"" + settings_.file + "\" type MPEGVideo Alias MP3Play";
    if (port_.Send(command, nullptr, 0) == 0)
        port_.Send("play MP3Play", nullptr, 0);
}

bool Bgm::Mp3IsPlaying() {
    std::string mode;
    port_.Send("status MP3Play mode", &mode, kMp3ModeCapacity);
    return mode.substr(0, 7) == "playing";
}

void Bgm::Mp3KeepPlaying() {
    if (Mp3IsPlaying())
        return;
    port_.Send("stop MP3Play", nullptr, 0);
    port_.Send("play MP3Play from 0", nullptr, 0);
}

void Bgm::Mp3Close() {
    port_.Send("stop MP3Play", nullptr, 0);
    port_.Send("close MP3Play", nullptr, 0);
}

void Bgm::WavePlay() {
    if (port_.WaveOutDeviceCount() <= 0)
        return;
    port_.PlayWave(&settings_.file, kSndAsync | kSndLoop);
}

void Bgm::WaveStop() {
    port_.PlayWave(nullptr, 0);
}

} // namespace orvanne
