#include "command_logic.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>

namespace orvanne {
namespace {

// Records every face painting as "Skin" or "Skin/rev" (reversed gradient) and each Click.
class FakeView : public CommandView {
  public:
    CommandLogic* logic = nullptr;
    std::string paints;
    int clicks = 0;

    void PaintFace() override {
        static const char* names[] = {"Normal",   "HighLight",       "Pressed",
                                      "Selected", "HighLightSelect", "Disable"};
        paints += std::string(paints.empty() ? "" : " ") +
                  names[static_cast<int>(logic->PaintedSkin())] +
                  (logic->GradientReversed() ? "/rev" : "");
    }
    void CaptionChanged() override {}
    void RaiseClick() override { ++clicks; }
};

// A button as the settings dialog has it: loaded from a store without keys, initialised
// unless asked not to be.
struct Button {
    FakeView view;
    CommandLogic logic{view};
    explicit Button(bool initialize = true) {
        view.logic = &logic;
        logic.LoadProperties(PropertyStore{}, DefaultCaptionFont());
        logic.SizeChanged();
        if (initialize)
            logic.Initialize();
        view.paints.clear();
    }
    void Run(const std::string& events) {
        using L = CommandLogic;
        static const std::map<std::string, std::function<void(L&)>> kEvents = {
            {"move", [](L& l) { l.MouseMove(); }},
            {"leave", [](L& l) { l.MouseLeave(); }},
            {"focus", [](L& l) { l.FocusGained(); }},
            {"blur", [](L& l) { l.FocusLost(); }},
            {"down", [](L& l) { l.MouseDown(kLeftButton); }},
            {"up", [](L& l) { l.MouseUp(kLeftButton); }},
            {"rdown", [](L& l) { l.MouseDown(kRightButton); }},
            {"rup", [](L& l) { l.MouseUp(kRightButton); }},
            {"mdown", [](L& l) { l.MouseDown(kMiddleButton); }},
            {"mup", [](L& l) { l.MouseUp(kMiddleButton); }},
            {"disable", [](L& l) { l.SetEnabled(kFalse); }},
            {"enable", [](L& l) { l.SetEnabled(kTrue); }},
            {"enable1", [](L& l) { l.SetEnabled(1); }},
        };
        std::istringstream in(events);
        for (std::string e; in >> e;) {
            if (e == "|")
                view.paints.clear();
            else
                kEvents.at(e)(logic);
        }
    }
};

// Events in order; the paints are those after the last "|". nullptr: paints not checked.
// Whether the mouse is still held shows in what a move does after it left and came back.
struct Case {
    const char* events;
    const char* paints;
    uint8_t state;
    int clicks;
    bool initialize = true;
};

const Case kCases[] = {
    // A worked click on an unfocused button; from HighLight, HighLightSelect keeps white at
    // the bottom.
    {"move", "HighLight/rev", kStateHighLight, 0},
    {"move | focus down", "Pressed/rev Pressed/rev", kStateHighLightSelect, 0},
    {"move focus down | up", "HighLightSelect/rev", kStateHighLightSelect, 1},
    // Dragged off while held: no Click, even coming back; the next move lights it again,
    // gradient the normal way.
    {"move focus down | leave", "Selected", kStateSelected, 0},
    {"move focus down leave | move up", "", kStateSelected, 0},
    {"move focus down leave move up | move", "HighLightSelect", kStateHighLightSelect, 0},
    // Other mouse buttons paint nothing, are never held, and click unless Selected.
    {"move | rdown", "", kStateHighLight, 0},
    {"move | rdown rup mdown mup", "", kStateHighLight, 2},
    {"move leave focus | rup", "", kStateSelected, 0},
    // A disabled button ignores everything; enabled again it shows Normal whatever its state
    // until the next transition brings the look back.
    {"move | disable", "Disable/rev", kStateHighLight, 0},
    {"move disable | move leave focus down up rup blur", "", kStateHighLight, 0},
    {"move disable leave | enable", "Normal/rev", kStateHighLight, 0},
    {"move disable enable | leave", "Normal", kStateNormal, 0},
    // Only exactly True raises Click; any non-zero still enables the handlers.
    {"enable1 move up", nullptr, kStateHighLight, 0},
    // Plain movement and a second leave or blur repaint nothing; focus from the keyboard
    // away from the pointer, then the pointer in and out.
    {"move move", "HighLight/rev", kStateHighLight, 0},
    {"move move | leave", "Normal", kStateNormal, 0},
    {"move leave | leave", "", kStateNormal, 0},
    {"move leave | focus", "Selected", kStateSelected, 0},
    {"move leave focus | move", "HighLightSelect", kStateHighLightSelect, 0},
    {"move leave focus move | leave", "Selected", kStateSelected, 0},
    {"move leave focus move leave | blur", "Normal", kStateNormal, 0},
    {"move leave focus move leave blur | blur", "", kStateNormal, 0},
    // A release over an unfocused button paints Normal but leaves it lit.
    {"move down up", "HighLight/rev Pressed/rev Normal/rev", kStateHighLight, 1},
    {"move down up | move", "", kStateHighLight, 1},
    // Before Initialize only focus counts.
    {"move leave", "", kStateUninitialised, 0, false},
    {"move leave | focus blur", "Selected Normal", kStateNormal, 0, false},
};

TEST(CommandStates, EventsGiveTheirPaintsStateAndClicks) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.events) + (c.initialize ? "" : " (not initialised)"));
        Button b(c.initialize);
        b.Run(c.events);
        if (c.paints) {
            EXPECT_EQ(b.view.paints, c.paints);
        }
        EXPECT_EQ(int(b.logic.State()), int(c.state));
        EXPECT_EQ(b.view.clicks, c.clicks);
    }
}

TEST(CommandStates, CaptionGreysAndTimerStartsWithTheirSwitch) {
    Button b;
    b.Run("disable");
    EXPECT_FALSE(b.logic.CaptionEnabled());
    b.Run("enable");
    EXPECT_TRUE(b.logic.CaptionEnabled());

    Button late(false);
    EXPECT_FALSE(late.logic.TimerOn());
    late.logic.Initialize();
    EXPECT_TRUE(late.logic.TimerOn());
    EXPECT_EQ(late.view.paints, "") << "Initialize does not repaint";
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
