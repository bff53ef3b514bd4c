#include "module_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Parsed {
    const char* error;
    stars::ModuleOptions options;
};

Parsed parse(std::vector<const char*> args, const char* env_window = nullptr) {
    args.insert(args.begin(), "orvanne");
    Parsed parsed;
    parsed.error = stars::parse_module_options(static_cast<int>(args.size()), args.data(),
                                               env_window, parsed.options);
    return parsed;
}

} // namespace

TEST(WindowId, ReadsHexAndDecimalAndRejectsTheRest) {
    uint32_t id = 7;
    EXPECT_TRUE(stars::parse_window_id("0x1a00003", id));
    EXPECT_EQ(id, 0x1a00003u);
    EXPECT_TRUE(stars::parse_window_id("0XFFFFFFFF", id));
    EXPECT_EQ(id, 0xFFFFFFFFu);
    // A leading zero is still decimal, not octal.
    EXPECT_TRUE(stars::parse_window_id("0123", id));
    EXPECT_EQ(id, 123u);
    for (const char* bad : {"", "0", "0x", "0x0", "-5", "+5", "12a", "0x1g", " 12", "4294967296",
                            "0x100000000", "99999999999999999999"}) {
        id = 7;
        EXPECT_FALSE(stars::parse_window_id(bad, id)) << "accepted \"" << bad << "\"";
        EXPECT_EQ(id, 7u) << "\"" << bad << "\" changed the id";
    }
}

TEST(ModuleOptions, ChoosesTheWindowAsTheDaemonExpects) {
    Parsed bare = parse({});
    EXPECT_EQ(bare.error, nullptr);
    EXPECT_EQ(bare.options.target, stars::DrawTarget::own_window);
    EXPECT_FALSE(bare.options.show_fps);

    Parsed root = parse({"-root", "--fps"});
    EXPECT_EQ(root.error, nullptr);
    EXPECT_EQ(root.options.target, stars::DrawTarget::root_window);
    EXPECT_TRUE(root.options.show_fps);

    // The daemon's programs line passes --root and names its own window in the environment.
    Parsed daemon = parse({"--root"}, "0x600006");
    EXPECT_EQ(daemon.error, nullptr);
    EXPECT_EQ(daemon.options.target, stars::DrawTarget::given_window);
    EXPECT_EQ(daemon.options.window_id, 0x600006u);

    Parsed given = parse({"-window-id", "4194310", "--root"}, "0x600006");
    EXPECT_EQ(given.error, nullptr);
    EXPECT_EQ(given.options.target, stars::DrawTarget::given_window);
    EXPECT_EQ(given.options.window_id, 4194310u);

    EXPECT_EQ(parse({"--root"}, "").options.target, stars::DrawTarget::root_window);
}

TEST(ModuleOptions, RefusesWhatItCannotUse) {
    EXPECT_STREQ(parse({"--delay", "10"}).error, "unknown option --delay");
    EXPECT_STREQ(parse({"root"}).error, "unknown option root");
    EXPECT_STREQ(parse({"--fps", "--window-id"}).error, "--window-id needs a window id");
    EXPECT_STREQ(parse({"--window-id", "fred"}).error, "fred is not a window id");
    EXPECT_STREQ(parse({"--root"}, "0xzz").error, "XSCREENSAVER_WINDOW=0xzz is not a window id");
}
