#include "settings_file.h"

#include "file_access.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/resource.h>
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

// The result of fn in a child process run as the test user, with files limited to
// sizeLimit bytes.
bool InChild(const std::function<bool()>& fn, rlim_t sizeLimit = RLIM_INFINITY) {
    pid_t child = fork();
    if (child == 0) {
        if (AsRoot() && (setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(2);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{sizeLimit, sizeLimit};
        if (sizeLimit != RLIM_INFINITY && setrlimit(RLIMIT_FSIZE, &limit) != 0)
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
        if (mounted_)
            umount(folder_.c_str());
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
    bool mounted_ = false;
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

TEST(SettingsFile, LineEndsAreCrLfOrEitherAlone) {
    // A lone CR ends a line: the next line is a key of its own and survives a save.
    const std::string lone = "[Section]\r\n" + kKind + "=1\rextra=keep\r\n";
    EXPECT_EQ(IniGet(lone, "Section", kKind), "1");
    EXPECT_EQ(IniGet(lone, "Section", "extra"), "keep");
    EXPECT_EQ(SettingsText(lone, Settings(1, 0, "")), "[Section]\r\n" + kKind +
                                                          "=1\rextra=keep\r\n" + kRepeat +
                                                          "=0\r\n" + kFile + "=\r\n");

    // CR only, LF only, and LF CR (two ends): every line keeps its own break.
    const std::string crOnly =
        "[Section]\r" + kKind + "=2\r" + kRepeat + "=5\r" + kFile + "=C:\\a.mp3\r";
    EXPECT_EQ(IniGet(crOnly, "Section", kRepeat), "5");
    EXPECT_EQ(SettingsText(crOnly, Settings(1, 5, "C:\\b.mp3")),
              "[Section]\r" + kKind + "=1\r" + kRepeat + "=5\r" + kFile + "=C:\\b.mp3\r");
    const std::string mixed = "[Section]\n" + kKind + "=2\n\r" + kRepeat + "=3";
    EXPECT_EQ(IniGet(mixed, "Section", kRepeat), "3");
    EXPECT_EQ(SettingsText(mixed, Settings(0, 4, "x")),
              "[Section]\n" + kKind + "=0\n\r" + kRepeat + "=4\r\n" + kFile + "=x\r\n");
    EXPECT_EQ(IniSet("[Section]\rk=1\r\r[B]\r", "Section", "n", "2"),
              "[Section]\rk=1\rn=2\r\n\r[B]\r")
        << "a new key goes after the last line, before the blank one";
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

TEST_F(SettingsFileTest, UnreadableFileIsNotReplaced) {
    Write("[Section]\r\nkeep=me\r\n");
    GiveToTestUser(path_);
    GiveToTestUser(folder_);
    ASSERT_EQ(chmod(path_.c_str(), 0200), 0);
    EXPECT_FALSE(InChild([&] { return SaveSettings(path_, Settings(1, 0, "")); }))
        << "the save claimed success";
    ASSERT_EQ(chmod(path_.c_str(), 0600), 0);
    EXPECT_EQ(Read(), "[Section]\r\nkeep=me\r\n") << "the other keys were lost";
}

TEST_F(SettingsFileTest, ReadOnlyFileIsLeftAlone) {
    const std::string old = "[Section]\r\n" + kKind + "=1\r\n";
    Write(old);
    GiveToTestUser(path_);
    GiveToTestUser(folder_);
    ASSERT_EQ(chmod(path_.c_str(), 0444), 0);
    EXPECT_FALSE(InChild([&] { return SaveSettings(path_, Settings(2, 0, "C:\\a.wav")); }))
        << "a read-only file was replaced although its folder takes new files";
    EXPECT_EQ(Read(), old);
    EXPECT_EQ(Names(), std::set<std::string>{"Orvanne.ini"});
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

// The disk ends where the old file ends: a small full tmpfs when the tests may mount one,
// else a limit on file sizes.
TEST_F(SettingsFileTest, FullDiskKeepsTheOldBytes) {
    mounted_ = AsRoot() && mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k") == 0;
    std::string old =
        "[Section]\r\n" + kKind + "=1\r\n" + kRepeat + "=3\r\n" + kFile + "=C:\\a.mp3\r\n";
    old += ";" + std::string(4096 - old.size() - 3, '-') + "\r\n";
    ASSERT_EQ(old.size(), 4096u);
    Write(old);
    GiveToTestUser(path_);
    GiveToTestUser(folder_);
    rlim_t limit = RLIM_INFINITY;
    if (mounted_) {
        std::FILE* filler = std::fopen((folder_ + "/filler").c_str(), "wb");
        ASSERT_NE(filler, nullptr);
        std::setvbuf(filler, nullptr, _IONBF, 0);
        const std::string page(4096, 'f');
        while (std::fwrite(page.data(), 1, page.size(), filler) == page.size()) {
        }
        std::fclose(filler);
    } else {
        limit = old.size();
    }
    std::set<std::string> names = Names();

    EXPECT_FALSE(InChild([&] { return SaveSettings(path_, Settings(2, 3, "C:\\b.mp3!")); }, limit))
        << "a save that needs one more byte claimed success";
    EXPECT_EQ(Read(), old) << "the failed save changed the file";
    EXPECT_EQ(Names(), names) << "the failed save left a file behind";

    // What fits in the old bytes' room is written whole.
    EXPECT_TRUE(InChild([&] { return SaveSettings(path_, Settings(2, 3, "C:\\b.mp")); }, limit));
    EXPECT_EQ(Read(), SettingsText(old, Settings(2, 3, "C:\\b.mp")));
    EXPECT_EQ(Names(), names);
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
