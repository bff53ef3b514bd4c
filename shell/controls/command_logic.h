// The Command button without its window: states and their transitions, which skin each
// event paints, the public properties and their persistence.
#pragma once

#include <cstdint>
#include <string>

#include "command_properties.h"

namespace orvanne {

// The six skin pictures, in resource order.
enum class Skin : uint8_t { Normal, HighLight, Pressed, Selected, HighLightSelect, Disable };
constexpr int kSkinCount = 6;

// ButtonState values; the names are those of the skins.
enum : uint8_t {
    kStateUninitialised = 0,
    kStateNormal = 1,
    kStateHighLight = 2,
    kStateSelected = 3,
    kStateHighLightSelect = 4,
};

// Mouse buttons as the handlers number them.
enum : int16_t { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

// The host's 16-bit Booleans, as Enabled takes and stores them.
constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

// What the logic asks of its window.
class CommandView {
  public:
    virtual ~CommandView() = default;
    // Show the face now as PaintedSkin() and GradientReversed() describe it.
    virtual void PaintFace() = 0;
    // The caption's text, font, colour or enabled look changed.
    virtual void CaptionChanged() = 0;
    // The host's handler may destroy the button before this returns.
    virtual void RaiseClick() = 0;
};

class CommandLogic {
  public:
    explicit CommandLogic(CommandView& view) : view_(view) {}

    // Handlers. Mouse events from the caption arrive here too.
    void MouseDown(int16_t button);
    void MouseMove();
    void MouseUp(int16_t button); // may raise Click as its last step
    void FocusGained();
    void FocusLost();
    void MouseLeave();
    void SizeChanged() { ShowEnabledState(); }

    // Public face.
    void Initialize();
    void SetVisible(bool visible);
    bool Visible();
    void SetFontColour(uint32_t colour);
    uint32_t FontColour();
    void SetEnabled(int16_t enabled);
    int16_t Enabled();
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    const FontDesc& Font() const { return font_; }
    void SetFont(FontDesc font);

    // The host's property store.
    void LoadProperties(const PropertyStore& store, const FontDesc& ambient);
    void SaveProperties(PropertyStore& store, const FontDesc& ambient);

    // What the window shows and needs.
    uint8_t State() const { return state_; }
    bool TimerOn() const { return timerOn_; }
    Skin PaintedSkin() const { return painted_; }
    bool GradientReversed() const { return gradientReversed_; }
    bool CaptionEnabled() const { return captionEnabled_; }
    uint32_t CaptionColour() const { return colour_; }

  private:
    void DrawButton(Skin skin);
    void ShowEnabledState();
    void RefreshButton();
    void SetCaptionEnabled(bool enabled);

    CommandView& view_;
    uint8_t state_ = kStateUninitialised;
    bool mouseHeld_ = false;
    bool gradientReversed_ = false;
    // As the host reads and stores it: only exactly kTrue raises Click.
    int16_t enabled_ = kFalse;
    uint8_t firstRun_ = 0;
    bool timerOn_ = false;
    Skin painted_ = Skin::Normal;
    // The caption label.
    std::string caption_;
    FontDesc font_ = DefaultCaptionFont();
    uint32_t colour_ = 0;
    bool captionEnabled_ = true;
    // 1 opaque, 0 transparent.
    int16_t backStyle_ = 1;
};

} // namespace orvanne
