// Elapsed time from a performance counter, and the frame-rate measurement built on it.
// The counter is an interface so that the arithmetic can be fed made-up readings.
#pragma once

#include <cstdint>

namespace orvanne {

class Counter {
  public:
    virtual ~Counter() = default;
    virtual int64_t now() = 0;
    virtual int64_t frequency() = 0;
};

struct Stopwatch {
    int64_t start = 0;
    int64_t frequency = 0; // zero until the first restart
};

// Seconds since the last restart (0 before the first one). With restart set it then
// takes a fresh frequency and a fresh start reading, in that order.
float stopwatch_read(Stopwatch& watch, bool restart, Counter& counter);

// How often frames are finished, measured over windows of at least 0.2 seconds.
struct FrameRate {
    float fps = 0.0f; // 0 until the first measurement after a restart
    int32_t frame_count = 0;
    Stopwatch stopwatch;
};

// Forgets the rate and starts a new measurement window (after every resize).
void restart_frame_rate(FrameRate& rate, Counter& counter);

// Counts one finished frame; once the window has lasted 0.2 seconds, fps becomes the
// frames counted over the time elapsed and a new window starts.
void count_frame(FrameRate& rate, Counter& counter);

} // namespace orvanne
