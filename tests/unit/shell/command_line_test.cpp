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

// The mode is the second character, upper-cased; the host number is read from the fourth.
TEST(CommandLine, ArgumentsGiveModeHostAndRequest) {
    const struct {
        const char* args;
        char letter;
        int32_t host;
        Request request;
        bool hidesCursor;
    } cases[] = {
        {"", 0, 0, Request::Run, false},
        {"/s", 'S', 0, Request::Run, true},
        {"-S", 'S', 0, Request::Run, true},
        {"xs", 'S', 0, Request::Run, true},
        {"/p 2034", 'P', 2034, Request::Preview, false},
        {"/P:2034", 'P', 2034, Request::Preview, false},
        {"/p  2034 junk", 'P', 2034, Request::Preview, false},
        {"/p -7", 'P', -7, Request::Preview, false},
        {"/p", 'P', 0, Request::Preview, false},
        {"/p abc", 'P', 0, Request::Preview, false},
        {"/p 4294967296", 'P', 0, Request::Preview, false},
        {"/c", 'C', 0, Request::Settings, false},
        {"\xE3\x83\xBC"
         "c",
         'C', 0, Request::Settings, false}, // a multi-byte first character
        {"/a", 'A', 0, Request::Unserved, false},
        {"abc", 'B', 0, Request::Unserved, false},
        {"/", 0, 0, Request::Unserved, false},
        {"/\xC3\xA9", 0, 0, Request::Unserved, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ModeLetter(c.args), c.letter) << "arguments \"" << c.args << "\"";
        EXPECT_EQ(HostNumber(c.args), c.host) << "arguments \"" << c.args << "\"";
        EXPECT_EQ(RequestOf(c.args), c.request) << "arguments \"" << c.args << "\"";
        EXPECT_EQ(HidesCursor(c.args), c.hidesCursor) << "arguments \"" << c.args << "\"";
    }
}

} // namespace
} // namespace orvanne
