// A game is one timed round. The round asks for kill quotas of three of the five animal kinds;
// fulfilling them all begins the next stage, with higher quotas and 90 more seconds. The clock
// stops while the window is minimised.
#pragma once

#include <cstdint>

#include "gamestate/game_state.h"

namespace gamestate {

// Positions of the five quotas, in the order they are stored and shown: boar, mole, hare, flying
// duck, quail (entity kinds 1, 3, 5, 2, 4).
constexpr int QuotaCount = 5;
constexpr int32_t QuotaKinds[QuotaCount] = {1, 3, 5, 2, 4};
constexpr int32_t NoQuota = -1;

constexpr uint32_t RoundLengthMs = 90000;
constexpr uint32_t TrophyBonusMs = 30000;     // the menu's trophy puzzle was solved
constexpr uint32_t StageExtensionMs = 90000;  // a set of quotas fulfilled
constexpr uint32_t StageMessageMs = 1500;
constexpr uint32_t QuailStreakBonusMs = 15000;
constexpr int32_t BoarStreakBonusPoints = 100;

// A round keeps the camera in the forest, where the view never leaves background tiles 3 and 4;
// with the whole hunting ground (PanoramaMode) it sets limits the camera never reaches.
constexpr int32_t ForestCameraMin = 1600;
constexpr int32_t ForestCameraMax = 2300;
constexpr int32_t UnlimitedCameraMin = INT32_MIN;
constexpr int32_t UnlimitedCameraMax = INT32_MAX;

// The hint melody of the bell puzzle (its notes are the bell numbers 1..3).
struct BellSequence {
    int32_t notes[4] = {};
    int32_t progress = 0;  // length reproduced so far, 0..5
    // Wall-clock ms: the hint deadline of the first note, then the hint slots of notes 2..4;
    // NotScheduled when not planned.
    uint32_t times[4] = {NotScheduled, NotScheduled, NotScheduled, NotScheduled};
    int32_t inputPosition = 0;  // where the player's next bell shot lies in the sequence
};

struct RoundState {
    int32_t roundFlag = 0;
    int32_t quotas[QuotaCount] = {};  // animals still to shoot in this stage; -1 = no quota
    int32_t score = 0;
    int32_t streakCount = 0;  // further consecutive hits of the streak kind
    int32_t streakKind = 0;   // kind of the last scoring hit; 0 = none
    uint8_t crossbowTargetHit = 0;
    int32_t cameraMin = ForestCameraMin;  // the camera's limits, reset with every round
    int32_t cameraMax = ForestCameraMax;
    int32_t QuotaStage = 0;  // quota sets drawn so far
    // Round clock until which a completed stage is announced (and no weapon banner shows);
    // NotScheduled = none.
    uint32_t stageMessageEnd = NotScheduled;
    BellSequence bellSequence;
    uint32_t RoundClock = 0;  // tick count minus the time spent paused
    uint32_t RoundEnd = 0;    // round clock at which the round ends; 0 = no round running

    // Back to the start of a round, with the first quota set drawn and the camera limited to the
    // forest, or unlimited in PanoramaMode.
    void ResetRound();
    // Begins the next stage: re-seeds the generator with the tick count, leaves two random kinds
    // free and asks 3 x stage .. 3 x stage + 5 animals of each other kind.
    void DrawQuotas();
    // When no quota is above 0: draws the next set and returns true.
    bool StageComplete();
    // Lowers the quota of `kind` by one while it is above 0; other kinds change nothing.
    void DecrementQuota(int32_t kind);
    // The streak rule for a scoring hit of `kind`: five boars in a row give 100 bonus points, five
    // quails in a row 15 more seconds (result -1); otherwise 0.
    int32_t RecordHit(int32_t kind);

    // The quota of `kind`, or NoQuota for kinds without one.
    int32_t QuotaOf(int32_t kind) const;
    // True while a completed stage is being announced.
    bool StageMessageShowing() const {
        return stageMessageEnd != NotScheduled && stageMessageEnd > RoundClock;
    }
};

extern RoundState Round;
// Loose petals shot in this round.
extern int32_t PetalsShot;

}  // namespace gamestate
