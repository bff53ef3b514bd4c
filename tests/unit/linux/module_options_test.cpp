#include "module_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// What a command line (arguments split at each blank) and XSCREENSAVER_WINDOW come to: the
// target, window id, delay, then fps, help and display when set; or the error.
std::string Outcome(std::string_view args, const char* env = nullptr) {
    std::vector<std::string> words = {"orvanne"};
    for (size_t start = 0, end = 0; end != args.npos && !args.empty(); start = end + 1) {
        end = args.find(' ', start);
        words.emplace_back(args.substr(start, end - start));
    }
    std::vector<const char*> argv;
    for (const std::string& word : words)
        argv.push_back(word.c_str());
    orvanne::ModuleOptions o;
    if (const char* error = orvanne::parse_module_options(argv.size(), argv.data(), env, o))
        return error;
    const char* targets[] = {"own", "given", "root"};
    return std::string(targets[static_cast<int>(o.target)]) + " " + std::to_string(o.window_id) +
           " " + std::to_string(o.delay_us) + (o.show_fps ? " fps" : "") + (o.help ? " help" : "") +
           (o.display ? std::string(" on ") + o.display : "");
}

// The daemon passes --root and names its window in the environment; ids are hex or decimal
// (0123 too). Options of stock modules that mean nothing here are taken, with their values.
TEST(ModuleOptions, ChoosesTheWindowAsTheDaemonExpects) {
    const char* cases[][3] = {
        {"", nullptr, "own 0 30000"},
        {"-root -delay 0 --visual 0x21 -install --noinstall --window", nullptr, "own 0 0"},
        {"-mono -pair -fps --no-fps", nullptr, "own 0 30000"},
        {"--window -root --delay 10000000 -visual default", nullptr, "root 0 10000000"},
        {"-root --fps", nullptr, "root 0 30000 fps"},
        {"--root", "", "root 0 30000"},
        {"--root", "0x1a00003", "given 27262979 30000"},
        {"-window-id 0XFFFFFFFF --root", "0x6", "given 4294967295 30000"},
        {"--window-id 0123", nullptr, "given 123 30000"},
        {"-display :7 --help --bogus", nullptr, "own 0 30000 help on :7"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Outcome(c[0], c[1]), c[2]) << c[0] << ", window " << (c[1] ? c[1] : "unset");
}

TEST(ModuleOptions, RefusesWhatItCannotUse) {
    uint32_t id = 0;
    for (const char* bad : {"", "0", "0x", "0x0", "-5", "+5", "12a", "0x1g", " 12", "4294967296",
                            "0x100000000", "99999999999999999999"})
        EXPECT_FALSE(orvanne::parse_window_id(bad, id)) << "took \"" << bad << "\"";
    for (std::string bad : {"", "x", "-1", "10000001", "4294967296", "1e3", "30000us"})
        EXPECT_EQ(Outcome("-delay " + bad),
                  "-delay takes microseconds from 0 to 10000000, not \"" + bad + "\"");
    EXPECT_EQ(Outcome("---root"), "unknown option ---root");
    EXPECT_EQ(Outcome("root"), "unknown option root");
    EXPECT_EQ(Outcome("-fps --visual"), "--visual needs a value");
    EXPECT_EQ(Outcome("--fps --window-id"), "--window-id needs a value");
    EXPECT_EQ(Outcome("--window-id fred"), "fred is not a window id");
    EXPECT_EQ(Outcome("--root", "0xzz"), "XSCREENSAVER_WINDOW=0xzz is not a window id");
}
