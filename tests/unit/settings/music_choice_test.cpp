#include "music_choice.h"

#include <gtest/gtest.h>

using namespace orvanne;

TEST(MusicChoice, EachKindShowsOneMarkAndAtMostOneDependentControl) {
    struct Case {
        int kind, mark;
        bool repeat, file;
    } cases[] = {{0, 0, false, false},  {1, 1, true, false},    {2, 2, false, true},
                 {5, -1, false, false}, {-1, -1, false, false}, {3, -1, false, false}};
    for (const Case& c : cases) {
        KindView v = ViewOfKind(c.kind);
        EXPECT_EQ(v.mark, c.mark) << "kind " << c.kind;
        EXPECT_EQ(v.repeat_enabled, c.repeat) << "kind " << c.kind;
        EXPECT_EQ(v.file_enabled, c.file) << "kind " << c.kind;
    }
}

TEST(MusicChoice, TrackTextHasNoLeadingZerosAndNothingForZero) {
    EXPECT_EQ(TrackText(0), "");
    EXPECT_EQ(TrackText(7), "7");
    EXPECT_EQ(TrackText(30), "30");
    EXPECT_EQ(TrackText(45), "45");
    EXPECT_EQ(TrackText(-3), "-3");
}

TEST(MusicChoice, RepeatListIsEmptyEntryThenOneToThirty) {
    std::vector<std::string> entries = RepeatEntries();
    ASSERT_EQ(entries.size(), 31u);
    EXPECT_EQ(entries[0], "");
    for (int n = 1; n <= 30; ++n)
        EXPECT_EQ(entries[n], std::to_string(n));
}

TEST(MusicChoice, RepeatTextRoundsHalfToEvenAndTurnsTheRestIntoZero) {
    EXPECT_EQ(TrackFromText("3.5"), 4);
    EXPECT_EQ(TrackFromText("2.5"), 2);
    EXPECT_EQ(TrackFromText("12"), 12);
    EXPECT_EQ(TrackFromText(" 7 "), 7);
    EXPECT_EQ(TrackFromText(""), 0);
    EXPECT_EQ(TrackFromText("abc"), 0);
    EXPECT_EQ(TrackFromText("4x"), 0);
    EXPECT_EQ(TrackFromText("32767"), 32767);
    EXPECT_EQ(TrackFromText("-32768"), -32768);
    EXPECT_EQ(TrackFromText("32768"), 0) << "beyond 16 bits counts as not a number";
    EXPECT_EQ(TrackFromText("99999999999999999999"), 0);
}
