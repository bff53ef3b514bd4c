#include "stopwatch.h"

namespace orvanne {

float stopwatch_read(Stopwatch& watch, bool restart, Counter& counter) {
    int64_t now = counter.now();
    float seconds = 0.0f;
    if (watch.frequency != 0)
        seconds = static_cast<float>(static_cast<double>(now - watch.start) /
                                     static_cast<double>(watch.frequency));
    if (restart) {
        watch.frequency = counter.frequency();
        watch.start = counter.now();
    }
    return seconds;
}

void restart_frame_rate(FrameRate& rate, Counter& counter) {
    rate.fps = 0.0f;
    rate.frame_count = 0;
    stopwatch_read(rate.stopwatch, true, counter);
}

void count_frame(FrameRate& rate, Counter& counter) {
    ++rate.frame_count;
    if (stopwatch_read(rate.stopwatch, false, counter) >= 0.2f) {
        rate.fps =
            static_cast<float>(rate.frame_count) / stopwatch_read(rate.stopwatch, true, counter);
        rate.frame_count = 0;
    }
}

} // namespace orvanne
