#include "dialog_layout.h"

#include <gtest/gtest.h>

#include <set>

using namespace orvanne;

TEST(DialogLayout, AtNinetySixDpiEveryPlaceIsWholePixels) {
    EXPECT_EQ(TwipsToPixels(kClientWidthTwips, 96), 479);
    EXPECT_EQ(TwipsToPixels(kClientHeightTwips, 96), 252);
    EXPECT_EQ(ToPixels(PlaceOf(Ctl::PicC).twips, 96), (Rect{12, 16, 453, 169}));
    EXPECT_EQ(ToPixels(PlaceOf(Ctl::BgmRepeat).twips, 96), (Rect{92, 52, 41, 20}));
    EXPECT_EQ(ToPixels(PlaceOf(Ctl::ImgBgm2).twips, 96), (Rect{20, 96, 13, 13}));
    EXPECT_EQ(ToPixels(PlaceOf(Ctl::CmdCan).twips, 96), (Rect{396, 200, 69, 25}));
}

TEST(DialogLayout, OtherResolutionsScaleAndRound) {
    EXPECT_EQ(TwipsToPixels(kClientWidthTwips, 120), 599); // 598.75
    EXPECT_EQ(TwipsToPixels(kClientHeightTwips, 144), 378);
    EXPECT_EQ(ToPixels(PlaceOf(Ctl::ImgBgm0).twips, 120), (Rect{25, 95, 16, 16}));
}

TEST(DialogLayout, PanelHoldsTheMusicControlsInsideIt) {
    const Rect& panel = PlaceOf(Ctl::PicC).twips;
    for (Ctl c :
         {Ctl::Shape3, Ctl::LblHeading, Ctl::ImgBgm0, Ctl::ImgBgm1, Ctl::ImgBgm2, Ctl::LblBgm0,
          Ctl::LblBgm1, Ctl::LblBgm2, Ctl::BgmRepeat, Ctl::LblRepeat, Ctl::CmdBgm, Ctl::LblFname}) {
        const Placement& p = PlaceOf(c);
        EXPECT_EQ(p.surface, Surface::Panel) << "control " << static_cast<int>(c);
        EXPECT_LE(p.twips.left + p.twips.width, panel.width);
        EXPECT_LE(p.twips.top + p.twips.height, panel.height);
    }
    // The stock pictures lie right of the client area, never seen.
    EXPECT_GE(PlaceOf(Ctl::ImgRa0).twips.left, kClientWidthTwips);
    EXPECT_GE(PlaceOf(Ctl::ImgRa1).twips.left, kClientWidthTwips);
}

TEST(DialogLayout, MarksAndLabelsOfAKindShareTheirRow) {
    for (int kind = 0; kind < 3; ++kind)
        EXPECT_EQ(PlaceOf(MarkOf(kind)).twips.top, PlaceOf(LabelOf(kind)).twips.top);
    EXPECT_LT(PlaceOf(MarkOf(1)).twips.top, PlaceOf(MarkOf(0)).twips.top) << "CD row first";
    EXPECT_LT(PlaceOf(MarkOf(0)).twips.top, PlaceOf(MarkOf(2)).twips.top);
}

TEST(DialogLayout, FontSizes) {
    EXPECT_EQ(FontPixels(9.75, 96), 13);
    EXPECT_EQ(FontPixels(8.25, 96), 11);
    EXPECT_EQ(FontPixels(9.75, 144), 20); // 19.5 rounds up
}

TEST(DialogLayout, CentredAcrossAndAThirdDown) {
    // 1280 x 1024 screen, a 485 x 281 window: (19200 - 7275) / 2 = 5962 twips = 397 px,
    // (15360 - 4215) / 3 = 3715 twips = 248 px.
    Point p = DialogPosition(1280, 1024, 485, 281, 96);
    EXPECT_EQ(p.x, 397);
    EXPECT_EQ(p.y, 248);
    Point big = DialogPosition(400, 300, 485, 281, 96);
    EXPECT_EQ(big.x, -42) << "truncated toward zero: -637.5 twips is -637";
    EXPECT_EQ(big.y, 6);
}

TEST(DialogLayout, TabFollowsTheFocusOrderAndSkipsWhatCannotTakeIt) {
    std::set<Ctl> off;
    auto can = [&](Ctl c) { return off.count(c) == 0; };
    EXPECT_EQ(NextFocus(Ctl::PicC, false, can), Ctl::BgmRepeat);
    EXPECT_EQ(NextFocus(Ctl::BgmRepeat, false, can), Ctl::CmdBgm);
    EXPECT_EQ(NextFocus(Ctl::CmdBgm, false, can), Ctl::CmdSet);
    EXPECT_EQ(NextFocus(Ctl::CmdSet, false, can), Ctl::CmdCan);
    EXPECT_EQ(NextFocus(Ctl::CmdCan, false, can), Ctl::CmdEtc);
    EXPECT_EQ(NextFocus(Ctl::CmdEtc, false, can), Ctl::PicC) << "wraps round";
    EXPECT_EQ(NextFocus(Ctl::PicC, true, can), Ctl::CmdEtc);

    off = {Ctl::BgmRepeat, Ctl::CmdBgm};
    EXPECT_EQ(NextFocus(Ctl::PicC, false, can), Ctl::CmdSet);
    EXPECT_EQ(NextFocus(Ctl::CmdSet, true, can), Ctl::PicC);
    EXPECT_EQ(NextFocus(Ctl::LblFname, false, can), Ctl::PicC) << "from outside: the first";
    EXPECT_EQ(NextFocus(Ctl::LblFname, true, can), Ctl::CmdEtc) << "backwards: the last";

    auto none = [](Ctl) { return false; };
    EXPECT_EQ(NextFocus(Ctl::CmdSet, false, none), Ctl::CmdSet);
}
