#include "gamestate/round_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "app/game_reset.h"
#include "platform/headless/headless_backend.h"

namespace {

using gamestate::NoQuota;
using gamestate::RoundState;

class RoundStateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::SetBackend(&backend_);
        app::ResetGame();
    }
    void TearDown() override {
        app::ResetGame();
        platform::SetBackend(nullptr);
    }
    platform::HeadlessBackend backend_;
};

TEST_F(RoundStateTest, EachStageAsksForThreeKindsWithQuotasThatGrowByThree) {
    for (uint32_t t = 1000; t < 1400; ++t) {
        backend_.SetTime(t);  // every draw re-seeds with the tick count
        RoundState round;
        round.ResetRound();
        ASSERT_EQ(round.QuotaStage, 1);
        int free = 0;
        for (int32_t quota : round.quotas) {
            if (quota == NoQuota) {
                ++free;
                continue;
            }
            EXPECT_GE(quota, 3);
            EXPECT_LE(quota, 8);
        }
        EXPECT_EQ(free, 2) << "at " << t;
        round.DrawQuotas();
        ASSERT_EQ(round.QuotaStage, 2);
        free = 0;
        for (int32_t quota : round.quotas) {
            if (quota == NoQuota) {
                ++free;
                continue;
            }
            EXPECT_GE(quota, 6);
            EXPECT_LE(quota, 11);
        }
        EXPECT_EQ(free, 2);
    }
}

TEST_F(RoundStateTest, ResetStartsAFreshRound) {
    RoundState round;
    round.score = 500;
    round.streakCount = 3;
    round.streakKind = 1;
    round.crossbowTargetHit = 1;
    round.QuotaStage = 4;
    round.RoundEnd = 99;
    round.RoundClock = 1234;
    round.bellSequence.progress = 3;
    round.ResetRound();
    EXPECT_EQ(round.roundFlag, 1);
    EXPECT_EQ(round.score, 0);
    EXPECT_EQ(round.streakCount, 0);
    EXPECT_EQ(round.streakKind, 0);
    EXPECT_EQ(round.crossbowTargetHit, 0);
    EXPECT_EQ(round.cameraMin, 1600);
    EXPECT_EQ(round.cameraMax, 2300);
    EXPECT_EQ(round.QuotaStage, 1);
    EXPECT_EQ(round.stageMessageEnd, gamestate::NotScheduled);
    EXPECT_EQ(round.RoundEnd, 0u);
    EXPECT_EQ(round.RoundClock, 1234u) << "the clock is the frame's business";
    EXPECT_EQ(round.bellSequence.progress, 0);
    EXPECT_EQ(round.bellSequence.inputPosition, 0);
    for (int32_t note : round.bellSequence.notes) {
        EXPECT_GE(note, 1);
        EXPECT_LE(note, 3);
    }
    for (uint32_t time : round.bellSequence.times) EXPECT_EQ(time, gamestate::NotScheduled);
}

TEST_F(RoundStateTest, QuotasCountDownToZeroAndThenTheNextStageBegins) {
    RoundState round;
    round.QuotaStage = 1;
    int32_t start[5] = {2, NoQuota, 1, 0, NoQuota};
    std::copy(std::begin(start), std::end(start), round.quotas);
    round.DecrementQuota(1);
    round.DecrementQuota(3);  // no quota: stays -1
    round.DecrementQuota(2);  // already 0: stays 0
    round.DecrementQuota(7);  // not an animal with a quota
    EXPECT_EQ(round.quotas[0], 1);
    EXPECT_EQ(round.quotas[1], NoQuota);
    EXPECT_EQ(round.quotas[3], 0);
    EXPECT_EQ(round.QuotaOf(5), 1);
    EXPECT_FALSE(round.StageComplete());
    EXPECT_EQ(round.QuotaStage, 1) << "an incomplete stage draws nothing";
    round.DecrementQuota(1);
    round.DecrementQuota(5);
    EXPECT_TRUE(round.StageComplete());
    EXPECT_EQ(round.QuotaStage, 2);
    for (int32_t quota : round.quotas) EXPECT_TRUE(quota == NoQuota || quota >= 6);
}

TEST_F(RoundStateTest, FiveBoarsInARowGiveABonusAndRestartTheStreak) {
    RoundState round;
    for (int hit = 1; hit <= 4; ++hit) EXPECT_EQ(round.RecordHit(1), 0) << hit;
    EXPECT_EQ(round.RecordHit(1), 100);
    for (int hit = 1; hit <= 4; ++hit) EXPECT_EQ(round.RecordHit(1), 0) << "again " << hit;
    EXPECT_EQ(round.RecordHit(1), 100);
    // Another kind in between starts the count again.
    for (int hit = 1; hit <= 4; ++hit) round.RecordHit(1);
    EXPECT_EQ(round.RecordHit(5), 0);
    for (int hit = 1; hit <= 4; ++hit) EXPECT_EQ(round.RecordHit(1), 0);
    EXPECT_EQ(round.RecordHit(1), 100);
    // Other kinds never give a bonus.
    for (int hit = 1; hit <= 12; ++hit) EXPECT_EQ(round.RecordHit(3), 0);
}

TEST_F(RoundStateTest, FiveQuailsInARowGiveFifteenSeconds) {
    RoundState round;
    round.RoundEnd = 50000;
    for (int hit = 1; hit <= 4; ++hit) EXPECT_EQ(round.RecordHit(4), 0);
    EXPECT_EQ(round.RecordHit(4), -1);
    EXPECT_EQ(round.RoundEnd, 65000u);
    EXPECT_EQ(round.streakKind, 0);
    EXPECT_EQ(round.streakCount, 0);
}

}  // namespace
