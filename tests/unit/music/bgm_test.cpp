#include "bgm.h"
#include "run_music.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

using namespace orvanne;

namespace {

using Commands = std::vector<std::string>;

// Records every command string and answers from a script: each command has a queue of
// (code, reply) answers, the last one repeating; unscripted commands succeed silently.
struct ScriptedPort : MciPort {
    int32_t Send(const std::string& command, std::string* reply, size_t capacity) override {
        sent.push_back(command);
        auto& queue = script[command];
        const auto answer = queue.empty() ? std::make_pair(0, std::string()) : queue.front();
        if (queue.size() > 1)
            queue.pop_front();
        if (reply)
            *reply = answer.second.substr(0, capacity > 0 ? capacity - 1 : 0);
        return answer.first;
    }
    bool ErrorText(int32_t, std::string&, size_t) override { return false; }
    int WaveOutDeviceCount() override { return waveDevices; }
    void PlayWave(const std::string* sound, uint32_t flags) override {
        sounds += (sound ? *sound : "(none)") + "/" + std::to_string(flags) + " ";
    }
    Commands Recent() { return std::exchange(sent, {}); }

    std::map<std::string, std::deque<std::pair<int32_t, std::string>>> script;
    Commands sent;
    std::string sounds;
    int waveDevices = 1;
};

const std::string kTrack = "status cdaudio current track";
const std::string kTracks = "status cdaudio number of tracks";
const std::string kMode = "status cdaudio mode";

class BgmTest : public ::testing::Test {
  protected:
    ScriptedPort port;
    BgmSettings settings;
    Bgm bgm{port, settings};
};

} // namespace

TEST_F(BgmTest, CdWatchTicksAndStopsWithoutDriveOrDisc) {
    // Each tick looks at the track, the disc's 8 tracks and the mode, then acts.
    port.script[kTracks] = {{0, "8"}};
    port.script["status cdaudio position track 3"] = {{0, "03:00:00:00"}};
    port.script["status cdaudio position track 30"] = {{275, ""}};
    const Commands jump = {"status cdaudio position track 3", "play cdaudio from 03:00:00:00"};
    const Commands noTrack = {"status cdaudio position track 30", "play cdaudio from Error:275"};
    const std::tuple<int16_t, const char*, const char*, Commands, bool, const char*> ticks[] = {
        {0, "not a number", "stopped", {"play cdaudio"}, true, "starts the disc where it stands"},
        {3, "5", "playing", jump, true, "off the repeat track"},
        {3, "3", "stopped", jump, true, "on the repeat track but stopped"},
        {3, "x3", "playing", {}, false, "a track reply that is no number ends the watch"},
        {30, "1", "playing", noTrack, true, "a track beyond the disc is tried"},
    };
    for (const auto& [repeat, track, mode, after, keep, why] : ticks) {
        settings.repeatTrack = repeat;
        port.script[kTrack] = {{0, track}};
        port.script[kMode] = {{0, mode}};
        bgm.CdWatch();
        Commands expected = {kTrack, kTracks, kMode};
        expected.insert(expected.end(), after.begin(), after.end());
        EXPECT_EQ(port.Recent(), expected) << why;
        EXPECT_EQ(bgm.CdKeepWatching(), keep) << why;
    }
    // No drive, then no disc: the watch stops.
    port.script[kTrack] = {{266, ""}, {0, "1"}};
    port.script[kTracks] = {{263, ""}};
    for (const Commands& expected : {Commands{kTrack}, Commands{kTrack, kTracks}}) {
        bgm.CdWatch();
        EXPECT_FALSE(bgm.CdKeepWatching());
        EXPECT_EQ(port.Recent(), expected);
    }
}

TEST_F(BgmTest, Mp3PlaysOnlyOnceOpenAndAgainFromTheStartWhenNotPlaying) {
    settings.file = "C:\\bad.mp3";
    port.script["open \"C:\\bad.mp3\" type MPEGVideo Alias MP3Play"] = {{277, ""}};
    bgm.Mp3Open();
    EXPECT_EQ(port.Recent().size(), 1u) << "no play after a failed open";
    // The mode must start with "playing", letter case kept; a failed look counts as not playing.
    const std::string look = "status MP3Play mode";
    port.script[look] = {
        {0, "playing"}, {0, "Playing"}, {263, ""}, {0, "not playing"}, {0, "playing"}};
    const Commands restart = {look, "stop MP3Play", "play MP3Play from 0"};
    for (const Commands& expected : {Commands{look}, restart, restart, restart, Commands{look}}) {
        bgm.Mp3KeepPlaying();
        EXPECT_EQ(port.Recent(), expected);
    }
}

TEST_F(BgmTest, ARunPlaysOnlyWhatTheSettingsCallForAndClosesWhatItOpened) {
    const Commands cd = {"open cdaudio", "set cdaudio time format tmsf"};
    const Commands cdEnd = {"stop cdaudio", "close cdaudio"};
    const Commands mp3 = {"open \"C:\\My Music\\a.Mp3\" type MPEGVideo Alias MP3Play",
                          "play MP3Play"};
    const Commands mp3End = {"stop MP3Play", "close MP3Play"};
    // Kind, file, wave devices, CD still watched; the commands at start and end; sounds played.
    const std::tuple<int16_t, const char*, int, bool, Commands, Commands, const char*> cases[] = {
        {0, "C:\\a.wav", 1, false, {}, {}, ""},
        {3, "C:\\a.wav", 1, false, {}, {}, ""},
        {2, "C:\\a.ogg", 1, false, {}, {}, ""},
        {2, "C:\\a.Wav", 1, false, {}, {}, "C:\\a.Wav/9 (none)/0 "},
        {2, "C:\\a.WAV", 0, false, {}, {}, "(none)/0 "},
        {2, "C:\\My Music\\a.Mp3", 1, false, mp3, mp3End, ""},
        // No play before the first watch tick; a CD no longer watched is left alone.
        {1, "", 1, true, cd, cdEnd, ""},
        {1, "", 1, false, cd, {}, ""},
    };
    for (const auto& [kind, file, waveDevices, watched, start, end, sounds] : cases) {
        SCOPED_TRACE(std::to_string(kind) + " " + file);
        port = ScriptedPort();
        port.waveDevices = waveDevices;
        settings = BgmSettings{static_cast<MusicKind>(kind), 0, file};
        MusicTimers timers = StartMusic(bgm, settings);
        EXPECT_TRUE(timers.mp3Repeat == (start == mp3) && timers.cdWatch == (start == cd));
        EXPECT_EQ(port.Recent(), start);
        StopMusic(bgm, settings, watched);
        EXPECT_EQ(port.Recent(), end);
        EXPECT_EQ(port.sounds, sounds);
    }
}
