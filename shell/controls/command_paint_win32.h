// Painting of a Command button's face, apart from its window, so that a look can be drawn
// into a memory bitmap and checked.
#pragma once

#include <windows.h>

#include <string>

#include "command_logic.h"

namespace orvanne {

// The six skin pictures, shared by every button of the process.
struct CommandSkins {
    HBITMAP picture[kSkinCount] = {};
};

// Loads the skins from the program's resources; a missing one leaves its frame undrawn.
void LoadCommandSkins(HINSTANCE instance, CommandSkins& skins);

struct CommandLook {
    Skin skin = Skin::Normal;
    bool gradientReversed = false;
    std::string caption;
    HFONT font = nullptr;
    COLORREF colour = 0;
    bool captionEnabled = true;
    int dpi = 96; // vertical, for the caption's placement
};

// Draws the whole face over rect's size at rect's top-left corner of dc: background,
// gradient, the skin's frame and the caption.
void PaintCommandFace(HDC dc, const RECT& rect, const CommandLook& look, const CommandSkins& skins);

} // namespace orvanne
