#include "gamestate/pause.h"

namespace gamestate {

PauseState Pause;

void BeginPause(uint32_t now) {
    Pause.MinimizedInGame = true;
    if (Pause.Pausing) return;
    Pause.PauseStart = now;
    Pause.Pausing = true;
}

}  // namespace gamestate
