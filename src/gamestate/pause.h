// Pause bookkeeping: a game minimised mid-round stops its round clock and its world.
#pragma once

#include <cstdint>

namespace gamestate {

// Set by a minimise during a game; freezes the world until the first frame presented afterwards.
extern bool MinimizedInGame;
extern bool Pausing;
extern uint32_t PauseStart;
// Milliseconds spent paused in this round; the round clock is the tick count minus this.
extern uint32_t PausedTotal;

// The game is away (minimised, or busy bringing back its pictures): the world freezes and the
// round clock stops until the next frame is presented. A pause already running goes on, so the
// time in between is not charged to the round either.
void BeginPause(uint32_t now);

void ResetPauseState();

}  // namespace gamestate
