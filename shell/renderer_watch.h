// When the run ends, judged from what each 50 ms look at the renderer finds.
#pragma once

#include <cstdint>

namespace orvanne {

class RendererWatch {
  public:
    // A renderer takes far longer than one tick to show its window under Wine and on slow
    // machines, so its disappearance only counts once it has been seen; one that shows no
    // window within this time ends the run.
    static constexpr uint32_t kFirstWindowLimitMs = 10000;

    // On Tab the renderer replaces its window and none exists for a few milliseconds; a
    // window counts as gone only when looks this far apart have all missed it.
    static constexpr uint32_t kGoneAfterMs = 30;

    // startMs: millisecond counter when the renderer was started; started: whether the
    // program could be started at all.
    RendererWatch(uint32_t startMs, bool started) : startMs_(startMs), started_(started) {}

    // One look. windowFound: a window titled "Vellis_VC" exists; running: the renderer
    // process has not ended. True when the run is over.
    bool RunIsOver(bool windowFound, bool running, uint32_t nowMs);

  private:
    uint32_t startMs_;
    bool started_;
    bool seen_ = false;
    bool missing_ = false; // every look since missedSinceMs_ found no window
    uint32_t missedSinceMs_ = 0;
};

} // namespace orvanne
