#include "shading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

using namespace orvanne;

TEST(Shading, DarkAtBothEdgesAndBrightestHalfwayDown) {
    for (double height : {252.0, 169.0, 3780.0}) {
        std::vector<int> rows = ShadeRows(height);
        ASSERT_EQ(rows.size(), static_cast<size_t>(height) + 1) << "height " << height;
        // sin(3.142) is a tiny negative number: its size rounds to 0.
        EXPECT_TRUE(rows.front() == 0 && rows.back() == 0) << "height " << height;
        EXPECT_EQ(*std::max_element(rows.begin(), rows.end()), 220) << "height " << height;
        EXPECT_GE(rows[static_cast<size_t>(height / 2)], 219) << "height " << height;
    }
    // |sin(13 / (252 / 3.142))| x 220 = 35.5: 3.142 gives 36, pi 35.
    EXPECT_EQ(ShadeRows(252.0)[13], 36);
}

TEST(Shading, OddHeightsGiveBoundedRows) {
    EXPECT_EQ(ShadeRows(10.5).size(), 11u) << "the last row rounds half to even";
    EXPECT_EQ(ShadeRows(11.5).size(), 13u);
    EXPECT_EQ(ShadeRows(0.0), std::vector<int>{0});
    for (double height :
         {-3.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
        EXPECT_TRUE(ShadeRows(height).empty()) << "height " << height;
}

TEST(Shading, ColoursOfEachSurface) {
    EXPECT_EQ(DialogShade(220), (Rgb{220, 220, 250})) << "navy to pale lavender";
    EXPECT_EQ(PanelShade(100), (Rgb{130, 130, 130}));
}
