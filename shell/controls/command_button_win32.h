// The Command push button: a child window that paints its own themed face and tells its
// parent of a click with WM_COMMAND (BN_CLICKED, the control id, the button's window).
//
// Texts (caption, font name) are Shift-JIS (code page 932) bytes, whatever the system's
// code page. Geometry is in twips at the screen's real resolution (15 twips a pixel at
// 96 dpi).
//
// Link the object library `command_button` straight into the program: it carries the skin
// pictures as resources.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "command_properties.h"

namespace orvanne {

// Registers the window class once per process; true when it is (or already was) registered.
bool RegisterCommandClass(HINSTANCE instance);

struct CommandPlacement {
    int id = 0;                                   // control id in WM_COMMAND
    int left = 0, top = 0, width = 0, height = 0; // twips, in the parent's client area
};

// Creates a button from the host's stored values (keys "Caption", "Font", ... in any
// case). store null: a button created without a store (disabled until Enabled is read or
// set). ambient is the host's font, the default of "Font".
HWND CreateCommand(HWND parent, const CommandPlacement& place, const PropertyStore* store,
                   const FontDesc& ambient = DefaultCaptionFont());

// Creates a button whose stored values are only a caption and a font, as a form stores
// its buttons.
HWND CreateCommand(HWND parent, const CommandPlacement& place, const std::string& caption,
                   const FontDesc& font = DefaultCaptionFont());

// Normal look and the pointer-leave poll on. Call once the form is loaded.
void CommandInitialize(HWND button);

// Enabled: a disabled button paints its Disable look and raises no Click. Reading also
// repaints (and enables a button created without a store, the first time).
bool CommandGetEnabled(HWND button);
void CommandSetEnabled(HWND button, bool enabled);

} // namespace orvanne
