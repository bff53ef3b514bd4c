#include "renderer_watch.h"

namespace orvanne {

bool RendererWatch::RunIsOver(bool windowFound, bool running, uint32_t nowMs) {
    if (windowFound) {
        seen_ = true;
        return false;
    }
    if (seen_ || !started_ || !running)
        return true;
    // Unsigned difference: correct across a wrap of the counter.
    return nowMs - startMs_ >= kFirstWindowLimitMs;
}

} // namespace orvanne
