#include "music_choice.h"

#include <gtest/gtest.h>

using namespace orvanne;

// The box's text rounds half to even; what is no number or beyond 16 bits counts as 0.
TEST(MusicChoice, TrackTextAndBack) {
    const std::pair<const char*, int16_t> cases[] = {
        {"3.5", 4}, {"2.5", 2},       {"-2.5", -2},         {" 7 ", 7},     {"", 0},
        {"4x", 0},  {"32767", 32767}, {"-32768.5", -32768}, {"32767.5", 0}, {"99999", 0}};
    for (auto [text, track] : cases)
        EXPECT_EQ(TrackFromText(text), track) << "text \"" << text << "\"";
    EXPECT_EQ(TrackText(0), "") << "no track, no text";
    EXPECT_EQ(TrackText(-3), "-3");
    const std::vector<std::string> entries = RepeatEntries();
    ASSERT_EQ(entries.size(), 31u) << "the empty entry, then 1 to 30";
    EXPECT_EQ(entries[0] + "," + entries[1] + "," + entries[30], ",1,30");
}
