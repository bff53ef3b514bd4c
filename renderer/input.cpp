#include "input.h"

namespace orvanne {

int32_t mouse_move_code(uint64_t key_state) {
    if (key_state == 1)
        return 0;
    if (key_state == 2)
        return 1;
    return -1;
}

bool overlay_after_input(bool show_fps, int32_t kind, int32_t code) {
    return kind == input_key_release && code == 32 ? !show_fps : show_fps;
}

} // namespace orvanne
