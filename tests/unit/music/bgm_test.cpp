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
    EXPECT_EQ(bgm.MciAnswer(), "3");
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

TEST_F(BgmTest, NoDriveStopsTheWatchAtTheFirstTick) {
    bgm.CdOpen();
    EXPECT_EQ(Sent(), (Commands{"open cdaudio", "set cdaudio time format tmsf"}));
    port.On("status cdaudio current track", {{266, ""}});
    bgm.CdWatch();
    EXPECT_FALSE(bgm.CdKeepWatching());
    EXPECT_EQ(Sent(), (Commands{"status cdaudio current track"}));

    Disc("1", "stopped");
    port.On("status cdaudio number of tracks", {{263, ""}});
    bgm.CdWatch();
    EXPECT_FALSE(bgm.CdKeepWatching()) << "no disc";
    EXPECT_EQ(Sent(),
              (Commands{"status cdaudio current track", "status cdaudio number of tracks"}));
    bgm.CdClose();
    EXPECT_EQ(Sent(), (Commands{"stop cdaudio", "close cdaudio"}));
}

TEST_F(BgmTest, WithoutARepeatTrackTheDiscRestartsWhenStopped) {
    const Commands looks = {"status cdaudio current track", "status cdaudio number of tracks",
                            "status cdaudio mode"};
    port.On("status cdaudio mode", {{0, "stopped"}, {0, "playing"}, {0, "stopped"}});
    port.On("status cdaudio current track", {{0, "not a number"}});
    Commands first = looks;
    first.push_back("play cdaudio");
    bgm.CdWatch();
    EXPECT_TRUE(bgm.CdKeepWatching());
    EXPECT_EQ(Sent(), first) << "the first tick starts the disc where it stands";
    bgm.CdWatch();
    EXPECT_EQ(Sent(), looks) << "a playing disc is left alone";
    bgm.CdWatch();
    EXPECT_EQ(Sent(), first) << "a disc that stopped starts again";
}

TEST_F(BgmTest, ARepeatTrackIsPlayedAgainWheneverTheDiscLeavesIt) {
    settings.BgmRepeatTrack = 3;
    port.On("status cdaudio position track 3", {{0, "03:00:00:00"}});
    const Commands jump = {"status cdaudio current track", "status cdaudio number of tracks",
                           "status cdaudio mode", "status cdaudio position track 3",
                           "play cdaudio from 03:00:00:00"};

    Disc("5", "playing");
    bgm.CdWatch();
    EXPECT_EQ(Sent(), jump) << "on track 5";
    Disc("3", "playing");
    bgm.CdWatch();
    EXPECT_EQ(Sent().size(), 3u) << "on track 3 and playing: no jump";
    Disc("3", "stopped");
    bgm.CdWatch();
    EXPECT_EQ(Sent(), jump) << "on track 3 but stopped";
    EXPECT_TRUE(bgm.CdKeepWatching());

    Disc("x3", "playing");
    bgm.CdWatch();
    EXPECT_FALSE(bgm.CdKeepWatching()) << "a track reply that is no number ends the watch";
}

TEST_F(BgmTest, ARepeatTrackBeyondTheDiscKeepsTrying) {
    settings.BgmRepeatTrack = 30;
    Disc("1", "playing");
    port.On("status cdaudio position track 30", {{275, ""}});
    port.On("play cdaudio from Error:275", {{275, ""}});
    for (int tick = 0; tick < 3; ++tick) {
        bgm.CdWatch();
        Commands sent = Sent();
        ASSERT_EQ(sent.size(), 5u);
        EXPECT_EQ(sent[4], "play cdaudio from Error:275");
        EXPECT_TRUE(bgm.CdKeepWatching());
    }
}

TEST_F(BgmTest, Mp3OpensQuotedAndRepeatsFromTheStart) {
    settings.BgmFile = "C:\\My Music\\song.mp3";
    bgm.Mp3Open();
    EXPECT_EQ(Sent(), (Commands{"open \"C:\\My Music\\song.mp3\" type MPEGVideo Alias MP3Play",
                                "play MP3Play"}));
    port.On("status MP3Play mode",
            {{0, "playing"}, {0, "playing"}, {0, "stopped"}, {0, "Playing"}, {0, "playing"}});
    const Commands look = {"status MP3Play mode"};
    const Commands restart = {"status MP3Play mode", "stop MP3Play", "play MP3Play from 0"};
    bgm.Mp3KeepPlaying();
    EXPECT_EQ(Sent(), look);
    bgm.Mp3KeepPlaying();
    EXPECT_EQ(Sent(), look);
    bgm.Mp3KeepPlaying();
    EXPECT_EQ(Sent(), restart) << "ended: played again from 0";
    bgm.Mp3KeepPlaying();
    EXPECT_EQ(Sent(), restart) << "the mode is compared case-sensitively";
    bgm.Mp3KeepPlaying();
    EXPECT_EQ(Sent(), look);
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

TEST_F(BgmTest, ARunPlaysOnlyWhatTheSettingsCallFor) {
    settings.BgmFile = "C:\\a.wav";
    for (int16_t kind : {0, 3, -1}) {
        settings.BgmKind = kind;
        MusicTimers timers = StartMusic(bgm, settings);
        EXPECT_FALSE(timers.mp3_repeat || timers.cd_watch) << "kind " << kind;
        StopMusic(bgm, settings, false);
    }
    EXPECT_TRUE(port.sent.empty() && port.sounds.empty()) << "kinds 0, 3 and -1 play nothing";

    settings.BgmKind = 2;
    settings.BgmFile = "C:\\a.ogg";
    MusicTimers timers = StartMusic(bgm, settings);
    StopMusic(bgm, settings, false);
    EXPECT_FALSE(timers.mp3_repeat || timers.cd_watch);
    EXPECT_TRUE(port.sent.empty() && port.sounds.empty()) << "an .ogg file plays nothing";

    settings.BgmFile = "C:\\a.Wav";
    timers = StartMusic(bgm, settings);
    EXPECT_FALSE(timers.mp3_repeat || timers.cd_watch) << "a WAV loops by itself";
    StopMusic(bgm, settings, false);
    ASSERT_EQ(port.sounds.size(), 2u);
    EXPECT_EQ(port.sounds[0].second, 9u);
    EXPECT_EQ(port.sounds[1].first, "(none)");

    settings.BgmFile = "C:\\a.Mp3";
    EXPECT_TRUE(StartMusic(bgm, settings).mp3_repeat);
    EXPECT_EQ(Sent(),
              (Commands{"open \"C:\\a.Mp3\" type MPEGVideo Alias MP3Play", "play MP3Play"}));
    StopMusic(bgm, settings, false);
    EXPECT_EQ(Sent(), (Commands{"stop MP3Play", "close MP3Play"}));
}

TEST_F(BgmTest, TheEndClosesTheCdOnlyWhileItIsWatched) {
    settings.BgmKind = 1;
    EXPECT_TRUE(StartMusic(bgm, settings).cd_watch);
    EXPECT_EQ(Sent(), (Commands{"open cdaudio", "set cdaudio time format tmsf"}))
        << "no play before the first watch tick";
    StopMusic(bgm, settings, true);
    EXPECT_EQ(Sent(), (Commands{"stop cdaudio", "close cdaudio"}));
    StopMusic(bgm, settings, false);
    EXPECT_TRUE(Sent().empty()) << "a CD no longer watched is left alone";
}

TEST(MusicFileKind, EndingDecidesThePlayer) {
    EXPECT_EQ(MusicFileKindOf("C:\\a.Mp3"), MusicFileKind::Mp3);
    EXPECT_EQ(MusicFileKindOf("C:\\a.wav"), MusicFileKind::Wav);
    EXPECT_EQ(MusicFileKindOf("C:\\A.WAV"), MusicFileKind::Wav);
    EXPECT_EQ(MusicFileKindOf("C:\\a.ogg"), MusicFileKind::Other);
    EXPECT_EQ(MusicFileKindOf("wav"), MusicFileKind::Wav);
    EXPECT_EQ(MusicFileKindOf("av"), MusicFileKind::Other);
    EXPECT_EQ(MusicFileKindOf(""), MusicFileKind::Other);
}

} // namespace
} // namespace orvanne
