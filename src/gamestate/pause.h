// Pause bookkeeping: a game minimised mid-round stops its round clock and its world.
#pragma once

#include <cstdint>

namespace gamestate {

struct PauseState {
    // Set by a minimise during a game; freezes the world until the first frame presented
    // afterwards.
    bool MinimizedInGame = false;
    bool Pausing = false;
    uint32_t PauseStart = 0;
    // Milliseconds spent paused in this round; the round clock is the tick count minus this.
    uint32_t PausedTotal = 0;
};

extern PauseState Pause;

// The game is away (minimised, or busy bringing back its pictures): the world freezes and the
// round clock stops until the next frame is presented. A pause already running goes on, so the
// time in between is not charged to the round either.
void BeginPause(uint32_t now);

}  // namespace gamestate
