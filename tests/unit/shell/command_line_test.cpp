#include "command_line.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace orvanne;

TEST(CommandLine, ArgumentTextFollowsTheProgramName) {
    // A name that no blank or closing quote ends takes the whole line.
    const std::pair<const char*, const char*> cases[] = {
        {"\"C:\\Program Files\\Orvanne\\Orvanne.scr\" /s", "/s"}, // as Windows starts a saver
        {"\"C:\\\xE3\x83.scr\"\t /c", "/c"},
        {"C:\\Savers\\Orvanne.scr \t/p 5", "/p 5"},
        {"C:\\Savers\\Orvanne.scr/c", ""},
        {"\"unclosed /s", ""},
    };
    for (auto [commandLine, args] : cases)
        EXPECT_EQ(ArgumentText(commandLine), args) << "command line: " << commandLine;
}

// The mode is the second character, upper-cased; the host number is read from the fourth.
TEST(CommandLine, ArgumentsGiveModeHostAndRequest) {
    const std::tuple<const char*, char, int32_t, Request> cases[] = {
        {"", 0, 0, Request::Run},
        {"/s", 'S', 0, Request::Run},
        {"/P:2034", 'P', 2034, Request::Preview},
        {"/p  2034 junk", 'P', 2034, Request::Preview},
        {"/p -2147483648", 'P', INT32_MIN, Request::Preview},
        {"/p 13.5", 'P', 14, Request::Preview},
        {"/p 2e3x", 'P', 2000, Request::Preview},
        {"/p 4294967296", 'P', 0, Request::Preview},
        {"/c", 'C', 0, Request::Settings},
        {"ーp 12", 'P', 12, Request::Preview}, // a multi-byte first character
        {"/a", 'A', 0, Request::Unserved},
        {"/", 0, 0, Request::Unserved},
        {"/é", 0, 0, Request::Unserved},
        {"\xF0", 0, 0, Request::Unserved}, // a character cut off by the end
    };
    for (auto [args, letter, host, request] : cases)
        EXPECT_EQ(
            std::make_tuple(ModeLetter(args), HostNumber(args), RequestOf(args), HidesCursor(args)),
            std::make_tuple(letter, host, request, letter == 'S'))
            << "arguments \"" << args << "\"";
}
