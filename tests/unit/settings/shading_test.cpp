#include "shading.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace orvanne;

// The painted dialog shows the rows' colours and shape; here, their count and exact values.
TEST(Shading, OneRowPerPixelFollowingTheSineForAnyHeight) {
    for (double height : {252.0, 169.0, 3780.0})
        EXPECT_EQ(ShadeRows(height).size(), static_cast<size_t>(height) + 1) << height;
    // |sin(13 / (252 / 3.142))| x 220 = 35.5: 3.142 gives 36, pi 35.
    EXPECT_EQ(ShadeRows(252.0)[13], 36);
    EXPECT_EQ(ShadeRows(10.5).size(), 11u) << "the last row rounds half to even";
    EXPECT_EQ(ShadeRows(11.5).size(), 13u);
    EXPECT_EQ(ShadeRows(0.0), std::vector<int>{0});
    for (double height : {-3.0f, NAN, INFINITY})
        EXPECT_TRUE(ShadeRows(height).empty()) << "height " << height;
}
