#include "module_options.h"

#include <gtest/gtest.h>

#include <vector>

using orvanne::DrawTarget;

const char* Parse(std::vector<const char*> args, const char* env, orvanne::ModuleOptions& options) {
    args.insert(args.begin(), "orvanne");
    return orvanne::parse_module_options(static_cast<int>(args.size()), args.data(), env, options);
}

// The daemon's programs line passes --root and names its own window in the environment;
// ids are hex or decimal, a leading zero still decimal.
TEST(ModuleOptions, ChoosesTheWindowAsTheDaemonExpects) {
    const struct {
        std::vector<const char*> args;
        const char* env;
        DrawTarget target;
        uint32_t id;
        bool fps;
        uint32_t delay = orvanne::default_delay_us;
    } cases[] = {
        {{}, nullptr, DrawTarget::own_window, 0, false},
        // A line copied from a stock module: its options read, the ones that mean nothing
        // here taken with their values; the last of -root/-window and -fps/-no-fps counts.
        {{"-root", "-delay", "0", "--visual", "0x21", "-install", "--noinstall", "-mono", "-pair",
          "-fps", "--no-fps", "--window"},
         nullptr,
         DrawTarget::own_window,
         0,
         false,
         0},
        {{"--window", "-root", "--delay", "10000000", "-visual", "default"},
         nullptr,
         DrawTarget::root_window,
         0,
         false,
         10000000},
        {{"-root", "--fps"}, nullptr, DrawTarget::root_window, 0, true},
        {{"--root"}, "", DrawTarget::root_window, 0, false},
        {{"--root"}, "0x1a00003", DrawTarget::given_window, 0x1a00003u, false},
        {{"-window-id", "0XFFFFFFFF", "--root"},
         "0x6",
         DrawTarget::given_window,
         0xFFFFFFFFu,
         false},
        {{"--window-id", "0123"}, nullptr, DrawTarget::given_window, 123, false},
    };
    for (const auto& c : cases) {
        orvanne::ModuleOptions o;
        EXPECT_EQ(Parse(c.args, c.env, o), nullptr);
        EXPECT_TRUE(o.target == c.target && o.window_id == c.id && o.show_fps == c.fps &&
                    o.delay_us == c.delay && !o.help)
            << c.args.size() << " arguments, window " << (c.env ? c.env : "unset");
    }
    orvanne::ModuleOptions o;
    EXPECT_EQ(Parse({"-display", ":7", "--help", "--bogus"}, nullptr, o), nullptr);
    EXPECT_TRUE(o.help);
    EXPECT_STREQ(o.display, ":7");
}

TEST(ModuleOptions, RefusesWhatItCannotUse) {
    orvanne::ModuleOptions o;
    for (const char* bad : {"", "0", "0x", "0x0", "-5", "+5", "12a", "0x1g", " 12", "4294967296",
                            "0x100000000", "99999999999999999999"})
        EXPECT_NE(Parse({"--window-id", bad}, nullptr, o), nullptr) << "took \"" << bad << "\"";
    for (const char* bad : {"", "-1", "10000001", "4294967296", "1e3", "30000us", " 5"})
        EXPECT_NE(Parse({"-delay", bad}, nullptr, o), nullptr) << "took delay \"" << bad << "\"";
    EXPECT_STREQ(Parse({"--delay", "x"}, nullptr, o),
                 "-delay takes microseconds from 0 to 10000000, not \"x\"");
    EXPECT_STREQ(Parse({"---root"}, nullptr, o), "unknown option ---root");
    EXPECT_STREQ(Parse({"root"}, nullptr, o), "unknown option root");
    EXPECT_STREQ(Parse({"-fps", "--visual"}, nullptr, o), "--visual needs a value");
    EXPECT_STREQ(Parse({"--fps", "--window-id"}, nullptr, o), "--window-id needs a value");
    EXPECT_STREQ(Parse({"--window-id", "fred"}, nullptr, o), "fred is not a window id");
    EXPECT_STREQ(Parse({"--root"}, "0xzz", o), "XSCREENSAVER_WINDOW=0xzz is not a window id");
}
