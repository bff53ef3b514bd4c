#include "still_render.h"

#include <gtest/gtest.h>

// The shipped still is compared with a fresh one (preview.still_current), where no jewel
// happens to stand nearer than the near plane or outside the view.
TEST(StillRender, JewelsOutsideTheViewDrawNothing) {
    FloatImage image(64, 48);
    DrawJewel(image, {99.95f, 0, 0, 1.0f, 0.0f, 1, 1, 1}, 0.0f);
    DrawJewel(image, {99.0f, 0.5f, 0, 1.0f, 0.0f, 1, 1, 1}, 0.0f);
    for (float v : image.rgb)
        ASSERT_EQ(v, 0.0f);
}
