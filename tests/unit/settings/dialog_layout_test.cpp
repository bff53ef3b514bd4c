#include "dialog_layout.h"

#include <gtest/gtest.h>

using namespace orvanne;

TEST(DialogLayout, FontsScaleWithTheResolution) {
    EXPECT_EQ(FontPixels(8.25, 96), 11);
    EXPECT_EQ(FontPixels(9.75, 144), 20) << "19.5 rounds up";
}

// Centred across and a third down in whole twips, truncated toward zero: -637.5 is -637.
TEST(DialogLayout, AWindowLargerThanTheScreenStillCentres) {
    Point big = DialogPosition(400, 300, 485, 281, 96);
    EXPECT_TRUE(big.x == -42 && big.y == 6) << big.x << ", " << big.y;
}

// The order itself is walked end to end; these are the cases a walk does not reach.
TEST(DialogLayout, TabSkipsWhatCannotTakeTheFocus) {
    auto can = [](Ctl c) { return c != Ctl::RepeatBox && c != Ctl::FileButton; };
    EXPECT_EQ(NextFocus(Ctl::MusicPanel, false, can), Ctl::SaveButton);
    EXPECT_EQ(NextFocus(Ctl::SaveButton, true, can), Ctl::MusicPanel);
    EXPECT_EQ(NextFocus(Ctl::FileName, false, can), Ctl::MusicPanel) << "from outside: the first";
    EXPECT_EQ(NextFocus(Ctl::FileName, true, can), Ctl::OtherWorksButton) << "backwards: the last";
    EXPECT_EQ(NextFocus(Ctl::SaveButton, false, [](Ctl) { return false; }), Ctl::SaveButton);
}
