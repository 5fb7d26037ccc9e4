// The built-in player of tqdriver --autoplay: it starts a game from the menu, looks through the
// game's own state for visible animals and targets, aims at a pixel of them that a shot would
// hit, fires, reloads when the magazine is empty, sweeps the camera when nothing is in sight,
// and types a name when the round ends.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/headless/headless_backend.h"

namespace world {
struct Entity;
}

namespace driver {

class Autoplayer {
  public:
    // `rounds`: how many rounds to play before closing the game; 0 = play on until the run ends.
    explicit Autoplayer(int rounds) : roundsToPlay_(rounds) {}

    // Sets the cursor, buttons and keys for the frame about to run (the clock has advanced).
    void BeforeFrame(platform::HeadlessBackend& backend, int frame);

    int RoundsPlayed() const { return roundsPlayed_; }
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
    static Aim ChooseTarget(int cursorX, int cursorY, float frameMs);

  private:
    void InMenu(platform::HeadlessBackend& backend, int frame);
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
};

}  // namespace driver
