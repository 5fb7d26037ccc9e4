#include "gamestate/round_state.h"

#include <cstdlib>

#include "gamestate/game_state.h"
#include "platform/platform.h"

namespace gamestate {

RoundState Round;
int32_t PetalsShot = 0;

namespace {

int QuotaPosition(int32_t kind) {
    for (int i = 0; i < QuotaCount; ++i) {
        if (QuotaKinds[i] == kind) return i;
    }
    return -1;
}

}  // namespace

void RoundState::ResetRound() {
    roundFlag = 1;
    score = 0;
    streakCount = 0;
    streakKind = 0;
    crossbowTargetHit = 0;
    cameraMin = Game.PanoramaMode ? UnlimitedCameraMin : ForestCameraMin;
    cameraMax = Game.PanoramaMode ? UnlimitedCameraMax : ForestCameraMax;
    QuotaStage = 0;
    stageMessageEnd = NotScheduled;
    for (int32_t& note : bellSequence.notes) note = std::rand() % 3 + 1;
    bellSequence.progress = 0;
    for (uint32_t& time : bellSequence.times) time = NotScheduled;
    bellSequence.inputPosition = 0;
    RoundEnd = 0;
    DrawQuotas();
}

void RoundState::DrawQuotas() {
    std::srand(platform::Ticks());
    const int32_t stage = ++QuotaStage;
    const int freeA = std::rand() % 5;
    int freeB;
    do {
        freeB = std::rand() % 5;
    } while (freeB == freeA);
    for (int i = 0; i < QuotaCount; ++i) {
        quotas[i] = (i == freeA || i == freeB) ? NoQuota : 3 * stage + std::rand() % 6;
    }
}

bool RoundState::StageComplete() {
    for (int32_t quota : quotas) {
        if (quota > 0) return false;
    }
    DrawQuotas();
    return true;
}

void RoundState::DecrementQuota(int32_t kind) {
    const int position = QuotaPosition(kind);
    if (position >= 0 && quotas[position] > 0) --quotas[position];
}

int32_t RoundState::QuotaOf(int32_t kind) const {
    const int position = QuotaPosition(kind);
    return position >= 0 ? quotas[position] : NoQuota;
}

int32_t RoundState::RecordHit(int32_t kind) {
    if (kind == streakKind) {
        ++streakCount;
    } else {
        streakCount = 0;
    }
    streakKind = kind;
    constexpr int32_t Boar = 1;
    constexpr int32_t Quail = 4;
    if ((kind == Boar || kind == Quail) && streakCount == 4) {
        streakKind = 0;
        streakCount = 0;
        if (kind == Quail) {
            RoundEnd += QuailStreakBonusMs;
            return -1;
        }
        return BoarStreakBonusPoints;
    }
    return 0;
}

}  // namespace gamestate
