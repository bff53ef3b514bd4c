#include "settings_file.h"

#include "file_access.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <tuple>
#include <stdlib.h>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace orvanne;

namespace {

// "BGM区分", "BGMﾘﾋﾟｰﾄ", "BGMﾌｧｲﾙ" in code page 932, as stored files have them.
const std::string kKind = "BGM\x8B\xE6\x95\xAA";
const std::string kRepeat = "BGM\xD8\xCB\xDF\xB0\xC4";
const std::string kFile = "BGM\xCC\xA7\xB2\xD9";

std::string Keys(const std::string& kind, const std::string& repeat, const std::string& file) {
    return "[Section]\r\n" + kKind + "=" + kind + "\r\n" + kRepeat + "=" + repeat + "\r\n" + kFile +
           "=" + file + "\r\n";
}

// A private folder for one test, removed with everything in it. Root passes every
// permission check, so root works in it as the unprivileged user "nobody".
class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setfsgid(65534);
        setfsuid(65534);
        char name[] = "/tmp/orvanne-ini-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder_ = name;
        path_ = folder_ + "/Orvanne.ini";
    }
    void TearDown() override {
        chmod(folder_.c_str(), 0700);
        std::filesystem::remove_all(folder_);
        setfsuid(0);
        setfsgid(0);
    }
    void Write(const std::string& bytes) { ASSERT_TRUE(ReplaceFileBytes(path_, bytes)); }
    std::string Read() {
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(path_, bytes));
        return bytes;
    }

    std::string folder_, path_;
};

} // namespace

TEST(SettingsFile, ReadsAsAPrivateProfileReaderDoes) {
    const std::string text = "top=1\r\n[Other]\r\n" + kKind + "=9\r\n[section]\n  " + kKind +
                             "  =  2  \r\n" + kRepeat + "=\"7\"\r\n" + kFile +
                             "='C:\\My Music\\a.mp3'\r\nnoequals\r\n\x83\x41=b\r\n"
                             "[Section]\r\nlate=1\r\n";
    const std::string file = "[Section]\r\n" + kFile + "=";
    const struct {
        std::string text, key, value, why, section = "Section";
    } cases[] = {
        {text, kKind, "2", "blanks around key and value are dropped"},
        {text, kRepeat, "7", "enclosing quotes are dropped; names match case-blind", "SECTION"},
        {text, kFile, "C:\\My Music\\a.mp3", "single quotes too"},
        {text, kKind, "9", "each section has its own keys", "Other"},
        {text, "late", "", "only the first matching section counts"},
        {text, "top", "", "a key before any section is in none"},
        {text, "noequals", "", "a line without = is no key"},
        {text, "\x83\x61", "", "double-byte names do not match case-blind"},
        {file + std::string(300, 'x'), kFile, std::string(255, 'x'), "cut to 255 bytes"},
        {file + std::string(254, 'x') + "\x83\x41yy", kFile, std::string(254, 'x'),
         "a double-byte character straddling the limit is left out whole"},
        {file + std::string("ab\0cd", 5), kFile, "ab", "a NUL ends the value"},
        {"[Section]\r\n" + kKind + "=1\rextra=keep\r\n", "extra", "keep", "a lone CR ends a line"},
        {"[Section]\n" + kKind + "=2\n\r" + kRepeat + "=3", kRepeat, "3", "LF CR: two line ends"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IniGet(c.text, c.section, c.key), c.value) << c.why;
}

TEST(SettingsFile, WritingKeepsEveryOtherByte) {
    const std::string head = "; kept\r\n[Other]\r\nx=1\r\n\r\n[Section]\r\n" + kKind + " = 1\r\n";
    const std::string text = head + "\r\n[Tail]\r\ny=2";
    EXPECT_EQ(IniSet(text, "Section", kKind, "2"),
              "; kept\r\n[Other]\r\nx=1\r\n\r\n[Section]\r\n" + kKind + " =2\r\n\r\n[Tail]\r\ny=2");
    EXPECT_EQ(IniSet(text, "section", kFile, "C:\\a.wav"),
              head + kFile + "=C:\\a.wav\r\n\r\n[Tail]\r\ny=2")
        << "a new key goes after the section's last line, before the blank one";
    EXPECT_EQ(IniSet("[Section]\rk=1\r\r[B]\r", "Section", "n", "2"),
              "[Section]\rk=1\rn=2\r\n\r[B]\r");
}

TEST_F(SettingsFileTest, SavesAllThreeKeysOverTheOldFile) {
    ASSERT_TRUE(SaveSettings(path_, BgmSettings{MusicKind::File, 0, "C:\\M\\a.mp3"}));
    EXPECT_EQ(Read(), Keys("2", "0", "C:\\M\\a.mp3")) << "from scratch, in the dialog's order";

    Write("; mine\r\n[Section]\r\n" + kFile + "=old\r\n" + kKind + "=0\r\n");
    ASSERT_TRUE(SaveSettings(path_, BgmSettings{MusicKind{5}, -2, ""}));
    const std::string saved =
        "; mine\r\n[Section]\r\n" + kFile + "=\r\n" + kKind + "=5\r\n" + kRepeat + "=-2\r\n";
    EXPECT_EQ(Read(), saved) << "an unknown kind is written back as it is; an empty path too";

    SettingsFileOps unreadable = PlatformFileOps();
    unreadable.read = [](const std::string&, std::string&) { return false; };
    EXPECT_FALSE(SaveSettings(path_, BgmSettings{MusicKind::AudioCd, 0, ""}, unreadable));
    EXPECT_EQ(Read(), saved) << "a file that could not be read would lose its other lines";
    EXPECT_FALSE(SaveSettings(folder_ + "/missing/Orvanne.ini", BgmSettings{}));
}

// Unreadable (its other keys cannot be kept), read-only or on a full disk, the file keeps its
// bytes; in a folder that takes no new file (a system folder) it is written in place.
TEST_F(SettingsFileTest, PermissionsAndRoomDecideBetweenRefusingAndWritingInPlace) {
    const std::string old = "; a comment long enough to shrink\r\n" + Keys("1", "0", "C:\\a.mp3");
    const rlim_t any = RLIM_INFINITY, full = 200; // file-size caps in bytes
    const std::tuple<mode_t, mode_t, std::string, rlim_t, bool> cases[] = {
        {0200, 0755, "C:\\a.wav", any, false},
        {0444, 0755, "C:\\a.wav", any, false},
        {0644, 0555, std::string(300, 'L'), any, true},
        {0644, 0555, "S", any, true},
        {0644, 0755, std::string(300, 'L'), full, false},
        {0644, 0555, std::string(300, 'L'), full, false},
    };
    std::signal(SIGXFSZ, SIG_IGN); // past the cap a write fails instead
    for (const auto& [file, folder, music, cap, saved] : cases) {
        SCOPED_TRACE(testing::Message() << std::oct << file << " in " << folder);
        ASSERT_EQ(chmod(folder_.c_str(), 0755), 0);
        Write(old);
        ASSERT_EQ(chmod(path_.c_str(), file), 0);
        ASSERT_EQ(chmod(folder_.c_str(), folder), 0);
        const BgmSettings s{MusicKind::File, 7, music};
        rlimit room{cap, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &room);
        EXPECT_EQ(SaveSettings(path_, s), saved);
        room.rlim_cur = RLIM_INFINITY;
        setrlimit(RLIMIT_FSIZE, &room);
        ASSERT_EQ(chmod(path_.c_str(), 0600), 0);
        EXPECT_EQ(Read(), saved ? SettingsText(old, s) : old);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
    }
}

// Numbers are floored into 16 bits, anything else reads as 0; file music needs a file the
// probe finds, asked with the path's stored bytes.
TEST_F(SettingsFileTest, LoadsNumbersAndChecksTheMusicFile) {
    const std::string japanese = "C:\\\x89\xB9\x8A\x79\\a.wav"; // 音楽
    const std::tuple<std::string, std::string, std::string, std::string, int, int> cases[] = {
        {"2.7", "-0.5", japanese, japanese, 2, -1},
        {"abc", "99999", japanese, japanese, 0, 0},
        {"2", " 5 ", "", "", 0, 5},
        {"2", "0", "C:\\gone.wav", "", 0, 0},
        {"1", "3", "C:\\gone.wav", "", 1, 3}, // CD music stays on
    };
    for (const auto& [kind, repeat, file, wantFile, wantKind, wantRepeat] : cases) {
        Write(Keys(kind, repeat, file));
        BgmSettings s = LoadSettings(path_, [&](const std::string& p) { return p == japanese; });
        EXPECT_EQ(std::make_tuple(s.file, int(s.kind), int(s.repeatTrack)),
                  std::tie(wantFile, wantKind, wantRepeat))
            << "kind \"" << kind << "\", repeat \"" << repeat << "\", file " << file;
    }
    EXPECT_TRUE(FileExists(path_ + "\\")) << "one trailing backslash is ignored";
    EXPECT_FALSE(FileExists(folder_)) << "a folder is no file";
    EXPECT_FALSE(FileExists(folder_ + "/none"));
}
