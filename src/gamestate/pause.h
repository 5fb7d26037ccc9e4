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

void ResetPauseState();

}  // namespace gamestate
