#include "still_render.h"

#include <gtest/gtest.h>

namespace {

// The shipped still is compared with a fresh one (preview.still_current); these are the
// rules that still happens not to exercise.
TEST(StillRender, JewelsOutsideTheViewDrawNothing) {
    FloatImage image(64, 48);
    // Nearer than the near plane, then far off to the right.
    DrawJewel(image, {99.95f, 0, 0, 1.0f, 0.0f, 1, 1, 1}, 0.0f);
    DrawJewel(image, {99.0f, 0.5f, 0, 1.0f, 0.0f, 1, 1, 1}, 0.0f);
    for (float v : image.rgb)
        ASSERT_EQ(v, 0.0f);
    EXPECT_EQ(ShrinkToBytes(image, 0).size(), 64u * 48 * 3) << "a factor below 1 keeps the size";
}

} // namespace
