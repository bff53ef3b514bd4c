#include "input.h"

#include <gtest/gtest.h>

using namespace stars;

TEST(Input, OnlyAReleasedSpaceFlipsTheOverlay) {
    EXPECT_FALSE(overlay_after_input(true, input_key_release, 32));
    EXPECT_TRUE(overlay_after_input(false, input_key_release, 32));
    // Other keys, and mouse events whose code happens to be 32, leave it.
    EXPECT_TRUE(overlay_after_input(true, input_key_release, 33));
    for (int kind : {input_button_press, input_button_release, input_mouse_move})
        EXPECT_TRUE(overlay_after_input(true, kind, 32)) << kind;
}
