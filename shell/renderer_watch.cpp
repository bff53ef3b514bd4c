#include "renderer_watch.h"

namespace orvanne {

bool RendererWatch::RunIsOver(bool windowFound, bool running, uint32_t nowMs) {
    if (windowFound) {
        seen_ = true;
        missing_ = false;
        return false;
    }
    // An ended process shows no window again.
    if (!started_ || !running)
        return true;
    // Unsigned differences: correct across a wrap of the counter.
    if (!seen_)
        return nowMs - startMs_ >= kFirstWindowLimitMs;
    if (!missing_) {
        missing_ = true;
        missedSinceMs_ = nowMs;
    }
    return nowMs - missedSinceMs_ >= kGoneAfterMs;
}

} // namespace orvanne
