#include "still_render.h"

#include <gtest/gtest.h>

namespace {

// A jewel on its path at the given travel: straight ahead when dir_x = dir_y = 0.
stars::Jewel JewelAt(float travel, float dir_x, float dir_y, float red, float green, float blue) {
    return {travel, dir_x, dir_y, 1.0f, 0.0f, red, green, blue};
}

const float* Pixel(const FloatImage& image, int x, int y) {
    return &image.rgb[(static_cast<std::size_t>(y) * image.width + x) * 3];
}

float Sum(const FloatImage& image) {
    float sum = 0;
    for (float v : image.rgb)
        sum += v;
    return sum;
}

TEST(StillRender, NearJewelLightsTheCentreWithItsAlphaAndStaysInItsSquare) {
    FloatImage image(100, 100);
    stars::Jewel white = JewelAt(99.0f, 0, 0, 1, 1, 1); // z = -1, alpha 0.9875
    DrawJewel(image, white, 0.0f);
    EXPECT_NEAR(Pixel(image, 50, 50)[0], 0.9875f, 0.002f) << "full texel times alpha";
    EXPECT_NEAR(Pixel(image, 50, 50)[2], 0.9875f, 0.002f);
    // Half the side, 0.2 at depth 1 through fovy 50, spans about 21 of the 50 half-pixels.
    EXPECT_GT(Pixel(image, 50 + 19, 50 + 19)[1], 0.05f) << "the diagonal streak reaches the corner";
    EXPECT_EQ(Pixel(image, 50 + 24, 50)[1], 0.0f) << "nothing beyond the square";
    EXPECT_EQ(Pixel(image, 50, 50 - 24)[1], 0.0f);
    EXPECT_EQ(Pixel(image, 2, 2)[0], 0.0f);
}

TEST(StillRender, TintAddsAndSaturates) {
    FloatImage image(64, 48);
    stars::Jewel red = JewelAt(98.0f, 0, 0, 1, 0, 0);
    DrawJewel(image, red, 0.0f);
    const float* centre = Pixel(image, 32, 24);
    EXPECT_GT(centre[0], 0.9f);
    EXPECT_EQ(centre[1], 0.0f) << "a red jewel adds no green";
    EXPECT_EQ(centre[2], 0.0f);
    DrawJewel(image, JewelAt(98.0f, 0, 0, 1, 0.5f, 0), 0.0f);
    EXPECT_EQ(centre[0], 1.0f) << "added light clamps at full";
    EXPECT_GT(centre[1], 0.45f);
}

TEST(StillRender, InvisibleJewelsDrawNothing) {
    FloatImage image(64, 48);
    DrawJewel(image, JewelAt(5.0f, 0, 0, 1, 1, 1), 0.0f);     // z = -95, alpha below 0
    DrawJewel(image, JewelAt(99.95f, 0, 0, 1, 1, 1), 0.0f);   // nearer than the near plane
    DrawJewel(image, JewelAt(99.0f, 0.5f, 0, 1, 1, 1), 0.0f); // far off to the right
    EXPECT_EQ(Sum(image), 0.0f);
}

TEST(StillRender, FieldTurnMovesAJewelAnticlockwise) {
    // A jewel right of the centre ends up above it after a quarter turn, as glRotatef does.
    FloatImage unturned(80, 80), turned(80, 80);
    stars::Jewel right = JewelAt(98.0f, 0.005f, 0, 1, 1, 1); // x = 0.49 at z = -2
    DrawJewel(unturned, right, 0.0f);
    DrawJewel(turned, right, 90.0f);
    EXPECT_GT(Pixel(unturned, 40 + 21, 40)[0], 0.9f);
    EXPECT_EQ(Pixel(unturned, 40, 40 - 21)[0], 0.0f);
    EXPECT_GT(Pixel(turned, 40, 40 - 21)[0], 0.9f);
    EXPECT_EQ(Pixel(turned, 40 + 21, 40)[0], 0.0f);
}

TEST(StillRender, ShrinkAveragesBlocksIntoBytes) {
    FloatImage image(4, 2);
    // Left block half lit in red, right block over-bright in blue.
    image.rgb[0] = 1.0f;
    image.rgb[3] = 1.0f;
    for (int y = 0; y < 2; ++y)
        for (int x = 2; x < 4; ++x)
            image.rgb[(y * 4 + x) * 3 + 2] = 1.5f;
    std::vector<uint8_t> bytes = ShrinkToBytes(image, 2);
    ASSERT_EQ(bytes.size(), 6u);
    EXPECT_EQ(bytes[0], 128) << "two of four red samples give half";
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(bytes[5], 255) << "values above full clamp";
    EXPECT_EQ(ShrinkToBytes(image, 0).size(), 24u) << "a factor below 1 keeps the size";
}

} // namespace
