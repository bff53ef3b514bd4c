// What the renderer makes of keys and the mouse besides Esc and Tab.
#pragma once

#include <cstdint>

namespace orvanne {

enum InputKind : int32_t {
    input_button_press = 0,
    input_button_release = 1,
    input_mouse_move = 2,
    input_key_release = 4,
};

// The button code of a mouse move from its key-state flags (1 left, 2 right, as the
// platform gives them): 0 for the left button alone, 1 for the right alone, else -1.
int32_t mouse_move_code(uint64_t key_state);

// Whether the overlay is shown after an input: only a released Space flips it.
bool overlay_after_input(bool show_fps, int32_t kind, int32_t code);

} // namespace orvanne
