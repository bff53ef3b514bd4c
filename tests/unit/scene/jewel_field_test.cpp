#include "jewel_field.h"
#include "scripted_random.h"

#include <gtest/gtest.h>

#include <algorithm>

using stars::Jewel;
using stars::Placement;

namespace {

// r such that r / 32767 is the fraction wanted, rounded down.
int r(double fraction) {
    return static_cast<int>(fraction * stars::random_max);
}

Jewel jewel_at_depth(float z) {
    // On a path straight ahead that gains one unit of depth per unit of travel.
    Jewel j{};
    j.dir_z = 1.0f;
    j.travel = z + 100.0f;
    j.red = 1.0f;
    return j;
}

} // namespace

TEST(ResetJewel, DrawsEachValueInOrder) {
    ScriptedRandom random(
        {0, stars::random_max, 0, stars::random_max, r(0.5), stars::random_max, 0, 0});
    Jewel j{};
    stars::reset_jewel(j, random);
    EXPECT_FLOAT_EQ(j.travel, 0.0f);
    EXPECT_FLOAT_EQ(j.dir_x, -0.2f);
    EXPECT_FLOAT_EQ(j.dir_y, 0.2f);
    EXPECT_FLOAT_EQ(j.dir_z, 1.5f);
    EXPECT_NEAR(j.spin, 45.0f, 0.01f);
    EXPECT_FLOAT_EQ(j.red, 1.0f);
    EXPECT_FLOAT_EQ(j.green, 0.0f);
    EXPECT_FLOAT_EQ(j.blue, 0.0f);
    EXPECT_EQ(random.taken(), 8u);
}

TEST(ResetJewel, RedrawsAllThreeColoursUntilOneIsBright) {
    // 0.94 is not bright enough; every repetition takes a whole new triple.
    int dim = r(0.94);
    ScriptedRandom random({1, 2, 3, 4, 5, dim, dim, dim, 0, dim, 0, 0, 0, stars::random_max});
    Jewel j{};
    stars::reset_jewel(j, random);
    EXPECT_EQ(random.taken(), 14u) << "expected three colour triples to be drawn";
    EXPECT_FLOAT_EQ(j.red, 0.0f);
    EXPECT_FLOAT_EQ(j.green, 0.0f);
    EXPECT_FLOAT_EQ(j.blue, 1.0f);
}

TEST(ResetJewel, StaysInRangesAndKeepsOneColourBright) {
    stars::SeededRandom random(12345);
    for (int n = 0; n < 20000; ++n) {
        Jewel j{};
        stars::reset_jewel(j, random);
        ASSERT_GE(std::max({j.red, j.green, j.blue}), 0.95f) << "reset " << n;
        ASSERT_TRUE(j.travel >= 0.0f && j.travel <= 20.0f) << j.travel;
        ASSERT_TRUE(j.dir_x >= -0.2f && j.dir_x <= 0.2f) << j.dir_x;
        ASSERT_TRUE(j.dir_y >= -0.2f && j.dir_y <= 0.2f) << j.dir_y;
        ASSERT_TRUE(j.dir_z >= 0.5f && j.dir_z <= 1.5f) << j.dir_z;
        ASSERT_TRUE(j.spin >= 0.0f && j.spin <= 90.0f) << j.spin;
        // A fresh jewel starts 70 to 100 units in front of the eye.
        Placement p = stars::place_jewel(j);
        ASSERT_TRUE(p.z >= -100.0f && p.z <= -70.0f) << p.z;
    }
}

TEST(SeededRandom, CoversBothEndsOfTheRange) {
    stars::SeededRandom random(1);
    int low = stars::random_max, high = 0;
    for (int n = 0; n < 1000000; ++n) {
        int v = random.next();
        ASSERT_TRUE(v >= 0 && v <= stars::random_max) << v;
        low = std::min(low, v);
        high = std::max(high, v);
    }
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, stars::random_max);
}

TEST(PlaceJewel, FreshJewelOnTheFarPlaneIsTransparent) {
    Jewel j{};
    j.travel = 0.0f;
    j.dir_x = 0.2f;
    j.dir_y = -0.1f;
    j.dir_z = 1.0f;
    Placement p = stars::place_jewel(j);
    EXPECT_FLOAT_EQ(p.z, -100.0f);
    EXPECT_FLOAT_EQ(p.alpha, -0.25f);
    j.travel = 50.0f;
    p = stars::place_jewel(j);
    EXPECT_FLOAT_EQ(p.x, 10.0f);
    EXPECT_FLOAT_EQ(p.y, -5.0f);
    EXPECT_FLOAT_EQ(p.z, -50.0f);
    EXPECT_FLOAT_EQ(p.alpha, 0.375f);
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

TEST(StepJewel, ResetsOnceDepthZeroIsReachedAfterDrawingAtFullStrength) {
    for (float z : {0.0f, 0.5f}) {
        for (float fps : {0.0f, 100.0f}) {
            stars::SeededRandom random(7);
            Jewel j = jewel_at_depth(z);
            j.spin = 123.0f; // outside the reset range, so a reset must change it
            Placement p = stars::step_jewel(j, fps, random);
            EXPECT_FLOAT_EQ(p.z, z);
            EXPECT_EQ(p.spin, 123.0f) << "drawn with its turn from before the reset";
            EXPECT_EQ(p.red, 1.0f);
            EXPECT_NE(j.spin, 123.0f) << "not reset";
            EXPECT_GE(p.alpha, 1.0f) << "drawn once at full strength";
            Placement next = stars::place_jewel(j);
            EXPECT_TRUE(next.z >= -100.0f && next.z <= -70.0f)
                << "after a reset at depth " << z << " with fps " << fps << " the jewel is at "
                << next.z;
            EXPECT_LE(next.alpha, 0.125f) << "nearly or wholly transparent";
        }
    }
}

TEST(StepJewel, NoResetJustShortOfDepthZero) {
    ScriptedRandom none({});
    Jewel j = jewel_at_depth(-0.25f);
    stars::step_jewel(j, 0.0f, none);
    EXPECT_EQ(none.taken(), 0u);
    // The next step at 60 fps takes it past 0; it is reset one frame later.
    stars::step_jewel(j, 60.0f, none);
    EXPECT_EQ(none.taken(), 0u);
    ScriptedRandom one_reset({0, 0, 0, 0, 0, stars::random_max, 0, 0});
    stars::step_jewel(j, 60.0f, one_reset);
    EXPECT_EQ(one_reset.taken(), 8u);
    EXPECT_FLOAT_EQ(j.travel, 0.0f);
}
