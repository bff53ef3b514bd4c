#include "shading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

using orvanne::DialogShade;
using orvanne::PanelShade;
using orvanne::Rgb;
using orvanne::ShadeRows;

TEST(Shading, DarkAtBothEdgesAndBrightestHalfwayDown) {
    for (double height : {252.0, 169.0, 165.0, 3780.0}) {
        std::vector<int> rows = ShadeRows(height);
        ASSERT_EQ(rows.size(), static_cast<size_t>(height) + 1) << "height " << height;
        EXPECT_EQ(rows.front(), 0) << "height " << height;
        // sin(3.142) is a tiny negative number: its size rounds to 0.
        EXPECT_EQ(rows.back(), 0) << "height " << height;
        EXPECT_EQ(*std::max_element(rows.begin(), rows.end()), 220) << "height " << height;
        int middle = static_cast<int>(height / 2);
        EXPECT_GE(rows[middle], 219) << "height " << height;
        for (int b : rows) {
            EXPECT_GE(b, 0);
            EXPECT_LE(b, 220);
        }
    }
}

TEST(Shading, RowsRiseToTheMiddleAndFallAgain) {
    std::vector<int> rows = ShadeRows(252.0);
    for (size_t y = 1; y <= 126; ++y)
        EXPECT_GE(rows[y], rows[y - 1]) << "row " << y;
    for (size_t y = 127; y < rows.size(); ++y)
        EXPECT_LE(rows[y], rows[y - 1]) << "row " << y;
    // |sin(1 / (252 / 3.142))| x 220 = 2.743, and row 63 is close to 45 degrees.
    EXPECT_EQ(rows[1], 3);
    EXPECT_EQ(rows[63], 156);
}

TEST(Shading, FractionalHeightRoundsItsLastRowHalfToEven) {
    EXPECT_EQ(ShadeRows(10.5).size(), 11u);
    EXPECT_EQ(ShadeRows(11.5).size(), 13u);
    EXPECT_EQ(ShadeRows(10.6).size(), 12u);
}

TEST(Shading, DegenerateHeightsGiveNoUnboundedWork) {
    EXPECT_EQ(ShadeRows(0.0), std::vector<int>{0});
    EXPECT_TRUE(ShadeRows(-3.0).empty());
    EXPECT_TRUE(ShadeRows(std::numeric_limits<double>::quiet_NaN()).empty());
    EXPECT_TRUE(ShadeRows(std::numeric_limits<double>::infinity()).empty());
}

TEST(Shading, ColoursOfEachSurface) {
    EXPECT_EQ(DialogShade(0), (Rgb{0, 0, 30})) << "dark navy at the edges";
    EXPECT_EQ(DialogShade(220), (Rgb{220, 220, 250})) << "pale lavender halfway";
    EXPECT_EQ(PanelShade(0), (Rgb{30, 30, 30}));
    EXPECT_EQ(PanelShade(220), (Rgb{250, 250, 250}));
    EXPECT_EQ(PanelShade(100), (Rgb{130, 130, 130}));
}
