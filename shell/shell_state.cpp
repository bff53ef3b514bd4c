#include "shell_state.h"

namespace orvanne {

ShellState& Shell() {
    static ShellState state;
    return state;
}

} // namespace orvanne
