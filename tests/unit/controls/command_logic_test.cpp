#include "command_logic.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orvanne {
namespace {

const char* Name(Skin s) {
    static const char* names[] = {"Normal",   "HighLight",       "Pressed",
                                  "Selected", "HighLightSelect", "Disable"};
    return names[static_cast<int>(s)];
}

// Records every face painting as "Skin" or "Skin/rev" (reversed gradient) and each Click.
class FakeView : public CommandView {
  public:
    CommandLogic* logic = nullptr;
    std::vector<std::string> paints;
    int clicks = 0;
    int captionChanges = 0;

    void PaintFace() override {
        paints.push_back(std::string(Name(logic->PaintedSkin())) +
                         (logic->GradientReversed() ? "/rev" : ""));
    }
    void CaptionChanged() override { ++captionChanges; }
    void RaiseClick() override { ++clicks; }

    std::vector<std::string> Take() { return std::exchange(paints, {}); }
};

using Paints = std::vector<std::string>;

// A button as the settings dialog has it: loaded from a store without keys, initialised.
struct Button {
    FakeView view;
    CommandLogic logic{view};
    Button() {
        view.logic = &logic;
        logic.LoadProperties(PropertyStore{}, DefaultCaptionFont());
        logic.SizeChanged();
        logic.Initialize();
        view.Take();
    }
};

TEST(CommandStates, WorkedClickOnAnUnfocusedButton) {
    Button b;
    b.logic.MouseMove();
    EXPECT_EQ(b.logic.State(), kStateHighLight);
    EXPECT_EQ(b.view.Take(), Paints{"HighLight/rev"});

    b.logic.FocusGained();
    EXPECT_EQ(b.logic.State(), kStateHighLightSelect);
    b.logic.MouseDown(kLeftButton);
    EXPECT_TRUE(b.logic.MouseHeld());
    EXPECT_EQ(b.view.Take(), (Paints{"Pressed/rev", "Pressed/rev"}));

    b.logic.MouseUp(kLeftButton);
    EXPECT_FALSE(b.logic.MouseHeld());
    // Reached from HighLight, HighLightSelect keeps white at the bottom.
    EXPECT_EQ(b.view.Take(), Paints{"HighLightSelect/rev"});
    EXPECT_EQ(b.view.clicks, 1);
}

TEST(CommandStates, DragOffWhileHeldRaisesNoClick) {
    Button b;
    b.logic.MouseMove();
    b.logic.FocusGained();
    b.logic.MouseDown(kLeftButton);
    b.view.Take();

    b.logic.MouseLeave();
    EXPECT_EQ(b.logic.State(), kStateSelected);
    EXPECT_EQ(b.view.Take(), Paints{"Selected"});
    // Coming back while still held does not help.
    b.logic.MouseMove();
    EXPECT_EQ(b.logic.State(), kStateSelected);
    b.logic.MouseUp(kLeftButton);
    EXPECT_EQ(b.view.clicks, 0);
    EXPECT_TRUE(b.view.Take().empty());

    // After the release the next move lights the focused button, gradient the normal way.
    b.logic.MouseMove();
    EXPECT_EQ(b.logic.State(), kStateHighLightSelect);
    EXPECT_EQ(b.view.Take(), Paints{"HighLightSelect"});
}

TEST(CommandStates, OtherButtonsPaintNothingButClickUnlessSelected) {
    Button b;
    b.logic.MouseMove();
    b.view.Take();
    for (int16_t button : {kRightButton, kMiddleButton}) {
        b.logic.MouseDown(button);
        EXPECT_FALSE(b.logic.MouseHeld());
        b.logic.MouseUp(button);
    }
    EXPECT_TRUE(b.view.Take().empty());
    EXPECT_EQ(b.view.clicks, 2);

    b.logic.MouseLeave();
    b.logic.FocusGained();
    ASSERT_EQ(b.logic.State(), kStateSelected);
    b.logic.MouseUp(kRightButton);
    EXPECT_EQ(b.view.clicks, 2) << "no Click in state Selected";
}

TEST(CommandStates, DisabledButtonIgnoresEverything) {
    Button b;
    b.logic.MouseMove();
    b.view.Take();
    b.logic.SetEnabled(kFalse);
    EXPECT_EQ(b.view.Take(), Paints{"Disable/rev"});
    EXPECT_FALSE(b.logic.CaptionEnabled());

    b.logic.MouseMove();
    b.logic.MouseLeave();
    b.logic.FocusGained();
    b.logic.MouseDown(kLeftButton);
    b.logic.MouseUp(kLeftButton);
    b.logic.MouseUp(kRightButton);
    b.logic.FocusLost();
    EXPECT_TRUE(b.view.Take().empty());
    EXPECT_EQ(b.view.clicks, 0);
    EXPECT_EQ(b.logic.State(), kStateHighLight);
    EXPECT_FALSE(b.logic.MouseHeld());

    // Enabled again: Normal whatever the state; the next transition brings the look back.
    b.logic.SetEnabled(kTrue);
    EXPECT_EQ(b.view.Take(), Paints{"Normal/rev"});
    EXPECT_TRUE(b.logic.CaptionEnabled());
    b.logic.MouseLeave();
    EXPECT_EQ(b.view.Take(), Paints{"Normal"});
}

TEST(CommandStates, OnlyExactlyTrueRaisesClick) {
    Button b;
    b.logic.SetEnabled(1);
    b.logic.MouseMove();
    EXPECT_EQ(b.logic.State(), kStateHighLight) << "non-zero still enables the handlers";
    b.logic.MouseUp(kLeftButton);
    EXPECT_EQ(b.view.clicks, 0);
}

TEST(CommandStates, PointerAndFocusLooks) {
    Button b;
    // Plain movement repaints nothing.
    b.logic.MouseMove();
    b.logic.MouseMove();
    EXPECT_EQ(b.view.Take(), Paints{"HighLight/rev"});
    // An unfocused button shows Normal once the pointer leaves.
    b.logic.MouseLeave();
    EXPECT_EQ(b.logic.State(), kStateNormal);
    EXPECT_EQ(b.view.Take(), Paints{"Normal"});
    b.logic.MouseLeave();
    EXPECT_TRUE(b.view.Take().empty());

    // Focus by keyboard away from the pointer, then the pointer enters and leaves.
    b.logic.FocusGained();
    EXPECT_EQ(b.view.Take(), Paints{"Selected"});
    b.logic.MouseMove();
    EXPECT_EQ(b.view.Take(), Paints{"HighLightSelect"}) << "entered from Selected: white on top";
    b.logic.MouseLeave();
    EXPECT_EQ(b.logic.State(), kStateSelected);
    b.logic.FocusLost();
    EXPECT_EQ(b.logic.State(), kStateNormal);
    EXPECT_EQ(b.view.Take(), (Paints{"Selected", "Normal"}));
    b.logic.FocusLost();
    EXPECT_TRUE(b.view.Take().empty());
}

TEST(CommandStates, ReleaseOverUnfocusedButtonPaintsNormalButStaysLit) {
    Button b;
    b.logic.MouseMove();
    b.logic.MouseDown(kLeftButton);
    b.logic.MouseUp(kLeftButton);
    EXPECT_EQ(b.view.Take(), (Paints{"HighLight/rev", "Pressed/rev", "Normal/rev"}));
    EXPECT_EQ(b.view.clicks, 1);
    EXPECT_EQ(b.logic.State(), kStateHighLight);
    b.logic.MouseMove();
    EXPECT_TRUE(b.view.Take().empty());
}

TEST(CommandStates, BeforeInitializeOnlyFocusCounts) {
    FakeView view;
    CommandLogic logic(view);
    view.logic = &logic;
    logic.LoadProperties(PropertyStore{}, DefaultCaptionFont());
    EXPECT_FALSE(logic.TimerOn());
    view.Take();
    logic.MouseMove();
    logic.MouseLeave();
    EXPECT_EQ(logic.State(), kStateUninitialised);
    logic.FocusGained();
    EXPECT_EQ(logic.State(), kStateSelected);
    logic.FocusLost();
    EXPECT_EQ(logic.State(), kStateNormal);
    EXPECT_EQ(view.Take(), (Paints{"Selected", "Normal"}));
    logic.Initialize();
    EXPECT_TRUE(logic.TimerOn());
    EXPECT_TRUE(view.Take().empty()) << "Initialize does not repaint";
}

// The host may destroy the button inside its Click handler.
class DestroyingView : public CommandView {
  public:
    std::unique_ptr<CommandLogic> owned;
    int clicks = 0;
    void PaintFace() override {}
    void CaptionChanged() override {}
    void RaiseClick() override {
        ++clicks;
        owned.reset();
    }
};

TEST(CommandStates, ClickHandlerMayDestroyTheButton) {
    DestroyingView view;
    view.owned = std::make_unique<CommandLogic>(view);
    CommandLogic* logic = view.owned.get();
    logic->LoadProperties(PropertyStore{}, DefaultCaptionFont());
    logic->Initialize();
    logic->MouseMove();
    logic->FocusGained();
    logic->MouseDown(kLeftButton);
    logic->MouseUp(kLeftButton); // built with AddressSanitizer: a later touch would fault
    EXPECT_EQ(view.clicks, 1);
    EXPECT_EQ(view.owned, nullptr);
}

} // namespace
} // namespace orvanne
