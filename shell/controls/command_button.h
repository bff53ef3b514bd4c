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

// Window class name of the control.
extern const char kCommandClassName[]; // "Vellis.Command"

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

std::string CommandGetCaption(HWND button);
void CommandSetCaption(HWND button, const std::string& caption);

FontDesc CommandGetFont(HWND button);
void CommandSetFont(HWND button, const FontDesc& font);

// Caption colour, red in the low byte (a COLORREF). Reading repaints the face.
uint32_t CommandGetFontColour(HWND button);
void CommandSetFontColour(HWND button, uint32_t colour);

// Visible is the background style (opaque or transparent), not the window's visibility.
bool CommandGetVisible(HWND button);
void CommandSetVisible(HWND button, bool visible);

// Writes the persisted values back into store; PropertiesChanged tells whether a
// persisted value changed since the button was created or last saved.
void CommandSaveProperties(HWND button, PropertyStore& store,
                           const FontDesc& ambient = DefaultCaptionFont());
bool CommandPropertiesChanged(HWND button);

} // namespace orvanne
