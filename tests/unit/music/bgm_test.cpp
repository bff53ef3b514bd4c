#include "bgm.h"
#include "run_music.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <vector>

namespace orvanne {
namespace {

struct Answer {
    int32_t code;
    std::string reply;
};

// A device that records every command string and answers from a script: each command
// has a queue of answers, the last one repeating; unscripted commands succeed silently.
class ScriptedPort : public MciPort {
  public:
    void On(const std::string& command, std::vector<Answer> answers) {
        script_[command] = std::deque<Answer>(answers.begin(), answers.end());
    }

    int32_t Send(const std::string& command, std::string* reply, size_t capacity) override {
        sent.push_back(command);
        Answer answer{0, ""};
        auto it = script_.find(command);
        if (it != script_.end() && !it->second.empty()) {
            answer = it->second.front();
            if (it->second.size() > 1)
                it->second.pop_front();
        }
        if (reply)
            *reply = answer.reply.substr(0, capacity > 0 ? capacity - 1 : 0);
        return answer.code;
    }
    bool ErrorText(int32_t code, std::string& text, size_t) override {
        if (!errorTexts)
            return false;
        text = "error " + std::to_string(code);
        return true;
    }
    int WaveOutDeviceCount() override { return waveDevices; }
    void PlayWave(const std::string* sound, uint32_t flags) override {
        sounds.push_back({sound ? *sound : "(none)", flags});
    }

    std::vector<std::string> sent;
    std::vector<std::pair<std::string, uint32_t>> sounds;
    bool errorTexts = true;
    int waveDevices = 2;

  private:
    std::map<std::string, std::deque<Answer>> script_;
};

using Commands = std::vector<std::string>;

class BgmTest : public ::testing::Test {
  protected:
    // Commands sent since the last call.
    Commands Sent() {
        Commands recent(port.sent.begin() + static_cast<long>(seen_), port.sent.end());
        seen_ = port.sent.size();
        return recent;
    }
    // A disc of 8 tracks standing at the given track and mode.
    void Disc(const std::string& track, const std::string& mode) {
        port.On("status cdaudio current track", {{0, track}});
        port.On("status cdaudio number of tracks", {{0, "8"}});
        port.On("status cdaudio mode", {{0, mode}});
    }

    ScriptedPort port;
    BgmSettings settings;
    Bgm bgm{port, settings};

  private:
    size_t seen_ = 0;
};

TEST_F(BgmTest, MciSendReportsCodesAndTexts) {
    std::string answer;
    EXPECT_EQ(bgm.MciSend("", answer), -1);
    // "コマンド文字列が指定されていません" in code page 932.
    EXPECT_EQ(answer, "\x83R\x83}\x83\x93\x83h\x95\xB6\x8E\x9A\x97\xF1\x82\xAA\x8Ew\x92\xE8\x82\xB3"
                      "\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1");
    EXPECT_TRUE(port.sent.empty()) << "an empty command never reaches the platform";

    port.On("status cdaudio mode", {{266, ""}});
    EXPECT_EQ(bgm.MciSend("status cdaudio mode", answer), 266);
    EXPECT_EQ(answer, "error 266");
    port.errorTexts = false;
    EXPECT_EQ(bgm.MciSend("status cdaudio mode", answer), 266);
    EXPECT_EQ(answer,
              "Error (\x95\xB6\x8E\x9A\x97\xF1\x82\xAA\x8E\xE6\x82\xEA\x82\xDC\x82\xB9\x82\xF1)");

    port.On("status cdaudio current track", {{0, "3"}});
    EXPECT_EQ(bgm.MciQuery("status cdaudio current track"), "3");
    port.On("status cdaudio current track", {{277, ""}});
    EXPECT_EQ(bgm.MciQuery("status cdaudio current track"), "Error:277");
}

TEST_F(BgmTest, MciPlayBuildsItsCommand) {
    bgm.MciPlay("cdaudio", "", "");
    bgm.MciPlay("cdaudio", "", "5");
    bgm.MciPlay("cdaudio", "02:00:00:00", "");
    bgm.MciPlay("cdaudio", "1", "2");
    EXPECT_EQ(Sent(), (Commands{"play cdaudio", "play cdaudio to 5",
                                "play cdaudio from 02:00:00:00", "play cdaudio from 1 to 2"}));
}

const std::string kTrack = "status cdaudio current track";
const std::string kTracks = "status cdaudio number of tracks";
const std::string kMode = "status cdaudio mode";

TEST_F(BgmTest, CdWatchTicks) {
    // A disc of 8 tracks; each tick: repeat track, current track reply, mode, the commands
    // sent after the three looks, and whether the watch goes on.
    port.On("status cdaudio position track 3", {{0, "03:00:00:00"}});
    port.On("status cdaudio position track 30", {{275, ""}});
    const Commands jump = {"status cdaudio position track 3", "play cdaudio from 03:00:00:00"};
    const Commands noTrack = {"status cdaudio position track 30", "play cdaudio from Error:275"};
    struct Tick {
        int16_t repeat;
        const char* track;
        const char* mode;
        Commands after;
        bool keep;
        const char* why;
    } ticks[] = {
        {0, "not a number", "stopped", {"play cdaudio"}, true, "starts the disc where it stands"},
        {0, "1", "playing", {}, true, "a playing disc is left alone"},
        {0, "1", "stopped", {"play cdaudio"}, true, "a disc that stopped starts again"},
        {3, "5", "playing", jump, true, "off the repeat track"},
        {3, "3", "playing", {}, true, "on the repeat track and playing"},
        {3, "3", "stopped", jump, true, "on the repeat track but stopped"},
        {3, "x3", "playing", {}, false, "a track reply that is no number ends the watch"},
        {30, "1", "playing", noTrack, true, "a track beyond the disc: tried"},
        {30, "1", "playing", noTrack, true, "and tried again"},
    };
    for (const Tick& t : ticks) {
        settings.BgmRepeatTrack = t.repeat;
        Disc(t.track, t.mode);
        bgm.CdWatch();
        Commands expected = {kTrack, kTracks, kMode};
        expected.insert(expected.end(), t.after.begin(), t.after.end());
        EXPECT_EQ(Sent(), expected) << t.why;
        EXPECT_EQ(bgm.CdKeepWatching(), t.keep) << t.why;
    }
}

TEST_F(BgmTest, NoDriveOrNoDiscStopsTheWatch) {
    bgm.CdOpen();
    EXPECT_EQ(Sent(), (Commands{"open cdaudio", "set cdaudio time format tmsf"}));
    port.On(kTrack, {{266, ""}});
    bgm.CdWatch();
    EXPECT_FALSE(bgm.CdKeepWatching()) << "no drive";
    EXPECT_EQ(Sent(), (Commands{kTrack}));
    Disc("1", "stopped");
    port.On(kTracks, {{263, ""}});
    bgm.CdWatch();
    EXPECT_FALSE(bgm.CdKeepWatching()) << "no disc";
    EXPECT_EQ(Sent(), (Commands{kTrack, kTracks}));
    bgm.CdClose();
    EXPECT_EQ(Sent(), (Commands{"stop cdaudio", "close cdaudio"}));
}

TEST_F(BgmTest, Mp3OpensQuotedAndRepeatsFromTheStart) {
    settings.BgmFile = "C:\\My Music\\song.mp3";
    bgm.Mp3Open();
    EXPECT_EQ(Sent(), (Commands{"open \"C:\\My Music\\song.mp3\" type MPEGVideo Alias MP3Play",
                                "play MP3Play"}));
    // Ended: played again from 0; the mode is compared case-sensitively.
    port.On("status MP3Play mode",
            {{0, "playing"}, {0, "stopped"}, {0, "Playing"}, {0, "playing"}});
    const Commands look = {"status MP3Play mode"};
    const Commands restart = {"status MP3Play mode", "stop MP3Play", "play MP3Play from 0"};
    for (const Commands& expected : {look, restart, restart, look}) {
        bgm.Mp3KeepPlaying();
        EXPECT_EQ(Sent(), expected);
    }
    bgm.Mp3Close();
    EXPECT_EQ(Sent(), (Commands{"stop MP3Play", "close MP3Play"}));
}

TEST_F(BgmTest, Mp3ThatCannotOpenIsNotPlayed) {
    settings.BgmFile = "C:\\bad.mp3";
    port.On("open \"C:\\bad.mp3\" type MPEGVideo Alias MP3Play", {{277, ""}});
    port.On("status MP3Play mode", {{263, ""}});
    bgm.Mp3Open();
    EXPECT_EQ(Sent().size(), 1u) << "no play after a failed open";
    bgm.Mp3KeepPlaying();
    EXPECT_EQ(Sent(), (Commands{"status MP3Play mode", "stop MP3Play", "play MP3Play from 0"}));
}

TEST_F(BgmTest, WavLoopsOnlyWithAnOutputDevice) {
    settings.BgmFile = "C:\\a.wav";
    port.waveDevices = 0;
    bgm.WavePlay();
    EXPECT_TRUE(port.sounds.empty());
    port.waveDevices = 1;
    bgm.WavePlay();
    bgm.WaveStop();
    ASSERT_EQ(port.sounds.size(), 2u);
    EXPECT_EQ(port.sounds[0], std::make_pair(std::string("C:\\a.wav"), 9u));
    EXPECT_EQ(port.sounds[1], std::make_pair(std::string("(none)"), 0u));
    EXPECT_TRUE(port.sent.empty()) << "wave music sends no MCI commands";
}

TEST(RunMusic, ARunPlaysOnlyWhatTheSettingsCallForAndClosesWhatItOpened) {
    const Commands cd = {"open cdaudio", "set cdaudio time format tmsf"};
    const Commands cdEnd = {"stop cdaudio", "close cdaudio"};
    const Commands mp3 = {"open \"C:\\a.Mp3\" type MPEGVideo Alias MP3Play", "play MP3Play"};
    const Commands mp3End = {"stop MP3Play", "close MP3Play"};
    // Kind, file, whether the CD is still watched at the end, the timers, the commands at
    // the start and at the end, the sounds played.
    struct Case {
        int16_t kind;
        const char* file;
        bool watched;
        MusicTimers timers;
        Commands start, end;
        const char* sounds;
    } cases[] = {
        {0, "C:\\a.wav", false, {false, false}, {}, {}, ""},
        {3, "C:\\a.wav", false, {false, false}, {}, {}, ""},
        {-1, "C:\\a.wav", false, {false, false}, {}, {}, ""},
        {2, "C:\\a.ogg", false, {false, false}, {}, {}, ""},
        {2, "C:\\a.Wav", false, {false, false}, {}, {}, "C:\\a.Wav/9 (none)/0 "},
        {2, "C:\\a.Mp3", false, {true, false}, mp3, mp3End, ""},
        // No play before the first watch tick; a CD no longer watched is left alone.
        {1, "", true, {false, true}, cd, cdEnd, ""},
        {1, "", false, {false, true}, cd, {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + " " + c.file);
        ScriptedPort port;
        BgmSettings settings;
        settings.BgmKind = c.kind;
        settings.BgmFile = c.file;
        Bgm bgm(port, settings);
        MusicTimers timers = StartMusic(bgm, settings);
        EXPECT_EQ(timers.mp3_repeat, c.timers.mp3_repeat);
        EXPECT_EQ(timers.cd_watch, c.timers.cd_watch);
        EXPECT_EQ(port.sent, c.start);
        port.sent.clear();
        StopMusic(bgm, settings, c.watched);
        EXPECT_EQ(port.sent, c.end);
        std::string sounds;
        for (const auto& [sound, flags] : port.sounds)
            sounds += sound + "/" + std::to_string(flags) + " ";
        EXPECT_EQ(sounds, c.sounds);
    }
}

TEST(MusicFileKind, EndingDecidesThePlayer) {
    const std::pair<const char*, MusicFileKind> cases[] = {
        {"C:\\a.Mp3", MusicFileKind::Mp3}, {"C:\\A.WAV", MusicFileKind::Wav},
        {"wav", MusicFileKind::Wav},       {"C:\\a.ogg", MusicFileKind::Other},
        {"av", MusicFileKind::Other},      {"", MusicFileKind::Other}};
    for (auto [file, kind] : cases)
        EXPECT_EQ(MusicFileKindOf(file), kind) << file;
}

} // namespace
} // namespace orvanne
