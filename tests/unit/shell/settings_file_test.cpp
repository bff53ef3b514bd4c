#include "settings_file.h"

#include "file_access.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
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

BgmSettings Settings(int16_t kind, int16_t track, std::string file) {
    BgmSettings s;
    s.BgmKind = kind;
    s.BgmRepeatTrack = track;
    s.BgmFile = std::move(file);
    return s;
}

// Root passes every permission check, so a root test process does what must be refused
// as the unprivileged user "nobody"; files it should own are given to that user.
constexpr uid_t kNobody = 65534;
bool AsRoot() {
    return geteuid() == 0;
}
void GiveToTestUser(const std::string& path) {
    if (AsRoot()) {
        ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0) << path;
    }
}

// The result of fn in a child process run as the test user.
bool InChild(const std::function<bool()>& fn) {
    pid_t child = fork();
    if (child == 0) {
        if (AsRoot() && (setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(2);
        _exit(fn() ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 2) << "the child could not start";
    return WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

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
        chmod(folder_.c_str(), 0700);
        std::filesystem::remove_all(folder_);
    }
    void Write(const std::string& bytes) {
        std::FILE* f = std::fopen(path_.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
        ASSERT_EQ(std::fclose(f), 0);
    }
    std::string Read() {
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(path_, bytes));
        return bytes;
    }
    std::set<std::string> Names() {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            names.insert(entry.path().filename().string());
        return names;
    }
    BgmSettings Load(std::set<std::string> existing = {}) {
        return LoadSettings(path_,
                            [existing](const std::string& p) { return existing.count(p) > 0; });
    }

    std::string folder_, path_;
};

TEST(SettingsFile, ReadsAsAPrivateProfileReaderDoes) {
    const std::string text = "top=1\r\n[Other]\r\n" + kKind + "=9\r\n[section]\n  " + kKind +
                             "  =  2  \r\n" + kRepeat + "=\"7\"\r\n" + kFile +
                             "='C:\\My Music\\a.mp3'\r\nnoequals\r\n\x83\x41=b\r\n"
                             "[Section]\r\nlate=1\r\n";
    const std::string section = "[Section]\r\n" + kFile + "=";
    const struct {
        std::string text, section, key, value, why;
    } cases[] = {
        {text, "Section", kKind, "2", "blanks around key and value are dropped"},
        {text, "SECTION", kRepeat, "7", "enclosing quotes are dropped; names match case-blind"},
        {text, "Section", kFile, "C:\\My Music\\a.mp3", "single quotes too"},
        {text, "Other", kKind, "9", "each section has its own keys"},
        {text, "Section", "late", "", "only the first matching section counts"},
        {text, "Section", "top", "", "a key before any section is in none"},
        {text, "Section", "noequals", "", "a line without = is no key"},
        {text, "Section", "\x83\x61", "", "double-byte names do not match case-blind"},
        {text, "Missing", kKind, "", "a missing section"},
        {"", "Section", kKind, "", "an empty file"},
        {section + std::string(300, 'x'), "Section", kFile, std::string(255, 'x'),
         "long values are cut to 255 bytes"},
        {section + std::string(254, 'x') + "\x83\x41yy", "Section", kFile, std::string(254, 'x'),
         "a double-byte character straddling the limit is left out whole"},
        {section + std::string("ab\0cd", 5), "Section", kFile, "ab", "a NUL ends the value"},
        {"[Section]\r\n" + std::string(1 << 20, '=') + "\r\n" + kKind + "=1", "Section", kKind, "1",
         "a very long line before the key"},
        {"[Section]\r\n" + kKind + "=1\rextra=keep\r\n", "Section", "extra", "keep",
         "a lone CR ends a line"},
        {"[Section]\n" + kKind + "=2\n\r" + kRepeat + "=3", "Section", kRepeat, "3",
         "LF CR is two line ends"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IniGet(c.text, c.section, c.key), c.value) << c.why;
}

TEST(SettingsFile, WritingKeepsEveryOtherByte) {
    const std::string text = "; kept\r\n[Other]\r\nx=1\r\n\r\n[Section]\r\n" + kKind + " = 1\r\n" +
                             kRepeat + "=5\r\n\r\n[Tail]\r\ny=2";
    const std::string head = "; kept\r\n[Other]\r\nx=1\r\n\r\n[Section]\r\n";
    EXPECT_EQ(IniSet(text, "Section", kKind, "2"),
              head + kKind + " =2\r\n" + kRepeat + "=5\r\n\r\n[Tail]\r\ny=2");
    EXPECT_EQ(IniSet(text, "section", kFile, "C:\\a.wav"), head + kKind + " = 1\r\n" + kRepeat +
                                                               "=5\r\n" + kFile +
                                                               "=C:\\a.wav\r\n\r\n[Tail]\r\ny=2")
        << "a new key goes after the section's last line, before the blank one";
    EXPECT_EQ(IniSet(text, "New", "k", "v"), text + "\r\n[New]\r\nk=v\r\n");
    EXPECT_EQ(IniSet("[Section]", "Section", "k", "v"), "[Section]\r\nk=v\r\n");
    EXPECT_EQ(IniSet("[Section]\rk=1\r\r[B]\r", "Section", "n", "2"),
              "[Section]\rk=1\rn=2\r\n\r[B]\r");
    EXPECT_EQ(IniSet("", "Section", kFile, "C:\\a.mp3\r\n[Evil]\r\nx=1"),
              "[Section]\r\n" + kFile + "=C:\\a.mp3\r\n")
        << "a value stays on its line";
    EXPECT_EQ(IniGet(IniSet("", "Section", kFile, std::string("a\0b", 3)), "Section", kFile), "a");

    // Every line keeps its own break: lone CR, CR only, LF only and LF CR.
    EXPECT_EQ(SettingsText("[Section]\r\n" + kKind + "=1\rextra=keep\r\n", Settings(1, 0, "")),
              "[Section]\r\n" + kKind + "=1\rextra=keep\r\n" + kRepeat + "=0\r\n" + kFile +
                  "=\r\n");
    EXPECT_EQ(
        SettingsText("[Section]\r" + kKind + "=2\r" + kRepeat + "=5\r" + kFile + "=C:\\a.mp3\r",
                     Settings(1, 5, "C:\\b.mp3")),
        "[Section]\r" + kKind + "=1\r" + kRepeat + "=5\r" + kFile + "=C:\\b.mp3\r");
    EXPECT_EQ(SettingsText("[Section]\n" + kKind + "=2\n\r" + kRepeat + "=3", Settings(0, 4, "x")),
              "[Section]\n" + kKind + "=0\n\r" + kRepeat + "=4\r\n" + kFile + "=x\r\n");
}

TEST_F(SettingsFileTest, SavesAllThreeKeysWithOneWrite) {
    ASSERT_TRUE(SaveSettings(path_, Settings(2, 0, "C:\\M\\a.mp3")));
    EXPECT_EQ(Read(),
              "[Section]\r\n" + kKind + "=2\r\n" + kRepeat + "=0\r\n" + kFile + "=C:\\M\\a.mp3\r\n")
        << "from scratch: the section, then the keys in the dialog's order";

    Write("; mine\r\n[Section]\r\n" + kFile + "=old\r\n" + kKind + "=0\r\n");
    int reads = 0, writes = 0;
    SettingsFileOps counting = PlatformFileOps();
    counting.read = [&](const std::string& p, std::string& b) {
        ++reads;
        return ReadFileIfAny(p, b);
    };
    counting.replace = [&](const std::string& p, std::string_view b) {
        ++writes;
        return ReplaceFileBytes(p, b);
    };
    ASSERT_TRUE(SaveSettings(path_, Settings(5, -2, ""), counting));
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(Read(),
              "; mine\r\n[Section]\r\n" + kFile + "=\r\n" + kKind + "=5\r\n" + kRepeat + "=-2\r\n")
        << "an unknown kind is written back as it is and an empty path stays a key";
    EXPECT_EQ(Names(), std::set<std::string>{"Orvanne.ini"}) << "a new file was left beside it";

    EXPECT_FALSE(SaveSettings(folder_ + "/missing/Orvanne.ini", Settings(1, 0, "")));
}

// Unreadable (its other keys cannot be kept) or read-only: either way a failed save.
TEST_F(SettingsFileTest, FileWeMayNotChangeIsLeftAlone) {
    const std::string old = "[Section]\r\nkeep=me\r\n";
    GiveToTestUser(folder_);
    for (mode_t mode : {0200, 0444}) {
        Write(old);
        GiveToTestUser(path_);
        ASSERT_EQ(chmod(path_.c_str(), mode), 0);
        EXPECT_FALSE(InChild([&] { return SaveSettings(path_, Settings(2, 0, "C:\\a.wav")); }))
            << "mode " << std::oct << mode << ": the save claimed success";
        ASSERT_EQ(chmod(path_.c_str(), 0600), 0);
        EXPECT_EQ(Read(), old) << "mode " << std::oct << mode;
        EXPECT_EQ(Names(), std::set<std::string>{"Orvanne.ini"});
    }
}

// A saver in a system folder: the file may be written, the folder takes no new file.
TEST_F(SettingsFileTest, FolderWithoutNewFilesIsWrittenInPlace) {
    const std::string old = "; a comment long enough to shrink\r\n[Section]\r\n" + kKind +
                            "=1\r\n" + kFile + "=C:\\a.mp3\r\n";
    Write(old);
    GiveToTestUser(path_);
    ASSERT_EQ(chmod(folder_.c_str(), 0555), 0);
    for (const std::string& file : {std::string(300, 'L'), std::string("S")}) {
        std::string before = Read();
        EXPECT_TRUE(InChild([&] { return SaveSettings(path_, Settings(2, 7, file)); }))
            << "a path of " << file.size() << " bytes";
        EXPECT_EQ(Read(), SettingsText(before, Settings(2, 7, file)))
            << "grown or shrunk in place, the file holds exactly the new bytes";
    }
    EXPECT_EQ(Names(), std::set<std::string>{"Orvanne.ini"});

    ASSERT_EQ(chmod(folder_.c_str(), 0755), 0);
    ASSERT_EQ(unlink(path_.c_str()), 0);
    ASSERT_EQ(chmod(folder_.c_str(), 0555), 0);
    EXPECT_FALSE(InChild([&] { return SaveSettings(path_, Settings(1, 0, "")); }))
        << "no file and no room for one";
    EXPECT_TRUE(Names().empty());
}

// Numbers are floored into 16 bits, anything else reads as 0; file music needs a file the
// probe finds, asked with the path's stored bytes.
TEST_F(SettingsFileTest, LoadsNumbersAndChecksTheMusicFile) {
    BgmSettings none = Load();
    EXPECT_TRUE(none.BgmKind == 0 && none.BgmRepeatTrack == 0 && none.BgmFile.empty())
        << "no settings file reads as the defaults";
    const std::string japanese = "C:\\\x89\xB9\x8A\x79\\a.wav"; // 音楽
    const struct {
        std::string kind, repeat, file;
        int16_t wantKind, wantRepeat;
        std::string wantFile;
    } cases[] = {
        {"2.7", "-0.5", japanese, 2, -1, japanese},
        {"abc", "99999", japanese, 0, 0, japanese},
        {"", " 5 ", japanese, 0, 5, japanese},
        {"2", "0", "", 0, 0, ""},
        {"2", "0", "C:\\gone.wav", 0, 0, ""},
        {"1", "3", "C:\\gone.wav", 1, 3, ""}, // CD music stays on
    };
    for (const auto& c : cases) {
        Write("[Section]\r\n" + kKind + "=" + c.kind + "\r\n" + kRepeat + "=" + c.repeat + "\r\n" +
              kFile + "=" + c.file + "\r\n");
        BgmSettings s = Load({japanese});
        EXPECT_TRUE(s.BgmKind == c.wantKind && s.BgmRepeatTrack == c.wantRepeat &&
                    s.BgmFile == c.wantFile)
            << "kind \"" << c.kind << "\", repeat \"" << c.repeat << "\", file \"" << c.file
            << "\" read as " << s.BgmKind << ", " << s.BgmRepeatTrack << ", \"" << s.BgmFile
            << "\"";
    }
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
