#include "command_logic.h"
#include "command_properties.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvanne {
namespace {

class CountingView : public CommandView {
  public:
    CommandLogic* logic = nullptr;
    std::vector<Skin> paints;
    void PaintFace() override { paints.push_back(logic->PaintedSkin()); }
    void CaptionChanged() override {}
    void RaiseClick() override {}
};

// A button loaded from the given store, or never loaded when there is none.
struct Loaded {
    CountingView view;
    CommandLogic logic{view};
    explicit Loaded(const PropertyStore* store, const FontDesc& ambient = DefaultCaptionFont()) {
        view.logic = &logic;
        if (store)
            logic.LoadProperties(*store, ambient);
    }
};

FontDesc Font(const char* name, double size) {
    FontDesc f;
    f.name = name;
    f.size = size;
    return f;
}

TEST(PropertyStore, KeysIgnoreCaseAndValuesCompareAndConvertByValue) {
    PropertyStore store;
    store.Set("caption", std::string("a"));
    store.Set("CAPTION", std::string("b"));
    EXPECT_EQ(store.Size(), 1u);
    ASSERT_NE(store.Find("Caption"), nullptr);
    EXPECT_EQ(std::get<std::string>(*store.Find("Caption")), "b");
    // Writing the default drops an earlier value, so the reader's default comes back.
    store.Set("FirstRun", int64_t{0});
    store.Write("firstrun", int64_t{1}, std::string("1"));
    EXPECT_EQ(store.Find("FirstRun"), nullptr);

    EXPECT_TRUE(SameValue(std::string(" -1 "), int64_t{-1}));
    EXPECT_FALSE(SameValue(int64_t{1}, std::string("1x")));
    EXPECT_FALSE(SameValue(std::string("Command"), std::string("command")));
    EXPECT_FALSE(SameValue(Font("A", 9), std::string("A")));
    EXPECT_EQ(AsBoolean(std::string("True")), int16_t{-1});
    EXPECT_EQ(AsBoolean(int64_t{5}), int16_t{-1});
    EXPECT_FALSE(AsBoolean(std::string("yes")));
    EXPECT_EQ(AsInteger(std::string("255"), 0, 255), 255);
    EXPECT_FALSE(AsInteger(int64_t{256}, 0, 255)) << "overflow fails the step";
    EXPECT_FALSE(AsInteger(std::string("99999999999999999999"), 0, 255));
    EXPECT_FALSE(AsText(Font("A", 9)));
    EXPECT_FALSE(AsFont(std::string("A")));
}

TEST(CommandProperties, StoreWithoutKeysGivesTheDefaults) {
    const FontDesc ambient = Font("Host", 12);
    PropertyStore empty;
    Loaded b(&empty, ambient);
    EXPECT_EQ(b.logic.Enabled(), kTrue);
    EXPECT_EQ(b.logic.Caption(), "Command1");
    EXPECT_EQ(b.logic.Font(), ambient);
    EXPECT_EQ(b.logic.CaptionColour(), 0u);
    EXPECT_TRUE(b.logic.Visible());
    EXPECT_TRUE(b.logic.CaptionEnabled());
    EXPECT_EQ(b.view.paints.front(), Skin::Normal) << "loading ends with a Normal repaint";
    PropertyStore saved;
    b.logic.SaveProperties(saved, ambient);
    EXPECT_TRUE(saved.Find("FirstRun") == nullptr && saved.Find("Enabled") == nullptr)
        << "FirstRun 1 and Enabled are defaults, not stored";
}

TEST(CommandProperties, SavedAndLoadedAgainWithOnlyWhatDiffersStored) {
    for (const char* caption : {"Command", "OK", "Command1", ""}) {
        PropertyStore start;
        start.Set("Caption", std::string(caption));
        Loaded first(&start);
        PropertyStore saved;
        first.logic.SaveProperties(saved, DefaultCaptionFont());
        const std::string expected = std::string(caption) == "Command" ? "Command1" : caption;
        EXPECT_EQ(Loaded(&saved).logic.Caption(), expected) << "caption \"" << caption << "\"";
    }

    // The dialog's data, in lower case.
    const FontDesc gothic = DefaultCaptionFont();
    PropertyStore data;
    data.Set("caption", std::string("..."));
    data.Set("font", gothic);
    Loaded b(&data, Font("Host", 8));
    EXPECT_EQ(b.logic.Caption(), "...");
    EXPECT_EQ(b.logic.Font(), gothic);
    PropertyStore saved;
    b.logic.SaveProperties(saved, Font("Host", 8));
    EXPECT_EQ(saved.Size(), 2u) << "only caption and font differ from the defaults";
    PropertyStore againstGothic;
    b.logic.SaveProperties(againstGothic, gothic);
    EXPECT_EQ(againstGothic.Size(), 1u);
}

TEST(CommandProperties, ValueOfTheWrongKindFailsOnlyItsStep) {
    PropertyStore data;
    data.Set("FontColour", std::string("red"));
    data.Set("FirstRun", int64_t{300});
    data.Set("Enabled", std::string("maybe"));
    data.Set("Visible", int64_t{0});
    data.Set("Caption", int64_t{42});
    Loaded b(&data);
    EXPECT_EQ(b.logic.CaptionColour(), 0u);
    EXPECT_FALSE(b.logic.Visible());
    EXPECT_EQ(b.logic.Caption(), "42");
    EXPECT_TRUE(b.view.paints.empty()) << "Enabled kept its initial 0, so nothing is painted";
    PropertyStore saved;
    b.logic.SaveProperties(saved, DefaultCaptionFont());
    ASSERT_NE(saved.Find("FirstRun"), nullptr);
    EXPECT_EQ(std::get<int64_t>(*saved.Find("FirstRun")), 0)
        << "out of range: keeps the value it had";
}

TEST(CommandProperties, NeverLoadedButtonTurnsOnAtItsFirstSizeAndKeepsCaptionBlack) {
    Loaded b(nullptr);
    b.logic.SizeChanged();
    EXPECT_EQ(b.view.paints, std::vector<Skin>{Skin::Disable});
    EXPECT_EQ(b.logic.Enabled(), kTrue);
    EXPECT_EQ(b.view.paints, (std::vector<Skin>{Skin::Disable, Skin::Normal}));
    b.logic.SetFontColour(0x0000FF);
    EXPECT_EQ(b.logic.CaptionColour(), 0x0000FFu) << "the first Enabled read set FirstRun";

    Loaded never(nullptr);
    never.logic.SetEnabled(kTrue);
    never.logic.SetFontColour(0x0000FF);
    EXPECT_EQ(never.logic.CaptionColour(), 0u) << "FirstRun 0: every refresh resets to black";
    PropertyStore empty;
    Loaded loaded(&empty);
    loaded.logic.SetFontColour(0x0000FF);
    EXPECT_EQ(loaded.logic.FontColour(), 0x0000FFu);
}

TEST(CommandProperties, ReadsRepaintAndAssignmentsTouchOnlyTheirTarget) {
    PropertyStore empty;
    Loaded b(&empty);
    b.logic.Initialize();
    b.logic.MouseMove();
    b.view.paints.clear();
    EXPECT_TRUE(b.logic.Visible());
    b.logic.FontColour();
    EXPECT_EQ(b.logic.Enabled(), kTrue);
    EXPECT_EQ(b.view.paints, (std::vector<Skin>{Skin::Normal, Skin::Normal, Skin::Normal}));
    EXPECT_EQ(b.logic.State(), kStateHighLight) << "a read does not change the state";
    EXPECT_EQ(b.logic.Caption(), "Command1");
    EXPECT_EQ(b.view.paints.size(), 3u) << "reading the caption does not repaint";

    b.logic.MouseLeave();
    b.view.paints.clear();
    EXPECT_FALSE(b.logic.PropertiesChanged());
    b.logic.SetCaption("New");
    b.logic.SetVisible(false);
    EXPECT_TRUE(b.view.paints.empty()) << "caption and visibility leave the face alone";
    EXPECT_TRUE(b.logic.PropertiesChanged());
    EXPECT_FALSE(b.logic.Visible());
    EXPECT_EQ(b.logic.Enabled(), kTrue);
    EXPECT_EQ(b.logic.Caption(), "New");
    EXPECT_EQ(b.logic.State(), kStateNormal);
    PropertyStore saved;
    b.logic.SaveProperties(saved, DefaultCaptionFont());
    EXPECT_FALSE(b.logic.PropertiesChanged());
    ASSERT_NE(saved.Find("visible"), nullptr);
    EXPECT_EQ(std::get<int64_t>(*saved.Find("visible")), 0);
}

} // namespace
} // namespace orvanne
