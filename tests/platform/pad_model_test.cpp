// The controller model every backend shares: triggers with a press and a release point, and a
// stick that moves the cursor slowly when tilted a little and fast when tilted fully.
#include "platform/pad_model.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using platform::StickVector;

TEST(TriggerDown, GoesDownPastHalfAndUpBelowAQuarter) {
    EXPECT_FALSE(platform::TriggerDown(false, 0.45f));
    EXPECT_TRUE(platform::TriggerDown(false, 0.55f));
    EXPECT_TRUE(platform::TriggerDown(true, 0.3f)) << "resting near the middle stays down";
    EXPECT_FALSE(platform::TriggerDown(true, 0.2f));
    EXPECT_FALSE(platform::TriggerDown(false, 0.3f)) << "and comes up again only past half";
}

TEST(StickVelocity, NothingInTheDeadZoneThenFasterWithTheTilt) {
    EXPECT_EQ(platform::StickVelocity({0.15f, 0.1f}).x, 0.0f);
    EXPECT_EQ(platform::StickVelocity({0.0f, -0.19f}).y, 0.0f);
    const float small = platform::StickVelocity({0.3f, 0.0f}).x;
    const float half = platform::StickVelocity({0.6f, 0.0f}).x;
    const float full = platform::StickVelocity({1.0f, 0.0f}).x;
    EXPECT_GT(small, 0.0f);
    EXPECT_LT(small, 40.0f) << "a small tilt aims slowly";
    EXPECT_GT(half, 4 * small) << "the speed grows faster than the tilt";
    EXPECT_GE(full, 1400.0f) << "full tilt crosses 800 pixels in well under a second";
    EXPECT_FLOAT_EQ(platform::StickVelocity({-1.0f, 0.0f}).x, -full);
    const StickVector diagonal = platform::StickVelocity({0.8f, -0.8f});
    EXPECT_FLOAT_EQ(diagonal.x, -diagonal.y);
    EXPECT_NEAR(std::hypot(diagonal.x, diagonal.y), full, 1.0f) << "no faster along a diagonal";
}

TEST(StickMotion, MovesByTheTimeBetweenFramesButNotAfterAStall) {
    platform::StickMotion motion;
    const StickVector full{1.0f, 0.0f};
    EXPECT_EQ(motion.Step(full, 5000).x, 0.0f) << "the first frame has no time before it";
    const float perSecond = platform::StickVelocity(full).x;
    EXPECT_FLOAT_EQ(motion.Step(full, 5016).x, perSecond * 0.016f);
    EXPECT_FLOAT_EQ(motion.Step(full, 9000).x, perSecond * 0.1f) << "a stall moves no further";
    EXPECT_EQ(motion.Step({}, 9016).x, 0.0f);
}

TEST(StickPointer, KeepsFractionsStaysInsideAndFollowsTheMouse) {
    platform::StickPointer pointer;
    const platform::StickPointer::Area area{0.0f, 0.0f, 800.0f, 600.0f};
    platform::Point at{100, 100};
    for (int i = 0; i < 10; ++i) at = pointer.Move(at, {0.3f, -0.3f}, area);
    EXPECT_EQ(at.x, 103) << "ten moves of 0.3 pixels add up";
    EXPECT_EQ(at.y, 97);
    at = pointer.Move({400, 300}, {0.3f, 0.0f}, area);
    EXPECT_EQ(at.x, 400) << "the mouse moved the pointer: the stick goes on from there";
    at = pointer.Move(at, {0.3f, 0.0f}, area);
    EXPECT_EQ(at.x, 401);
    at = pointer.Move(at, {-5000.0f, 5000.0f}, area);
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 599);
}

}  // namespace
