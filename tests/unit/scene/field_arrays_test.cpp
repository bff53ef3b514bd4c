#include "field_arrays.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(FieldArrays, CornersAreTheSpunSquareWithItsTextureAndUnclampedColour) {
    // Beyond both ends of the alpha ramp: GL gets the alpha as it comes.
    for (float alpha : {-0.125f, 1.25f}) {
        stars::Corner c[4];
        stars::place_corners({1.0f, 2.0f, -90.0f, alpha, 30.0f, 0.25f, 0.5f, 1.0f}, c);
        const double turn = 30.0 * 3.14159265358979323846 / 180.0;
        // x, y before the turn, then s, t.
        const double square[4][4] = {
            {1.2, 2.2, 1, 1}, {0.8, 2.2, 0, 1}, {0.8, 1.8, 0, 0}, {1.2, 1.8, 1, 0}};
        for (int k = 0; k < 4; ++k) {
            const double x = square[k][0], y = square[k][1];
            EXPECT_NEAR(c[k].x, std::cos(turn) * x - std::sin(turn) * y, 1e-5) << "corner " << k;
            EXPECT_NEAR(c[k].y, std::sin(turn) * x + std::cos(turn) * y, 1e-5) << "corner " << k;
            EXPECT_TRUE(c[k].z == -90.0f && c[k].s == square[k][2] && c[k].t == square[k][3])
                << "corner " << k;
            EXPECT_TRUE(c[k].red == 0.25f && c[k].green == 0.5f && c[k].blue == 1.0f &&
                        c[k].alpha == alpha)
                << "corner " << k;
        }
    }
}
