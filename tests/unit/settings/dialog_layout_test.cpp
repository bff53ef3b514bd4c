#include "dialog_layout.h"

#include <gtest/gtest.h>

#include <set>

using namespace orvanne;

TEST(DialogLayout, FontsScaleWithTheResolution) {
    EXPECT_EQ(FontPixels(8.25, 96), 11);
    EXPECT_EQ(FontPixels(9.75, 144), 20) << "19.5 rounds up";
}

TEST(DialogLayout, CentredAcrossAndAThirdDown) {
    // (19200 - 7275) / 2 = 5962 twips = 397 px, (15360 - 4215) / 3 = 3715 twips = 248 px.
    Point p = DialogPosition(1280, 1024, 485, 281, 96);
    EXPECT_TRUE(p.x == 397 && p.y == 248) << p.x << ", " << p.y;
    // -637.5 twips truncated toward zero is -637.
    Point big = DialogPosition(400, 300, 485, 281, 96);
    EXPECT_TRUE(big.x == -42 && big.y == 6) << big.x << ", " << big.y;
}

// The order itself is walked end to end; these are the cases a walk does not reach.
TEST(DialogLayout, TabSkipsWhatCannotTakeTheFocus) {
    std::set<Ctl> off = {Ctl::BgmRepeat, Ctl::CmdBgm};
    auto can = [&](Ctl c) { return off.count(c) == 0; };
    EXPECT_EQ(NextFocus(Ctl::PicC, false, can), Ctl::CmdSet);
    EXPECT_EQ(NextFocus(Ctl::CmdSet, true, can), Ctl::PicC);
    EXPECT_EQ(NextFocus(Ctl::CmdEtc, false, can), Ctl::PicC) << "wraps round";
    EXPECT_EQ(NextFocus(Ctl::LblFname, false, can), Ctl::PicC) << "from outside: the first";
    EXPECT_EQ(NextFocus(Ctl::LblFname, true, can), Ctl::CmdEtc) << "backwards: the last";
    EXPECT_EQ(NextFocus(Ctl::CmdSet, false, [](Ctl) { return false; }), Ctl::CmdSet);
}
