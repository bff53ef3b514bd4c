// The field drawn from client arrays gives the picture the old immediate-mode drawing gave,
// in the Linux module's own window and GLX context (run under xvfb-run).
#include "field_scene.h"
#include "immediate_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

// Xlib's macros (None, Bool) must come after GoogleTest.
#include "glx_view.h"

using namespace orvanne;

namespace {

// Drawn into the lower left of the module's 1024 x 768 window.
constexpr int width = 800, height = 600;
constexpr size_t jewel_bytes = sizeof(Jewel) * jewel_count;

std::vector<unsigned char> read_back() {
    std::vector<unsigned char> pixels(width * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

FieldScene immediate, arrays;

} // namespace

TEST(SamePicture, ArraysDrawWhatImmediateModeDrew) {
    GlxView view;
    const char* failed = open_view(view, ModuleOptions{});
    ASSERT_EQ(failed, nullptr) << failed << " failed";

    // An aged field, so that jewels are spread along their paths and some reset while drawn.
    SeededRandom seed(5);
    ASSERT_EQ(init_field(immediate, seed), 0);
    for (int n = 0; n < 20 * 70; ++n)
        step_field(immediate.jewels, 70.0f, seed, immediate.corners);
    ASSERT_EQ(init_field(arrays, seed), 0);
    std::memcpy(arrays.jewels, immediate.jewels, jewel_bytes);
    ASSERT_EQ(init_field_gl(immediate), 0);
    arrays.sparkle_texture = immediate.sparkle_texture;
    const Viewport whole = {0, 0, width, height};
    reshape_field(0, 0, width, height);

    SeededRandom random_a(11), random_b(11);
    // A still frame first, then rates from slow (long steps, many resets) to fast.
    for (float fps : {0.0f, 60.0f, 187.3f, 24.5f, 2.0f, 1.0f, 75.0f, 3.0f}) {
        SCOPED_TRACE(testing::Message() << fps << " fps");
        draw_field_immediate(immediate, fps, random_a);
        const auto expected = read_back();
        draw_fields(arrays, &whole, 1, fps, random_b);
        const auto drawn = read_back();
        int differing = 0, worst = 0, lit = 0;
        for (size_t i = 0; i < expected.size(); ++i) {
            const int off = std::abs(expected[i] - drawn[i]);
            differing += off > 0;
            worst = std::max(worst, off);
            lit += expected[i] > 8;
        }
        EXPECT_GT(lit, width * height / 100) << "too little drawn to compare";
        EXPECT_LE(differing, width * height / 1000) << "channels differing";
        EXPECT_LE(worst, 2) << "largest channel difference";
        EXPECT_EQ(std::memcmp(immediate.jewels, arrays.jewels, jewel_bytes), 0) << "moved apart";
    }
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << "texturing must be left disabled after the field";

    // Two views side by side: each draws a field of its own (the second a new one).
    ASSERT_EQ(add_fields(arrays, 2, seed), 0);
    for (int n = 0; n < 70; ++n)
        for (int field : {0, 1})
            step_field(arrays.jewels + field * jewel_count, 70.0f, seed, arrays.corners);
    const Viewport halves[] = {{0, 0, width / 2, height}, {width / 2, 0, width / 2, height}};
    draw_fields(arrays, halves, 2, 0.0f, random_b);
    const auto pixels = read_back();
    int lit[2] = {}, same = 0;
    for (size_t i = 0; i < pixels.size(); i += 3) {
        const int right = i / 3 % width >= width / 2,
                  bright = pixels[i] + pixels[i + 1] + pixels[i + 2] > 24;
        lit[right] += bright;
        same += right && bright && std::memcmp(&pixels[i], &pixels[i - width / 2 * 3], 3) == 0;
    }
    EXPECT_GT(std::min(lit[0], lit[1]), width * height / 200) << "too little drawn in a view";
    EXPECT_LT(same, lit[1] / 2) << "the views mirror one field";
    free_field_gl(immediate);
    close_view(view);
}
