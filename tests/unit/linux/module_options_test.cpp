#include "module_options.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <vector>

using orvanne::DrawTarget;

// The arguments after the program name; options.display points into them until the next call.
const char* Parse(std::vector<std::string> args, const char* env, orvanne::ModuleOptions& options) {
    static std::vector<std::string> kept;
    kept = std::move(args);
    kept.insert(kept.begin(), "orvanne");
    std::vector<const char*> argv;
    for (const std::string& arg : kept)
        argv.push_back(arg.c_str());
    return orvanne::parse_module_options(static_cast<int>(argv.size()), argv.data(), env, options);
}

// The daemon's programs line passes --root and names its own window in the environment;
// ids are hex or decimal, a leading zero still decimal. Lines copied from a stock module
// have options that mean nothing here: taken, with their values.
TEST(ModuleOptions, ChoosesTheWindowAsTheDaemonExpects) {
    const DrawTarget own = DrawTarget::own_window, root = DrawTarget::root_window,
                     given = DrawTarget::given_window;
    const struct {
        const char* args;
        const char* env;
        DrawTarget target;
        uint32_t id, delay;
        bool fps;
    } cases[] = {
        {"", nullptr, own, 0, 30000, false},
        {"-root -delay 0 --visual 0x21 -install --noinstall --window", nullptr, own, 0, 0, false},
        {"-mono -pair -fps --no-fps", nullptr, own, 0, 30000, false},
        {"--window -root --delay 10000000 -visual default", nullptr, root, 0, 10000000, false},
        {"-root --fps", nullptr, root, 0, 30000, true},
        {"--root", "", root, 0, 30000, false},
        {"--root", "0x1a00003", given, 0x1a00003u, 30000, false},
        {"-window-id 0XFFFFFFFF --root", "0x6", given, 0xFFFFFFFFu, 30000, false},
        {"--window-id 0123", nullptr, given, 123, 30000, false},
    };
    for (const auto& c : cases) {
        std::istringstream words(c.args);
        orvanne::ModuleOptions o;
        EXPECT_EQ(Parse({std::istream_iterator<std::string>(words), {}}, c.env, o), nullptr);
        EXPECT_TRUE(o.target == c.target && o.window_id == c.id && o.show_fps == c.fps &&
                    o.delay_us == c.delay && !o.help)
            << c.args << ", window " << (c.env ? c.env : "unset");
    }
    orvanne::ModuleOptions o;
    EXPECT_EQ(Parse({"-display", ":7", "--help", "--bogus"}, nullptr, o), nullptr);
    EXPECT_TRUE(o.help);
    EXPECT_STREQ(o.display, ":7");
}

TEST(ModuleOptions, RefusesWhatItCannotUse) {
    uint32_t id = 0;
    for (const char* bad : {"", "0", "0x", "0x0", "-5", "+5", "12a", "0x1g", " 12", "4294967296",
                            "0x100000000", "99999999999999999999"})
        EXPECT_FALSE(orvanne::parse_window_id(bad, id)) << "took \"" << bad << "\"";
    orvanne::ModuleOptions o;
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
