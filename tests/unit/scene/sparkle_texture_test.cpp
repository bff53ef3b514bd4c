#include "sparkle_texture.h"

#include <gtest/gtest.h>

#include <vector>

TEST(SparkleTexture, KnownTexelsFilledRowByRowAsGreyAndEqualToItsTranspose) {
    // Row, column, value: saturated over a broad middle, dark at the middles of the edges.
    const int known[][3] = {{64, 64, 255}, {0, 64, 0},     {64, 0, 0},
                            {0, 0, 76},    {127, 127, 77}, {32, 32, 152},
                            {48, 64, 247}, {40, 64, 200},  {64, 56, 255}};
    for (const auto& k : known)
        EXPECT_EQ(stars::sparkle_texel(k[0], k[1]), k[2]) << "row " << k[0] << " column " << k[1];
    std::vector<uint8_t> rgb(stars::sparkle_bytes, 0xAB);
    stars::fill_sparkle(rgb.data());
    auto at = [&](int row, int column, int channel) {
        return rgb[(row * stars::sparkle_size + column) * 3 + channel];
    };
    for (int i = 0; i < stars::sparkle_size; ++i) {
        for (int j = 0; j < stars::sparkle_size; ++j) {
            ASSERT_EQ(at(i, j, 0), stars::sparkle_texel(i, j)) << i << "," << j;
            ASSERT_TRUE(at(i, j, 1) == at(i, j, 0) && at(i, j, 2) == at(i, j, 0)) << i << "," << j;
            ASSERT_EQ(at(i, j, 0), at(j, i, 0)) << "not symmetric at " << i << "," << j;
        }
    }
}
