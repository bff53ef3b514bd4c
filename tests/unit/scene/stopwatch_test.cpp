#include "stopwatch.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <stdexcept>
#include <vector>

namespace {

// Gives the listed counter readings in turn and a fixed frequency, and counts the calls.
class FakeCounter : public stars::Counter {
  public:
    FakeCounter(std::vector<int64_t> readings, int64_t frequency)
        : readings_(std::move(readings)), frequency_(frequency) {}
    int64_t now() override {
        if (taken_ == readings_.size())
            throw std::runtime_error("counter script exhausted");
        return readings_[taken_++];
    }
    int64_t frequency() override {
        ++frequency_calls;
        return frequency_;
    }
    std::size_t taken() const { return taken_; }
    int frequency_calls = 0;

  private:
    std::vector<int64_t> readings_;
    std::size_t taken_ = 0;
    int64_t frequency_;
};

} // namespace

TEST(Stopwatch, ReadsZeroBeforeTheFirstRestart) {
    FakeCounter counter({500, 700}, 1000);
    stars::Stopwatch watch;
    EXPECT_EQ(stars::stopwatch_read(watch, false, counter), 0.0f);
    EXPECT_EQ(counter.frequency_calls, 0);
    EXPECT_EQ(stars::stopwatch_read(watch, false, counter), 0.0f);
}

TEST(Stopwatch, RestartTakesFrequencyThenAFreshReading) {
    // read 100 (frequency still 0), restart start=150; read 400 -> 0.25 s; restart at 420.
    FakeCounter counter({100, 150, 400, 420, 520}, 1000);
    stars::Stopwatch watch;
    EXPECT_EQ(stars::stopwatch_read(watch, true, counter), 0.0f);
    EXPECT_EQ(watch.start, 150);
    EXPECT_EQ(watch.frequency, 1000);
    EXPECT_FLOAT_EQ(stars::stopwatch_read(watch, true, counter), 0.25f);
    EXPECT_EQ(watch.start, 420);
    EXPECT_FLOAT_EQ(stars::stopwatch_read(watch, false, counter), 0.1f);
    EXPECT_EQ(counter.taken(), 5u);
}

TEST(Stopwatch, LargeCounterValuesKeepTheirDifference) {
    // A counter that has run for years at 10 MHz: the difference must not be lost.
    const int64_t start = 4'000'000'000'000'000LL;
    FakeCounter counter({0, start, start + 2'500'000}, 10'000'000);
    stars::Stopwatch watch;
    stars::stopwatch_read(watch, true, counter);
    EXPECT_FLOAT_EQ(stars::stopwatch_read(watch, false, counter), 0.25f);
}

TEST(FrameRate, MeasuresFramesOverAtLeastAFifthOfASecond) {
    // Restart at 0, then frames at 0.05 s steps: 4 frames; the 4th reads 0.2 s, and the
    // restarting read a moment later (0.25 s) divides the count.
    FakeCounter counter({0, 0, 50, 100, 150, 200, 250, 260, 300}, 1000);
    stars::FrameRate rate;
    stars::restart_frame_rate(rate, counter);
    EXPECT_EQ(rate.fps, 0.0f);
    for (int n = 0; n < 3; ++n) {
        stars::count_frame(rate, counter);
        EXPECT_EQ(rate.fps, 0.0f) << "no rate before 0.2 s";
    }
    stars::count_frame(rate, counter);
    EXPECT_FLOAT_EQ(rate.fps, 16.0f);
    EXPECT_EQ(rate.frame_count, 0);
    stars::count_frame(rate, counter);
    EXPECT_FLOAT_EQ(rate.fps, 16.0f) << "the rate holds until the next window ends";
    EXPECT_EQ(rate.frame_count, 1);
}

TEST(FrameRate, RestartForgetsTheRate) {
    FakeCounter counter({0, 0, 300, 310, 320, 330, 340, 350}, 1000);
    stars::FrameRate rate;
    stars::restart_frame_rate(rate, counter);
    stars::count_frame(rate, counter);
    EXPECT_GT(rate.fps, 0.0f);
    stars::count_frame(rate, counter); // counted, window not over
    stars::restart_frame_rate(rate, counter);
    EXPECT_EQ(rate.fps, 0.0f);
    EXPECT_EQ(rate.frame_count, 0);
}

TEST(FrameRate, StaysUnmeasuredWithoutACounterFrequency) {
    std::vector<int64_t> readings(100);
    for (std::size_t n = 0; n < readings.size(); ++n)
        readings[n] = static_cast<int64_t>(n) * 1000;
    FakeCounter counter(readings, 0);
    stars::FrameRate rate;
    stars::restart_frame_rate(rate, counter);
    for (int n = 0; n < 90; ++n)
        stars::count_frame(rate, counter);
    EXPECT_EQ(rate.fps, 0.0f);
    EXPECT_EQ(rate.frame_count, 90);
}
