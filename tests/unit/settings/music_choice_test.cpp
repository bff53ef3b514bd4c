#include "music_choice.h"

#include <gtest/gtest.h>

using namespace orvanne;

TEST(MusicChoice, EachKindShowsOneMarkAndAtMostOneDependentControl) {
    struct Case {
        int kind, mark;
        bool repeat, file;
    } cases[] = {{0, 0, false, false},
                 {1, 1, true, false},
                 {2, 2, false, true},
                 {3, -1, false, false},
                 {-1, -1, false, false}};
    for (const Case& c : cases) {
        KindView v = ViewOfKind(c.kind);
        EXPECT_TRUE(v.mark == c.mark && v.repeat_enabled == c.repeat && v.file_enabled == c.file)
            << "kind " << c.kind;
    }
}

TEST(MusicChoice, RepeatTextsAreAnEmptyOneThenOneToThirty) {
    std::vector<std::string> entries = RepeatEntries();
    ASSERT_EQ(entries.size(), 31u);
    EXPECT_EQ(entries[0], "") << "no track, no text";
    EXPECT_EQ(entries[30], "30");
    EXPECT_EQ(TrackText(-3), "-3");
}

// The box's text rounds half to even; what is no number or beyond 16 bits counts as 0.
TEST(MusicChoice, TrackFromText) {
    const std::pair<const char*, int16_t> cases[] = {
        {"3.5", 4}, {"2.5", 2},       {"-2.5", -2},         {" 7 ", 7},     {"", 0},
        {"4x", 0},  {"32767", 32767}, {"-32768.5", -32768}, {"32767.5", 0}, {"99999", 0}};
    for (auto [text, track] : cases)
        EXPECT_EQ(TrackFromText(text), track) << "text \"" << text << "\"";
}
