#include "command_logic.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>

using namespace orvanne;

namespace {

// A button and its window: records every face painted as "Skin" or "Skin/rev" (reversed
// gradient) and each Click. owned stands for a host that destroys the button on Click.
struct Button : CommandView {
    CommandLogic logic{*this};
    CommandLogic* shown = &logic; // the logic that paints
    std::unique_ptr<CommandLogic> owned;
    std::string paints;
    int clicks = 0;

    explicit Button(const PropertyStore* store, const FontDesc& ambient = DefaultCaptionFont()) {
        if (store)
            logic.LoadProperties(*store, ambient);
    }
    void PaintFace() override {
        static const char* names[] = {"Normal",   "HighLight",       "Pressed",
                                      "Selected", "HighLightSelect", "Disable"};
        paints += std::string(paints.empty() ? "" : " ") +
                  names[static_cast<int>(shown->PaintedSkin())] +
                  (shown->GradientReversed() ? "/rev" : "");
    }
    void CaptionChanged() override {}
    void RaiseClick() override {
        ++clicks;
        owned.reset();
    }
};

void Send(CommandLogic& logic, const std::string& events) {
    static const std::map<std::string, std::function<void(CommandLogic&)>> kEvents = {
        {"move", [](CommandLogic& l) { l.MouseMove(); }},
        {"leave", [](CommandLogic& l) { l.MouseLeave(); }},
        {"focus", [](CommandLogic& l) { l.FocusGained(); }},
        {"blur", [](CommandLogic& l) { l.FocusLost(); }},
        {"down", [](CommandLogic& l) { l.MouseDown(kLeftButton); }},
        {"up", [](CommandLogic& l) { l.MouseUp(kLeftButton); }},
        {"rdown", [](CommandLogic& l) { l.MouseDown(kRightButton); }},
        {"rup", [](CommandLogic& l) { l.MouseUp(kRightButton); }},
        {"mdown", [](CommandLogic& l) { l.MouseDown(kMiddleButton); }},
        {"mup", [](CommandLogic& l) { l.MouseUp(kMiddleButton); }},
        {"disable", [](CommandLogic& l) { l.SetEnabled(kFalse); }},
        {"enable", [](CommandLogic& l) { l.SetEnabled(kTrue); }},
        {"enable1", [](CommandLogic& l) { l.SetEnabled(1); }},
        {"visible?", [](CommandLogic& l) { l.Visible(); }},
        {"colour?", [](CommandLogic& l) { l.FontColour(); }},
        {"enabled?", [](CommandLogic& l) { l.Enabled(); }},
        {"caption=", [](CommandLogic& l) { l.SetCaption("New"); }},
        {"hide", [](CommandLogic& l) { l.SetVisible(false); }},
        {"init", [](CommandLogic& l) { l.Initialize(); }}};
    std::istringstream in(events);
    for (std::string e; in >> e;)
        kEvents.at(e)(logic);
}

const PropertyStore kEmpty;

// Events in order, every face they paint, and the state and Clicks at the end. Whether the
// mouse is still held shows in what a move does after it left and came back.
const std::tuple<const char*, const char*, uint8_t, int> kCases[] = {
    // A worked click; from HighLight, HighLightSelect keeps white at the bottom.
    {"init move focus down up", "HighLight/rev Pressed/rev Pressed/rev HighLightSelect/rev",
     kStateHighLightSelect, 1},
    // Dragged off while held: no Click; the next move lights it, gradient the normal way.
    {"init move focus down leave move up move",
     "HighLight/rev Pressed/rev Pressed/rev Selected HighLightSelect", kStateHighLightSelect, 0},
    // Released unfocused: Normal, still lit; other buttons paint nothing, click unless Selected.
    {"init move down up move rdown rup mdown mup leave focus rup",
     "HighLight/rev Pressed/rev Normal/rev Normal Selected", kStateSelected, 3},
    // Disabled, it ignores everything; enabled again it shows Normal until the next transition.
    {"init move disable move leave focus down up rup blur enable leave",
     "HighLight/rev Disable/rev Normal/rev Normal", kStateNormal, 0},
    // Only exactly True raises Click; any non-zero still enables the handlers.
    {"init enable1 move up", "Normal HighLight/rev Normal/rev", kStateHighLight, 0},
    // Plain moves and a second leave or blur repaint nothing; keyboard focus, then the pointer.
    {"init move move leave leave focus move leave blur blur",
     "HighLight/rev Normal Selected HighLightSelect Selected Normal", kStateNormal, 0},
    // Reading Visible, FontColour or Enabled repaints Normal; caption, hide, hidden Visible not.
    {"init move visible? colour? enabled? caption= hide visible?",
     "HighLight/rev Normal/rev Normal/rev Normal/rev", kStateHighLight, 0},
    // Before Initialize only focus counts.
    {"move leave focus blur", "Selected Normal", kStateNormal, 0},
};

TEST(CommandStates, EventsGiveTheirPaintsStateAndClicksAndAClickMayDestroyTheButton) {
    for (auto [events, paints, state, clicks] : kCases) {
        SCOPED_TRACE(events);
        // As the settings dialog has it: loaded from a store without keys, then sized.
        Button b(&kEmpty);
        b.logic.SizeChanged();
        b.paints.clear();
        Send(b.logic, events);
        // Initialize starts the leave-poll timer and repaints nothing.
        EXPECT_EQ(b.logic.TimerOn(), std::string(events).rfind("init", 0) == 0);
        EXPECT_EQ(std::make_tuple(b.paints, int(b.logic.State()), b.clicks),
                  std::make_tuple(std::string(paints), int(state), clicks));
    }
    Button host(nullptr);
    host.owned = std::make_unique<CommandLogic>(host);
    host.shown = host.owned.get();
    // Built with AddressSanitizer: a touch after the Click would fault.
    Send(*host.shown, "init enable move focus down up");
    EXPECT_EQ(host.clicks, 1);
}

TEST(CommandProperties, LoadedWithoutKeysSavesNothingAndRoundTripsWhatDiffers) {
    Button b(&kEmpty, FontDesc{"Host", 12});
    EXPECT_EQ(b.paints, "Normal") << "loading ends with a Normal repaint";
    b.logic.SetFontColour(0x0000FF);
    EXPECT_EQ(b.logic.FontColour(), 0x0000FFu) << "loaded with FirstRun 1, the colour stays";
    EXPECT_TRUE(b.logic.Enabled() == kTrue && b.logic.Visible());
    EXPECT_EQ(b.logic.Font(), (FontDesc{"Host", 12})) << "the host's font by default";
    PropertyStore saved;
    b.logic.SaveProperties(saved, FontDesc{"Host", 12});
    EXPECT_TRUE(saved.Size() == 2 && saved.Find("Caption") && saved.Find("FontColour"));

    // Keys in lower case, as the dialog gives them.
    for (std::string caption : {"Command", "OK", "Command1", ""}) {
        SCOPED_TRACE("caption \"" + caption + "\"");
        PropertyStore data, again, againstGothic;
        data.Set("caption", caption);
        data.Set("font", DefaultCaptionFont());
        Button first(&data, FontDesc{"Host", 8});
        first.logic.SaveProperties(again, FontDesc{"Host", 8});
        first.logic.SaveProperties(againstGothic, DefaultCaptionFont());
        // "Command" is the saving default of the caption: not stored.
        const size_t captionStored = caption != "Command";
        EXPECT_EQ(again.Size(), 1 + captionStored);
        EXPECT_EQ(againstGothic.Size(), captionStored) << "the font equals the host's";
        Button back(&again);
        EXPECT_EQ(back.logic.Caption(), captionStored ? caption : "Command1");
        EXPECT_EQ(back.logic.Font(), DefaultCaptionFont());
    }
}

TEST(CommandProperties, ValueOfTheWrongKindFailsOnlyItsStep) {
    PropertyStore data;
    data.Set("FontColour", std::string("red"));
    data.Set("FirstRun", int64_t{300});
    data.Set("Enabled", std::string("maybe"));
    data.Set("Visible", int64_t{0});
    data.Set("Caption", int64_t{42});
    Button b(&data);
    EXPECT_EQ(b.logic.CaptionColour(), 0u);
    EXPECT_FALSE(b.logic.Visible());
    EXPECT_EQ(b.logic.Caption(), "42");
    EXPECT_EQ(b.paints, "") << "Enabled kept its initial 0, so nothing is painted";
    PropertyStore saved;
    b.logic.SaveProperties(saved, DefaultCaptionFont());
    const PropertyValue absent = std::string("absent"), zero = int64_t{0};
    EXPECT_EQ(saved.Read("firstrun", absent), zero) << "300 is out of range";
    EXPECT_EQ(saved.Read("visible", absent), zero);
}

TEST(CommandProperties, NeverLoadedButtonTurnsOnAtItsFirstEnabledRead) {
    Button b(nullptr);
    b.logic.SizeChanged();
    EXPECT_FALSE(b.logic.CaptionEnabled()) << "greyed with the Disable face";
    EXPECT_EQ(b.logic.Enabled(), kTrue);
    EXPECT_TRUE(b.logic.CaptionEnabled());
    b.logic.SetFontColour(0x0000FF);
    EXPECT_EQ(b.paints, "Disable Normal Normal");
    EXPECT_EQ(b.logic.CaptionColour(), 0x0000FFu) << "the first Enabled read set FirstRun";

    Button never(nullptr);
    never.logic.SetEnabled(kTrue);
    never.logic.SetFontColour(0x0000FF);
    EXPECT_EQ(never.logic.CaptionColour(), 0u) << "FirstRun 0: every refresh resets to black";
}

} // namespace
