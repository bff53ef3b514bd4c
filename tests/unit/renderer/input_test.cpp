#include "input.h"

#include <gtest/gtest.h>

TEST(Input, OnlyAReleasedSpaceFlipsTheOverlay) {
    EXPECT_FALSE(stars::overlay_after_input(true, stars::input_key_release, 32));
    EXPECT_TRUE(stars::overlay_after_input(false, stars::input_key_release, 32));
    for (int code : {13, 33, 65, 0})
        EXPECT_TRUE(stars::overlay_after_input(true, stars::input_key_release, code)) << code;
    // A mouse event whose code happens to be 32 is not a key.
    for (int kind :
         {stars::input_button_press, stars::input_button_release, stars::input_mouse_move})
        EXPECT_TRUE(stars::overlay_after_input(true, kind, 32)) << kind;
}

TEST(Input, MouseMoveCodeNeedsExactlyOneButton) {
    EXPECT_EQ(stars::mouse_move_code(0), -1);
    EXPECT_EQ(stars::mouse_move_code(1), 0);
    EXPECT_EQ(stars::mouse_move_code(2), 1);
    EXPECT_EQ(stars::mouse_move_code(3), -1);
    EXPECT_EQ(stars::mouse_move_code(1 | 4), -1) << "left button with Shift";
}
