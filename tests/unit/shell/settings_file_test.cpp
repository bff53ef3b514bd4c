#include "settings_file.h"

#include "file_access.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvanne {
namespace {

const std::string kKind = kKeyBgmKind;
const std::string kRepeat = kKeyBgmRepeat;
const std::string kFile = kKeyBgmFile;

// A private folder for one test, removed with everything in it.
class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/orvanne-ini-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder_ = name;
        path_ = folder_ + "/Orvanne.ini";
    }
    void TearDown() override {
        std::remove(path_.c_str());
        rmdir(folder_.c_str());
    }
    void Write(const std::string& bytes) { ASSERT_TRUE(WriteFileBytes(path_, bytes)); }
    std::string Read() {
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(path_, bytes));
        return bytes;
    }
    BgmSettings Load(std::set<std::string> existing = {}) {
        return LoadSettings(path_,
                            [existing](const std::string& p) { return existing.count(p) > 0; });
    }

    std::string folder_, path_;
};

TEST(SettingsFile, ReadsAsAPrivateProfileReaderDoes) {
    const std::string text = "top=1\r\n"
                             "[Other]\r\n" +
                             kKind +
                             "=9\r\n"
                             "[section]\n"
                             "  " +
                             kKind + "  =  2  \r\n" + kRepeat + "=\"7\"\r\n" + kFile +
                             "='C:\\My Music\\a.mp3'\r\n"
                             "bgm\x8B\xE6\x95\xAA=lower\r\n"
                             "noequals\r\n"
                             "[Section]\r\nlate=1\r\n";
    EXPECT_EQ(IniGet(text, "Section", kKind), "2") << "blanks around key and value are dropped";
    EXPECT_EQ(IniGet(text, "Section", kRepeat), "7") << "enclosing quotes are dropped";
    EXPECT_EQ(IniGet(text, "Section", kFile), "C:\\My Music\\a.mp3");
    EXPECT_EQ(IniGet(text, "Other", kKind), "9");
    EXPECT_EQ(IniGet(text, "Section", "late"), "") << "only the first matching section counts";
    EXPECT_EQ(IniGet(text, "Section", "top"), "");
    EXPECT_EQ(IniGet(text, "Section", "noequals"), "");
    EXPECT_EQ(IniGet(text, "Missing", kKind), "");
    EXPECT_EQ(IniGet("", "Section", kKind), "");
}

TEST(SettingsFile, NamesMatchCaseBlindOnlyOnSingleBytes) {
    // 0x83 0x41 and 0x83 0x61 are two different katakana, not one letter in two cases.
    const std::string text = "[SECTION]\r\nBgM=a\r\n\x83\x41=b\r\n";
    EXPECT_EQ(IniGet(text, "section", "bgm"), "a");
    EXPECT_EQ(IniGet(text, "Section", "\x83\x41"), "b");
    EXPECT_EQ(IniGet(text, "Section", "\x83\x61"), "");
}

TEST(SettingsFile, LongValuesAreCutTo255Bytes) {
    std::string text = "[Section]\r\n" + kFile + "=" + std::string(300, 'x') + "\r\n";
    EXPECT_EQ(IniGet(text, "Section", kFile), std::string(255, 'x'));

    // A double-byte character straddling the limit is left out whole.
    text = "[Section]\r\n" + kFile + "=" + std::string(254, 'x') + "\x83\x41" + "yy\r\n";
    EXPECT_EQ(IniGet(text, "Section", kFile), std::string(254, 'x'));

    text = "[Section]\r\n" + kFile + "=ab" + std::string(1, '\0') + "cd\r\n";
    EXPECT_EQ(IniGet(text, "Section", kFile), "ab");
}

TEST(SettingsFile, SettingKeepsEveryOtherByte) {
    const std::string text = "; kept\r\n[Other]\r\nx=1\r\n\r\n[Section]\r\n" + kKind + " = 1\r\n" +
                             kRepeat + "=5\r\n\r\n[Tail]\r\ny=2";
    EXPECT_EQ(IniSet(text, "Section", kKind, "2"), "; kept\r\n[Other]\r\nx=1\r\n\r\n[Section]\r\n" +
                                                       kKind + " =2\r\n" + kRepeat +
                                                       "=5\r\n\r\n[Tail]\r\ny=2");
    EXPECT_EQ(IniSet(text, "section", kFile, "C:\\a.wav"),
              "; kept\r\n[Other]\r\nx=1\r\n\r\n[Section]\r\n" + kKind + " = 1\r\n" + kRepeat +
                  "=5\r\n" + kFile + "=C:\\a.wav\r\n\r\n[Tail]\r\ny=2");
    EXPECT_EQ(IniSet(text, "New", "k", "v"), text + "\r\n[New]\r\nk=v\r\n");
    EXPECT_EQ(IniSet("[Section]", "Section", "k", "v"), "[Section]\r\nk=v\r\n");
}

TEST(SettingsFile, SetValueStaysOnOneLine) {
    std::string text = IniSet("", "Section", kFile, "C:\\a.mp3\r\n[Evil]\r\nx=1");
    EXPECT_EQ(text, "[Section]\r\n" + kFile + "=C:\\a.mp3\r\n");
    EXPECT_EQ(IniGet(IniSet(text, "Section", kFile, std::string("a\0b", 3)), "Section", kFile),
              "a");
}

TEST_F(SettingsFileTest, WritesTheDialogsFileFromScratch) {
    ASSERT_TRUE(WriteIniValue("Section", kKind, "2", path_));
    ASSERT_TRUE(WriteIniValue("Section", kRepeat, "0", path_));
    ASSERT_TRUE(WriteIniValue("Section", kFile, "C:\\M\\a.mp3", path_));
    EXPECT_EQ(Read(), "[Section]\r\n" + kKind + "=2\r\n" + kRepeat + "=0\r\n" + kFile +
                          "=C:\\M\\a.mp3\r\n");
    ASSERT_TRUE(WriteIniValue("Section", kKind, "1", path_));
    EXPECT_EQ(ReadIniValue("Section", kKind, path_), "1");
    EXPECT_EQ(ReadIniValue("Section", kFile, path_), "C:\\M\\a.mp3");
}

TEST_F(SettingsFileTest, FailedWriteIsReported) {
    EXPECT_FALSE(WriteIniValue("Section", kKind, "1", folder_ + "/missing/Orvanne.ini"));
    EXPECT_EQ(ReadIniValue("Section", kKind, folder_ + "/missing/Orvanne.ini"), "");
}

// Writes as a user who may write the file but not read it. Root reads every file, so a
// root test process does the write as the unprivileged user "nobody".
bool WriteWithoutReadRights(const std::string& folder, const std::string& path) {
    if (geteuid() != 0) {
        chmod(path.c_str(), 0200);
        return WriteIniValue("Section", "BGM", "1", path);
    }
    const uid_t nobody = 65534;
    chmod(folder.c_str(), 0755);
    if (chown(path.c_str(), nobody, nobody) != 0 || chmod(path.c_str(), 0200) != 0)
        return true;
    pid_t child = fork();
    if (child == 0) {
        if (setgid(nobody) != 0 || setuid(nobody) != 0)
            _exit(2);
        _exit(WriteIniValue("Section", "BGM", "1", path) ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return !WIFEXITED(status) || WEXITSTATUS(status) != 0;
}

TEST_F(SettingsFileTest, UnreadableFileIsNotReplaced) {
    Write("[Section]\r\nkeep=me\r\n");
    EXPECT_FALSE(WriteWithoutReadRights(folder_, path_)) << "the write claimed success";
    ASSERT_EQ(chmod(path_.c_str(), 0600), 0);
    EXPECT_EQ(Read(), "[Section]\r\nkeep=me\r\n") << "the other keys were lost";
}

TEST_F(SettingsFileTest, LoadsTheNumbersByTheirRules) {
    struct Case {
        const char* kind;
        int16_t expected;
    };
    const Case cases[] = {{"1", 1},     {"2.7", 2}, {"-0.5", -1}, {"abc", 0},
                          {"99999", 0}, {"", 0},    {"5", 5},     {" 1 ", 1}};
    for (const Case& c : cases) {
        Write("[Section]\r\n" + kKind + "=" + c.kind + "\r\n" + kRepeat + "=" + c.kind + "\r\n" +
              kFile + "=C:\\a.mp3\r\n");
        BgmSettings s = Load({"C:\\a.mp3"});
        EXPECT_EQ(s.BgmKind, c.expected) << "kind text \"" << c.kind << "\"";
        EXPECT_EQ(s.BgmRepeatTrack, c.expected) << "repeat text \"" << c.kind << "\"";
        EXPECT_EQ(s.BgmFile, "C:\\a.mp3");
    }
}

TEST_F(SettingsFileTest, FileMusicNeedsAReadableFile) {
    BgmSettings s = Load();
    EXPECT_EQ(s.BgmKind, 0);
    EXPECT_EQ(s.BgmRepeatTrack, 0);
    EXPECT_EQ(s.BgmFile, "") << "no settings file reads as the defaults";

    Write("[Section]\r\n" + kKind + "=2\r\n" + kFile + "=\r\n");
    EXPECT_EQ(Load().BgmKind, 0) << "kind 2 with no file";

    Write("[Section]\r\n" + kKind + "=2\r\n" + kFile + "=C:\\gone.wav\r\n");
    s = Load();
    EXPECT_EQ(s.BgmKind, 0) << "kind 2 with a missing file";
    EXPECT_EQ(s.BgmFile, "");

    Write("[Section]\r\n" + kKind + "=1\r\n" + kFile + "=C:\\gone.wav\r\n");
    s = Load();
    EXPECT_EQ(s.BgmKind, 1) << "a missing file leaves CD music on";
    EXPECT_EQ(s.BgmFile, "");

    const std::string japanese = "C:\\\x89\xB9\x8A\x79\\a.wav"; // 音楽
    Write("[Section]\r\n" + kKind + "=2\r\n" + kFile + "=" + japanese + "\r\n");
    s = Load({japanese});
    EXPECT_EQ(s.BgmKind, 2);
    EXPECT_EQ(s.BgmFile, japanese) << "the path reaches the probe as its stored bytes";
}

TEST_F(SettingsFileTest, GarbageFilesReadAsDefaults) {
    std::string garbage;
    for (int i = 0; i < 70000; ++i)
        garbage += static_cast<char>((i * 7919 + i / 13) & 0xFF);
    Write(garbage);
    BgmSettings s = Load();
    EXPECT_EQ(s.BgmKind, 0);
    EXPECT_EQ(s.BgmFile, "");

    Write("[Section]\r\n" + std::string(1 << 20, '=') + "\r\n" + kKind + "=1\r\n");
    EXPECT_EQ(Load().BgmKind, 1) << "a very long line before the key";

    Write("");
    EXPECT_EQ(Load().BgmKind, 0);
}

TEST_F(SettingsFileTest, FileExistsMeansReadable) {
    EXPECT_FALSE(FileExists(path_));
    Write("x");
    EXPECT_TRUE(FileExists(path_));
    EXPECT_TRUE(FileExists(path_ + "\\")) << "one trailing backslash is ignored";
    EXPECT_FALSE(FileExists(folder_)) << "a folder is no file";
    EXPECT_FALSE(FileExists(""));
}

} // namespace
} // namespace orvanne
