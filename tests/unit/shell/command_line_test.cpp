#include "command_line.h"

#include <gtest/gtest.h>

namespace orvanne {
namespace {

TEST(CommandLine, ArgumentTextFollowsTheProgramName) {
    // The forms launchers use; a quoted name ends at its quote, blank or not.
    const struct {
        const char* commandLine;
        const char* args;
    } cases[] = {
        {"\"C:\\Saver dir\\Orvanne.scr\" /s", "/s"},
        {"\"C:\\Saver dir\\Orvanne.scr\"/c", "/c"},
        {"\"C:\\Saver dir\\Orvanne.scr\"/p:123", "/p:123"},
        {"\"C:\\Saver dir\\Orvanne.scr\"\t /p 123", "/p 123"},
        {"C:\\Savers\\Orvanne.scr   /p 123", "/p 123"},
        {"C:\\Savers\\Orvanne.scr\t/p:123", "/p:123"},
        {"C:\\Savers\\Orvanne.scr/c", ""},
        {"\"Orvanne.scr\"", ""},
        {"\"unclosed /s", ""},
        {"Orvanne.scr", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ArgumentText(c.commandLine), c.args) << "command line: " << c.commandLine;
}

TEST(CommandLine, ModeLetterIsTheSecondCharacterUpperCased) {
    EXPECT_EQ(ModeLetter("/s"), 'S');
    EXPECT_EQ(ModeLetter("-S"), 'S');
    EXPECT_EQ(ModeLetter("xs"), 'S');
    EXPECT_EQ(ModeLetter("/p 12"), 'P');
    EXPECT_EQ(ModeLetter("/"), 0);
    EXPECT_EQ(ModeLetter(""), 0);
    // A multi-byte first character still leaves the letter second.
    EXPECT_EQ(ModeLetter("\xE3\x83\xBC"
                         "c"),
              'C');
    EXPECT_EQ(ModeLetter("/\xC3\xA9"), 0);
}

TEST(CommandLine, HostNumberIsReadFromTheFourthCharacter) {
    EXPECT_EQ(HostNumber("/p 2034"), 2034);
    EXPECT_EQ(HostNumber("/P:2034"), 2034);
    EXPECT_EQ(HostNumber("/p  2034 junk"), 2034);
    EXPECT_EQ(HostNumber("/p -7"), -7);
    EXPECT_EQ(HostNumber("/p"), 0);
    EXPECT_EQ(HostNumber("/p abc"), 0);
    EXPECT_EQ(HostNumber("/p 4294967296"), 0);
}

TEST(CommandLine, RequestFollowsTheModeTable) {
    EXPECT_EQ(RequestOf(""), Request::Run);
    EXPECT_EQ(RequestOf("/s"), Request::Run);
    EXPECT_EQ(RequestOf("xs"), Request::Run);
    EXPECT_EQ(RequestOf("/p 2034"), Request::Preview);
    EXPECT_EQ(RequestOf("/p:2034"), Request::Preview);
    EXPECT_EQ(RequestOf("/c"), Request::Settings);
    EXPECT_EQ(RequestOf("-C:99"), Request::Settings);
    EXPECT_EQ(RequestOf("/a"), Request::Unserved);
    EXPECT_EQ(RequestOf("/x"), Request::Unserved);
    EXPECT_EQ(RequestOf("abc"), Request::Unserved);
    EXPECT_EQ(RequestOf("/"), Request::Unserved);

    EXPECT_TRUE(HidesCursor("/S"));
    EXPECT_TRUE(HidesCursor("-s"));
    EXPECT_FALSE(HidesCursor(""));
    EXPECT_FALSE(HidesCursor("/c"));
}

} // namespace
} // namespace orvanne
