#include "module_options.h"

#include <gtest/gtest.h>

#include <vector>

using stars::DrawTarget;

const char* Parse(std::vector<const char*> args, const char* env, stars::ModuleOptions& options) {
    args.insert(args.begin(), "orvanne");
    return stars::parse_module_options(static_cast<int>(args.size()), args.data(), env, options);
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
    } cases[] = {
        {{}, nullptr, DrawTarget::own_window, 0, false},
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
        stars::ModuleOptions o;
        EXPECT_EQ(Parse(c.args, c.env, o), nullptr);
        EXPECT_TRUE(o.target == c.target && o.window_id == c.id && o.show_fps == c.fps)
            << c.args.size() << " arguments, window " << (c.env ? c.env : "unset");
    }
}

TEST(ModuleOptions, RefusesWhatItCannotUse) {
    stars::ModuleOptions o;
    for (const char* bad : {"", "0", "0x", "0x0", "-5", "+5", "12a", "0x1g", " 12", "4294967296",
                            "0x100000000", "99999999999999999999"})
        EXPECT_NE(Parse({"--window-id", bad}, nullptr, o), nullptr) << "took \"" << bad << "\"";
    EXPECT_STREQ(Parse({"--delay", "10"}, nullptr, o), "unknown option --delay");
    EXPECT_STREQ(Parse({"root"}, nullptr, o), "unknown option root");
    EXPECT_STREQ(Parse({"--fps", "--window-id"}, nullptr, o), "--window-id needs a window id");
    EXPECT_STREQ(Parse({"--window-id", "fred"}, nullptr, o), "fred is not a window id");
    EXPECT_STREQ(Parse({"--root"}, "0xzz", o), "XSCREENSAVER_WINDOW=0xzz is not a window id");
}
