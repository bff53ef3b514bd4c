#include "field_arrays.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using stars::Corner;

TEST(FieldArrays, CornersAreTheSpunSquareWithItsTextureAndUnclampedColour) {
    // Beyond both ends of the alpha ramp: GL gets the alpha as it comes.
    for (float alpha : {-0.125f, 1.25f}) {
        stars::Placement p{1.0f, 2.0f, -90.0f, alpha, 30.0f, 0.25f, 0.5f, 1.0f};
        Corner c[4];
        stars::place_corners(p, c);
        const double turn = 30.0 * 3.14159265358979323846 / 180.0;
        const double square[4][4] = {
            {1.2, 2.2, 1, 1}, {0.8, 2.2, 0, 1}, {0.8, 1.8, 0, 0}, {1.2, 1.8, 1, 0}};
        for (int k = 0; k < 4; ++k) {
            const double x = square[k][0], y = square[k][1];
            EXPECT_NEAR(c[k].x, std::cos(turn) * x - std::sin(turn) * y, 1e-5) << "corner " << k;
            EXPECT_NEAR(c[k].y, std::sin(turn) * x + std::cos(turn) * y, 1e-5) << "corner " << k;
            EXPECT_EQ(c[k].z, -90.0f);
            EXPECT_EQ(c[k].s, square[k][2]) << "corner " << k;
            EXPECT_EQ(c[k].t, square[k][3]) << "corner " << k;
            EXPECT_EQ(c[k].alpha, alpha);
            EXPECT_EQ(c[k].red, 0.25f);
            EXPECT_EQ(c[k].green, 0.5f);
            EXPECT_EQ(c[k].blue, 1.0f);
        }
    }
}

TEST(FieldArrays, StepsTheJewelsInOrderAndWritesEachSquareInItsPlace) {
    // An aged field at a low rate, so that jewels reach depth 0 and draw new values.
    std::vector<stars::Jewel> field(stars::jewel_count), alone;
    stars::SeededRandom seed(7);
    for (auto& j : field)
        stars::reset_jewel(j, seed);
    alone = field;
    std::vector<Corner> corners(stars::field_corner_count);
    stars::SeededRandom random(99), same(99);
    for (int frame = 0; frame < 40; ++frame) {
        stars::step_field(field.data(), 2.0f, random, corners.data());
        for (int i = 0; i < stars::jewel_count; ++i) {
            Corner expected[4];
            stars::place_corners(stars::step_jewel(alone[i], 2.0f, same), expected);
            ASSERT_EQ(corners[4 * i + 2].x, expected[2].x) << "jewel " << i << " frame " << frame;
            ASSERT_EQ(corners[4 * i + 2].alpha, expected[2].alpha) << "jewel " << i;
        }
    }
    EXPECT_EQ(random.next(), same.next()) << "both ways should have drawn as many numbers";
}
