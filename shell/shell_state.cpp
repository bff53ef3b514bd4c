#include "shell_state.h"

namespace orvanne {

ShellState shell;

} // namespace orvanne
