#include "renderer_watch.h"

#include <gtest/gtest.h>

using namespace orvanne;

constexpr uint32_t kLimit = 10000; // ms for the renderer's first window

TEST(RendererWatch, EndsAtOnceWithoutARendererElseWaitsForItsWindowUpToTheLimitAcrossAWrap) {
    EXPECT_TRUE(RendererWatch(0, false).RunIsOver(false, true, 1)) << "it did not start";
    EXPECT_TRUE(RendererWatch(0, true).RunIsOver(false, false, 1)) << "it has ended";
    for (uint32_t start : {1000u, 0xFFFFF000u}) {
        RendererWatch watch(start, true);
        EXPECT_FALSE(watch.RunIsOver(false, true, start + 50)) << start;
        EXPECT_FALSE(watch.RunIsOver(false, true, start + kLimit - 1)) << start;
        EXPECT_TRUE(watch.RunIsOver(false, true, start + kLimit)) << start;
    }
}

TEST(RendererWatch, EndsWhenTwoLooksApartMissTheWindow) {
    RendererWatch watch(0, true);
    EXPECT_FALSE(watch.RunIsOver(true, true, 2050));
    // Tab: one look falls into the gap between the old window and the new one.
    EXPECT_FALSE(watch.RunIsOver(false, true, 2100));
    EXPECT_FALSE(watch.RunIsOver(true, true, 2150));
    // A late tick right after the first miss is no second opinion.
    EXPECT_FALSE(watch.RunIsOver(false, true, 60000));
    EXPECT_FALSE(watch.RunIsOver(false, true, 60001));
    EXPECT_TRUE(watch.RunIsOver(false, true, 60050));
}
