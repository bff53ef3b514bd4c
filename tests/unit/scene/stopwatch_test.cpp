#include "stopwatch.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

// Gives the listed counter readings in turn, throwing when they run out, and a fixed frequency.
struct FakeCounter : stars::Counter {
    FakeCounter(std::vector<int64_t> list, int64_t hz) : readings(std::move(list)), hz(hz) {}
    int64_t now() override { return readings.at(taken++); }
    int64_t frequency() override { return hz; }
    std::vector<int64_t> readings;
    int64_t hz;
    size_t taken = 0;
};

} // namespace

TEST(Stopwatch, ReadsZeroUntilRestartedThenTimeSinceAFreshReading) {
    // read 100 (not started), restart at 150; read 400 -> 0.25 s, restart at 420; 520 -> 0.1 s.
    FakeCounter counter({500, 100, 150, 400, 420, 520}, 1000);
    stars::Stopwatch watch;
    EXPECT_EQ(stars::stopwatch_read(watch, false, counter), 0.0f);
    EXPECT_EQ(stars::stopwatch_read(watch, true, counter), 0.0f);
    EXPECT_FLOAT_EQ(stars::stopwatch_read(watch, true, counter), 0.25f);
    EXPECT_FLOAT_EQ(stars::stopwatch_read(watch, false, counter), 0.1f);
    EXPECT_EQ(counter.taken, 6u);

    // A counter that has run for years at 10 MHz: the difference must not be lost.
    const int64_t start = 4'000'000'000'000'000LL;
    FakeCounter old({0, start, start + 2'500'000}, 10'000'000);
    stars::Stopwatch late;
    stars::stopwatch_read(late, true, old);
    EXPECT_FLOAT_EQ(stars::stopwatch_read(late, false, old), 0.25f);
}

TEST(FrameRate, MeasuresFramesOverAtLeastAFifthOfASecondAndForgetsOnRestart) {
    // Counter readings in ms; a window that ends reads the time once more to divide by and
    // once to start the next; a restart reads twice.
    FakeCounter counter(
        {0, 0, 50, 100, 150, 200, 250, 260, 360, 460, 470, 480, 490, 500, 510, 610, 710, 710, 720},
        1000);
    stars::FrameRate rate;
    stars::restart_frame_rate(rate, counter);
    for (float fps : {0.0f, 0.0f, 0.0f, 16.0f, 16.0f, 2 / 0.21f, 2 / 0.21f}) {
        stars::count_frame(rate, counter);
        EXPECT_FLOAT_EQ(rate.fps, fps) << "frame " << counter.taken;
    }
    stars::restart_frame_rate(rate, counter);
    EXPECT_EQ(rate.fps, 0.0f);
    stars::count_frame(rate, counter);
    stars::count_frame(rate, counter);
    EXPECT_FLOAT_EQ(rate.fps, 10.0f) << "frames before the restart are forgotten";

    // Without a counter frequency no time passes, and no rate is measured.
    std::vector<int64_t> readings(100);
    std::iota(readings.begin(), readings.end(), 0);
    FakeCounter still(readings, 0);
    stars::restart_frame_rate(rate, still);
    for (int n = 0; n < 90; ++n)
        stars::count_frame(rate, still);
    EXPECT_EQ(rate.fps, 0.0f);
}
