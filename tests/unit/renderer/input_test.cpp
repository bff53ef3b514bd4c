#include "input.h"

#include <gtest/gtest.h>

using namespace orvanne;

TEST(Input, OnlyAReleasedSpaceFlipsTheOverlay) {
    EXPECT_FALSE(overlay_after_input(true, input_key_release, 32));
    EXPECT_TRUE(overlay_after_input(false, input_key_release, 32));
    EXPECT_TRUE(overlay_after_input(true, input_key_release, 33));
}
