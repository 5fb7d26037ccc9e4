#include "gamestate/pause.h"

namespace gamestate {

bool MinimizedInGame = false;
bool Pausing = false;
uint32_t PauseStart = 0;
uint32_t PausedTotal = 0;

void BeginPause(uint32_t now) {
    MinimizedInGame = true;
    if (Pausing) return;
    PauseStart = now;
    Pausing = true;
}

void ResetPauseState() {
    MinimizedInGame = false;
    Pausing = false;
    PauseStart = 0;
    PausedTotal = 0;
}

}  // namespace gamestate
