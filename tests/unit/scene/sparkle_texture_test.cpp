#include "sparkle_texture.h"

#include <gtest/gtest.h>

#include <vector>

TEST(SparkleTexture, KnownTexels) {
    struct Case {
        int row, column, value;
    };
    for (Case c : {Case{64, 64, 255}, Case{0, 64, 0}, Case{64, 0, 0}, Case{0, 0, 76},
                   Case{127, 127, 77}, Case{32, 32, 152}, Case{48, 64, 247}, Case{40, 64, 200}}) {
        EXPECT_EQ(stars::sparkle_texel(c.row, c.column), c.value)
            << "row " << c.row << " column " << c.column;
    }
}

TEST(SparkleTexture, FilledRowByRowAsGreyAndEqualToItsTranspose) {
    std::vector<uint8_t> rgb(stars::sparkle_bytes, 0xAB);
    stars::fill_sparkle(rgb.data());
    auto at = [&](int row, int column, int channel) {
        return rgb[(row * stars::sparkle_size + column) * 3 + channel];
    };
    for (int i = 0; i < stars::sparkle_size; ++i) {
        for (int j = 0; j < stars::sparkle_size; ++j) {
            ASSERT_EQ(at(i, j, 0), stars::sparkle_texel(i, j)) << i << "," << j;
            ASSERT_EQ(at(i, j, 1), at(i, j, 0)) << i << "," << j;
            ASSERT_EQ(at(i, j, 2), at(i, j, 0)) << i << "," << j;
            ASSERT_EQ(at(i, j, 0), at(j, i, 0)) << "not symmetric at " << i << "," << j;
        }
    }
    // Saturated over a broad middle, dark at the middles of the edges.
    EXPECT_EQ(at(64, 56, 0), 255);
    EXPECT_LT(at(64, 127, 0), 10);
}
