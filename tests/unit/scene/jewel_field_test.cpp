#include "jewel_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using stars::Jewel;
using stars::Placement;

namespace {

constexpr int kMax = stars::random_max;

// Gives a fixed list of values, throwing when they run out, and counts those taken.
struct ScriptedRandom : stars::RandomSource {
    explicit ScriptedRandom(std::vector<int> list) : values(std::move(list)) {}
    int next() override { return values.at(taken++); }
    std::vector<int> values;
    size_t taken = 0;
};

// On a path straight ahead that gains one unit of depth per unit of travel.
Jewel jewel_at_depth(float z) {
    Jewel j{};
    j.dir_z = 1.0f;
    j.travel = z + 100.0f;
    j.red = 1.0f;
    return j;
}

} // namespace

TEST(ResetJewel, DrawsEachValueInOrderOverItsRange) {
    const int dim = static_cast<int>(0.94 * kMax); // not bright enough
    // Travel, direction x, y, z, spin, then colour triples until one of them is bright.
    const std::vector<int> draws[] = {
        {0, 0, kMax, kMax, kMax / 2, kMax, 0, 0},
        {kMax, kMax, 0, 0, 0, 1, 2, 3, dim, dim, dim, 0, dim, 0, 0, 0, kMax},
    };
    const float expected[][8] = {{0, 0.2f, -0.2f, 1.5f, 45, 1, 0, 0},
                                 {20, -0.2f, 0.2f, 0.5f, 0, 0, 0, 1}};
    for (int n = 0; n < 2; ++n) {
        ScriptedRandom random(draws[n]);
        Jewel j{};
        stars::reset_jewel(j, random);
        EXPECT_EQ(random.taken, draws[n].size()) << "every colour redraw takes a whole triple";
        const float got[] = {j.travel, j.dir_x, j.dir_y, j.dir_z, j.spin, j.red, j.green, j.blue};
        for (int k = 0; k < 8; ++k)
            EXPECT_NEAR(got[k], expected[n][k], 2e-3) << "value " << k << " of reset " << n;
    }
}

TEST(SeededRandom, CoversBothEndsOfTheRange) {
    stars::SeededRandom random(1);
    int low = kMax, high = 0;
    for (int n = 0; n < 1000000; ++n) {
        int v = random.next();
        low = std::min(low, v);
        high = std::max(high, v);
    }
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, kMax);
}

TEST(PlaceJewel, StrengthGrowsFromTheFarPlane) {
    Jewel j{0.0f, 0.2f, -0.1f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f}; // on the path (0.2, -0.1, 1)
    EXPECT_FLOAT_EQ(stars::place_jewel(j).z, -100.0f);
    EXPECT_FLOAT_EQ(stars::place_jewel(j).alpha, -0.25f);
    j.travel = 50.0f;
    Placement p = stars::place_jewel(j);
    EXPECT_TRUE(p.x == 10.0f && p.y == -5.0f && p.z == -50.0f && p.alpha == 0.375f)
        << p.x << ", " << p.y << ", " << p.z << " alpha " << p.alpha;
}

TEST(StepJewel, StillWhileNoRateIsMeasuredThenThirtyUnitsAndFortyDegreesASecond) {
    ScriptedRandom none({});
    Jewel j = jewel_at_depth(-90.0f);
    for (int n = 0; n < 5; ++n)
        stars::step_jewel(j, 0.0f, none);
    EXPECT_FLOAT_EQ(j.travel, 10.0f);
    EXPECT_FLOAT_EQ(stars::step_scene_angle(12.5f, 0.0f), 12.5f);
    Placement p{};
    float angle = 0.0f;
    for (int n = 0; n < 60; ++n) {
        p = stars::step_jewel(j, 60.0f, none);
        angle = stars::step_scene_angle(angle, 60.0f);
    }
    // The placement is taken before each step, so the last one lags by one step.
    EXPECT_NEAR(j.travel, 40.0f, 1e-3f);
    EXPECT_NEAR(p.z, -60.5f, 1e-3f);
    EXPECT_NEAR(angle, 40.0f, 1e-3f);
}

TEST(StepJewel, ResetsOnlyOnceDepthZeroIsReachedAfterDrawingAtFullStrength) {
    for (float z : {0.0f, 0.5f}) {
        for (float fps : {0.0f, 100.0f}) {
            SCOPED_TRACE(testing::Message() << "depth " << z << ", " << fps << " fps");
            stars::SeededRandom random(7);
            Jewel j = jewel_at_depth(z);
            j.spin = 123.0f; // outside the reset range, so a reset must change it
            Placement p = stars::step_jewel(j, fps, random);
            EXPECT_TRUE(p.z == z && p.spin == 123.0f && p.alpha >= 1.0f)
                << "drawn once at full strength with its turn from before the reset";
            EXPECT_NE(j.spin, 123.0f) << "not reset";
            Placement next = stars::place_jewel(j);
            EXPECT_TRUE(next.z >= -100.0f && next.z <= -70.0f) << next.z;
            EXPECT_LE(next.alpha, 0.125f) << "nearly or wholly transparent";
        }
    }
    // Just short of depth 0 it steps past 0 at 60 fps, and is reset one frame later.
    ScriptedRandom one_reset({0, 0, 0, 0, 0, kMax, 0, 0});
    Jewel j = jewel_at_depth(-0.25f);
    stars::step_jewel(j, 60.0f, one_reset);
    EXPECT_EQ(one_reset.taken, 0u);
    stars::step_jewel(j, 60.0f, one_reset);
    EXPECT_EQ(one_reset.taken, 8u);
}
