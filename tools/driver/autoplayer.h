// The built-in player of tqdriver --autoplay: it starts a game from the menu, looks through the
// game's own state for visible animals and targets, aims at a pixel of them that a shot would
// hit, fires, reloads when the magazine is empty, sweeps the camera when nothing is in sight,
// and types a name when the round ends. On the whole hunting ground it also goes to the meadow
// to solve the blossom puzzle and to the field to shoot the bear's target.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "world/entity.h"

namespace driver {

class Autoplayer {
  public:
    // `rounds`: how many rounds to play before closing the game; 0 = play on until the run ends.
    explicit Autoplayer(int rounds) : roundsToPlay_(rounds) {}

    // Sets the cursor, buttons and keys for the frame about to run (the clock has advanced).
    void BeforeFrame(platform::HeadlessBackend& backend, int frame);

    int RoundsPlayed() const { return roundsPlayed_; }
    // Rounds the game fired with each weapon (1 shotgun .. 4 machine gun), counted from the
    // magazine as it empties.
    int ShotsFired(int weapon) const {
        return weapon >= 1 && weapon <= 4 ? shotsFired_[weapon] : 0;
    }
    // The heap in use (KB) each time a round ended; 0 where the allocator cannot tell.
    const std::vector<long>& HeapKBAtRoundEnds() const { return heapKBAtRoundEnds_; }

    // The name typed into the high-score table.
    static constexpr const char* PlayerName = "Autoplay";

    // A point to shoot at and the entity it belongs to.
    struct Aim {
        int x = -1;
        int y = -1;
        int index = -1;
    };
    // The best visible target and where to shoot it, judged from the last frame drawn, with
    // the motion and camera scroll of the coming frame taken into account; index -1 when
    // nothing worth a shot is in sight. `cursorX`, `cursorY`: where the cursor is now.
    // Targets that several shots in a row left unchanged are passed over for a while.
    Aim ChooseTarget(int cursorX, int cursorY, float frameMs) const;

  private:
    enum Goal { BlossomGoal, BearGoal, GoalCount };
    // How long to try at a puzzle before leaving it for the round (it may be out of reach).
    static constexpr float GoalPatienceMs = 15000.0f;

    // Shots in a row that may leave a target unchanged before it is passed over, and for how
    // long (round time).
    static constexpr int FruitlessShotsAllowed = 3;
    static constexpr uint32_t IgnoreFruitlessMs = 30000;

    // What a shot at a target could change: the score, the round's end (the clock), the bell
    // melody, and the target itself.
    struct TargetLook {
        int index = -1;
        int32_t score = 0;
        uint32_t roundEnd = 0;
        int32_t bells = 0;
        uint8_t active = 0;
        int32_t state = 0;
        int32_t firstFrame = 0;
        int32_t hitCount = 0;
        float y = 0.0f;
    };
    static TargetLook LookAt(int index);

    void InMenu(platform::HeadlessBackend& backend, int frame);
    // Counts the rounds the game used since the last frame, and judges the shot at the target
    // aimed at.
    void CountShots();
    void JudgeShot();
    // With the whole hunting ground: the camera that shows the next puzzle still open (the
    // blossoms of the meadow, then the bear's target in the field), or -1.
    float PuzzleGoal();
    void InGame(platform::HeadlessBackend& backend);
    // Presses `key` for this frame only; it is released before the next.
    void Tap(platform::HeadlessBackend& backend, int key);
    void ReleaseTaps(platform::HeadlessBackend& backend);

    int roundsToPlay_;
    int roundsPlayed_ = 0;
    bool inRound_ = false;
    bool roundOver_ = false;
    int roundOverFrames_ = 0;
    bool typed_ = false;
    int typedFrame_ = 0;
    bool closeRequested_ = false;
    int sweep_ = 1;  // +1 scrolls right, -1 left, when nothing is in sight
    int tapped_[4] = {};
    std::vector<long> heapKBAtRoundEnds_;
    int tappedCount_ = 0;
    int shotsFired_[5] = {};
    int32_t lastSelected_ = 0;
    int32_t lastRoundsLeft_ = 0;
    Goal currentGoal_ = BlossomGoal;
    float goalWaitMs_[GoalCount] = {};
    TargetLook aimedAt_;
    int fruitlessShots_[world::EntityCount] = {};
    uint32_t ignoredUntil_[world::EntityCount] = {};
};

}  // namespace driver
