#include "jewel_field.h"
#include "sparkle_texture.h"
#include "stopwatch.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orvanne;

namespace {

constexpr int kMax = 32767; // the Windows C library's RAND_MAX

// Gives the listed draws or counter readings in turn, throwing when they run out, and
// counts those taken; as a counter it runs at a fixed frequency.
struct Scripted : RandomSource, Counter {
    explicit Scripted(std::vector<int64_t> list, int64_t hz = 0)
        : values(std::move(list)), hz(hz) {}
    int next() override { return static_cast<int>(now()); }
    int64_t now() override { return values.at(taken++); }
    int64_t frequency() override { return hz; }
    std::vector<int64_t> values;
    int64_t hz;
    size_t taken = 0;
};

// On a path straight ahead that gains one unit of depth per unit of travel.
Jewel jewel_at_depth(float z) {
    return {z + 100.0f, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f, 0.0f};
}

} // namespace

TEST(ResetJewel, DrawsEachValueInOrderOverItsRange) {
    const int dim = static_cast<int>(0.949 * kMax); // just short of bright enough
    // Travel, direction x, y, z, spin, then colour triples until one of them is bright.
    const std::vector<int64_t> draws[] = {
        {0, 0, kMax, kMax, kMax / 2, kMax, 0, 0},
        {kMax, kMax, 0, 0, 0, 1, 2, 3, dim, dim, dim, 0, dim, 0, 0, 0, kMax},
    };
    const float expected[][8] = {{0, 0.2f, -0.2f, 1.5f, 45, 1, 0, 0},
                                 {20, -0.2f, 0.2f, 0.5f, 0, 0, 0, 1}};
    for (int n = 0; n < 2; ++n) {
        Scripted random(draws[n]);
        Jewel j{};
        reset_jewel(j, random);
        const float got[] = {j.travel, j.dir_x, j.dir_y, j.dir_z, j.spin, j.red, j.green, j.blue};
        for (int k = 0; k < 8; ++k)
            EXPECT_NEAR(got[k], expected[n][k], 2e-3) << "value " << k << " of reset " << n;
    }
}

TEST(SeededRandom, DrawsWhatTheWindowsCLibraryDraws) {
    // As the Windows C library's rand() after srand(1): its formula, shift and 15-bit mask.
    SeededRandom random(1);
    for (int expected : {41, 18467, 6334, 26500, 19169})
        EXPECT_EQ(random.next(), expected);
}

TEST(PlaceJewel, StrengthGrowsFromTheFarPlane) {
    // Halfway along the path (0.2, -0.1, 1).
    auto p = place_jewel({50.0f, 0.2f, -0.1f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f});
    EXPECT_TRUE(p.x == 10.0f && p.y == -5.0f && p.z == -50.0f && p.alpha == 0.375f)
        << p.x << ", " << p.y << ", " << p.z << " alpha " << p.alpha;
}

TEST(StepJewel, StillWithoutARateThenThirtyUnitsAndFortyDegreesASecondResetPastDepthZero) {
    Scripted none({});
    Jewel j = jewel_at_depth(-90.0f);
    Placement p{};
    float angle = 12.5f;
    // Five steps without a rate that move nothing, then a second at 60 fps.
    for (int n = 0; n < 65; ++n) {
        p = step_jewel(j, n < 5 ? 0.0f : 60.0f, none);
        angle = step_scene_angle(angle, n < 5 ? 0.0f : 60.0f);
    }
    // The placement is taken before each step, so the last one lags by one step.
    EXPECT_NEAR(j.travel, 40.0f, 1e-3f);
    EXPECT_NEAR(p.z, -60.5f, 1e-3f);
    EXPECT_NEAR(angle, 52.5f, 1e-3f);

    for (float z : {0.0f, 0.5f}) {
        for (float fps : {0.0f, 100.0f}) {
            SCOPED_TRACE(testing::Message() << "depth " << z << ", " << fps << " fps");
            SeededRandom random(7);
            Jewel jewel = jewel_at_depth(z);
            jewel.spin = 123.0f; // outside the reset range, so a reset must change it
            auto drawn = step_jewel(jewel, fps, random);
            EXPECT_TRUE(drawn.z == z && drawn.spin == 123.0f && drawn.alpha >= 1.0f)
                << "drawn once at full strength with its turn from before the reset";
            EXPECT_NE(jewel.spin, 123.0f) << "not reset";
            auto next = place_jewel(jewel);
            EXPECT_TRUE(next.z >= -100.0f && next.z <= -70.0f) << next.z;
        }
    }
    // Just short of depth 0 it steps past 0 at 60 fps, and is reset one frame later.
    Scripted one_reset({0, 0, 0, 0, 0, kMax, 0, 0});
    j = jewel_at_depth(-0.25f);
    step_jewel(j, 60.0f, one_reset);
    EXPECT_EQ(one_reset.taken, 0u);
    step_jewel(j, 60.0f, one_reset);
    EXPECT_EQ(one_reset.taken, 8u);
}

TEST(SparkleTexture, KnownTexelsFilledRowByRowAsGrey) {
    // Row, column, value: saturated over a broad middle, dark at the middles of the edges.
    const int known[][3] = {{64, 64, 255}, {0, 64, 0},     {64, 0, 0},
                            {0, 0, 76},    {127, 127, 77}, {32, 32, 152},
                            {48, 64, 247}, {40, 64, 200},  {64, 56, 255}};
    for (const auto& k : known)
        EXPECT_EQ(sparkle_texel(k[0], k[1]), k[2]) << "row " << k[0] << " column " << k[1];
    std::vector<uint8_t> rgb(sparkle_bytes, 0xAB), grey;
    fill_sparkle(rgb.data());
    for (int texel = 0; texel < sparkle_bytes / 3; ++texel)
        grey.insert(grey.end(), 3, sparkle_texel(texel / sparkle_size, texel % sparkle_size));
    EXPECT_EQ(rgb, grey);
}

TEST(FrameRate, MeasuresFramesOverAtLeastAFifthOfASecondAndForgetsOnRestart) {
    // Counter readings in ms; a window that ends reads the time once more to divide by and
    // once to start the next; a restart reads twice.
    Scripted counter(
        {0, 0, 50, 100, 150, 200, 250, 260, 360, 460, 470, 480, 490, 500, 510, 610, 710, 710, 720},
        1000);
    FrameRate rate;
    restart_frame_rate(rate, counter);
    for (float fps : {0.0f, 0.0f, 0.0f, 16.0f, 16.0f, 2 / 0.21f, 2 / 0.21f}) {
        count_frame(rate, counter);
        EXPECT_FLOAT_EQ(rate.fps, fps) << "frame " << counter.taken;
    }
    restart_frame_rate(rate, counter);
    EXPECT_EQ(rate.fps, 0.0f);
    count_frame(rate, counter);
    count_frame(rate, counter);
    EXPECT_FLOAT_EQ(rate.fps, 10.0f) << "frames before the restart are forgotten";

    // A counter that has run for years at 10 MHz: the quarter second must not be lost.
    const int64_t start = 4'000'000'000'000'000LL, later = start + 2'500'000;
    Scripted old({0, start, later, later, later}, 10'000'000);
    restart_frame_rate(rate, old);
    count_frame(rate, old);
    EXPECT_FLOAT_EQ(rate.fps, 4.0f);

    // Without a counter frequency no time passes: no window ends, so no more readings are taken.
    Scripted still({0, 0, 1000, 2000});
    restart_frame_rate(rate, still);
    count_frame(rate, still);
    count_frame(rate, still);
    EXPECT_EQ(rate.fps, 0.0f);
}
