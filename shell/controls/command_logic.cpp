#include "command_logic.h"

#include <cstdint>

namespace orvanne {

namespace {

// Keys and defaults of the persisted values. Writing and reading defaults of the caption
// differ, so a caption equal to the writing default comes back as the reading one.
constexpr char kKeyEnabled[] = "Enabled";
constexpr char kKeyCaption[] = "Caption";
constexpr char kKeyFirstRun[] = "FirstRun";
constexpr char kKeyFont[] = "Font";
constexpr char kKeyFontColour[] = "FontColour";
constexpr char kKeyVisible[] = "Visible";
constexpr char kCaptionWriteDefault[] = "Command";
constexpr char kCaptionReadDefault[] = "Command1";

} // namespace

void CommandLogic::DrawButton(Skin skin) {
    // State 4 (and 0) keeps the direction the previous painting left.
    if (state_ == kStateNormal || state_ == kStateSelected)
        gradientReversed_ = false;
    else if (state_ == kStateHighLight)
        gradientReversed_ = true;
    painted_ = skin;
    view_.PaintFace();
}

void CommandLogic::SetCaptionEnabled(bool enabled) {
    if (captionEnabled_ == enabled)
        return;
    captionEnabled_ = enabled;
    view_.CaptionChanged();
}

void CommandLogic::ShowEnabledState() {
    if (enabled_ != kFalse) {
        DrawButton(Skin::Normal);
        SetCaptionEnabled(true);
    } else {
        DrawButton(Skin::Disable);
        SetCaptionEnabled(false);
    }
}

void CommandLogic::RefreshButton() {
    if (enabled_ == kFalse)
        return;
    SetCaptionEnabled(true);
    if (firstRun_ == 0 && colour_ != 0) {
        colour_ = 0;
        view_.CaptionChanged();
    }
    DrawButton(Skin::Normal);
}

void CommandLogic::MouseMove() {
    if (enabled_ == kFalse)
        return;
    if (state_ == kStateNormal) {
        state_ = kStateHighLight;
        DrawButton(Skin::HighLight);
    }
    if (state_ == kStateSelected && !mouseHeld_) {
        state_ = kStateHighLightSelect;
        DrawButton(Skin::HighLightSelect);
    }
}

void CommandLogic::MouseLeave() {
    if (enabled_ == kFalse)
        return;
    if (state_ == kStateHighLight) {
        state_ = kStateNormal;
        DrawButton(Skin::Normal);
    }
    if (state_ == kStateHighLightSelect) {
        state_ = kStateSelected;
        DrawButton(Skin::Selected);
    }
}

void CommandLogic::FocusGained() {
    if (enabled_ == kFalse)
        return;
    if (state_ != kStateHighLight) {
        state_ = kStateSelected;
        DrawButton(Skin::Selected);
    } else {
        state_ = kStateHighLightSelect;
        DrawButton(Skin::Pressed);
    }
}

void CommandLogic::FocusLost() {
    if (enabled_ == kFalse)
        return;
    if (state_ != kStateNormal) {
        state_ = kStateNormal;
        DrawButton(Skin::Normal);
    }
}

void CommandLogic::MouseDown(int16_t button) {
    if (enabled_ == kFalse || button != kLeftButton)
        return;
    DrawButton(Skin::Pressed);
    mouseHeld_ = true;
}

void CommandLogic::MouseUp(int16_t button) {
    if (enabled_ == kFalse)
        return;
    if (button == kLeftButton) {
        if (state_ == kStateHighLight)
            DrawButton(Skin::Normal);
        else if (state_ == kStateHighLightSelect)
            DrawButton(Skin::HighLightSelect);
        mouseHeld_ = false;
    }
    // Any button; exactly true, not merely non-zero.
    if (state_ != kStateSelected && enabled_ == kTrue)
        view_.RaiseClick();
}

void CommandLogic::Initialize() {
    state_ = kStateNormal;
    timerOn_ = true;
}

void CommandLogic::SetVisible(bool visible) {
    if (visible) {
        backStyle_ = 1;
        RefreshButton();
    } else {
        backStyle_ = 0;
    }
}

bool CommandLogic::Visible() {
    if (backStyle_ == 0)
        return false;
    RefreshButton();
    return true;
}

void CommandLogic::SetFontColour(uint32_t colour) {
    if (colour_ != colour) {
        colour_ = colour;
        view_.CaptionChanged();
    }
    RefreshButton();
}

uint32_t CommandLogic::FontColour() {
    const uint32_t colour = colour_;
    RefreshButton();
    return colour;
}

int16_t CommandLogic::Enabled() {
    if (firstRun_ == 0) {
        RefreshButton();
        firstRun_ = 1;
        enabled_ = kTrue;
    }
    const int16_t result = enabled_;
    ShowEnabledState();
    return result;
}

void CommandLogic::SetEnabled(int16_t enabled) {
    enabled_ = enabled;
    ShowEnabledState();
}

void CommandLogic::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    view_.CaptionChanged();
}

void CommandLogic::SetFont(FontDesc font) {
    font_ = std::move(font);
    view_.CaptionChanged();
}

void CommandLogic::LoadProperties(const PropertyStore& store, const FontDesc& ambient) {
    // Each value stands alone: one of the wrong kind keeps the member as it was.
    if (auto v = AsBoolean(store.Read(kKeyEnabled, int64_t{kTrue})))
        enabled_ = *v;
    if (auto v = AsText(store.Read(kKeyCaption, std::string(kCaptionReadDefault))))
        caption_ = *v;
    if (auto v = AsFont(store.Read(kKeyFont, ambient)))
        font_ = *v;
    if (auto v = AsInteger(store.Read(kKeyFirstRun, std::string("1")), 0, UINT8_MAX))
        firstRun_ = static_cast<uint8_t>(*v);
    if (auto v = AsInteger(store.Read(kKeyFontColour, std::string("0")), INT32_MIN, UINT32_MAX))
        colour_ = static_cast<uint32_t>(*v);
    if (auto v = AsInteger(store.Read(kKeyVisible, std::string("1")), INT16_MIN, INT16_MAX))
        backStyle_ = static_cast<int16_t>(*v);
    view_.CaptionChanged();
    RefreshButton();
}

void CommandLogic::SaveProperties(PropertyStore& store, const FontDesc& ambient) {
    store.Write(kKeyEnabled, int64_t{enabled_}, int64_t{kTrue});
    store.Write(kKeyCaption, caption_, std::string(kCaptionWriteDefault));
    store.Write(kKeyFirstRun, int64_t{firstRun_}, std::string("1"));
    store.Write(kKeyFont, font_, ambient);
    // Stored as the signed 32-bit value the host's integers hold.
    store.Write(kKeyFontColour, int64_t{static_cast<int32_t>(colour_)}, std::string("0"));
    store.Write(kKeyVisible, int64_t{backStyle_}, std::string("1"));
    RefreshButton();
}

} // namespace orvanne
