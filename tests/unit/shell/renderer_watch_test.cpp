#include "renderer_watch.h"

#include <gtest/gtest.h>

namespace orvanne {
namespace {

TEST(RendererWatch, WaitsForTheFirstWindowUpToTheLimit) {
    RendererWatch watch(1000, true);
    for (uint32_t t = 1050; t < 1000 + RendererWatch::kFirstWindowLimitMs; t += 50)
        ASSERT_FALSE(watch.RunIsOver(false, true, t)) << "ended at " << t << " ms";
    EXPECT_TRUE(watch.RunIsOver(false, true, 1000 + RendererWatch::kFirstWindowLimitMs));
}

TEST(RendererWatch, EndsWhenTwoLooksApartMissTheWindow) {
    RendererWatch watch(0, true);
    EXPECT_FALSE(watch.RunIsOver(false, true, 2000));
    EXPECT_FALSE(watch.RunIsOver(true, true, 2050));
    // Tab: one look falls into the gap between the old window and the new one.
    EXPECT_FALSE(watch.RunIsOver(false, true, 2100));
    EXPECT_FALSE(watch.RunIsOver(true, true, 2150));
    // A late tick right after the first miss is no second opinion.
    EXPECT_FALSE(watch.RunIsOver(false, true, 60000));
    EXPECT_FALSE(watch.RunIsOver(false, true, 60001));
    // The process may still be tearing down; the window is what counts.
    EXPECT_TRUE(watch.RunIsOver(false, true, 60050));
}

TEST(RendererWatch, EndsAtOnceWhenTheRendererCannotShowAWindow) {
    RendererWatch notStarted(0, false);
    EXPECT_TRUE(notStarted.RunIsOver(false, false, 50));

    RendererWatch exited(0, true);
    EXPECT_FALSE(exited.RunIsOver(false, true, 50));
    EXPECT_TRUE(exited.RunIsOver(false, false, 100));
}

TEST(RendererWatch, LimitHoldsAcrossACounterWrap) {
    RendererWatch watch(0xFFFFF000u, true);
    EXPECT_FALSE(watch.RunIsOver(false, true, 0x00000100u));
    EXPECT_TRUE(watch.RunIsOver(false, true, 0xFFFFF000u + RendererWatch::kFirstWindowLimitMs));
}

} // namespace
} // namespace orvanne
