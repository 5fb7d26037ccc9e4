#include "gamestate/game_state.h"

#include "sound/sound.h"

namespace gamestate {

GameState Game;
CSound* MenuMusic = nullptr;
CSound* GameMusic = nullptr;

void ReleaseWholeFileMusic() {
    delete MenuMusic;
    MenuMusic = nullptr;
    delete GameMusic;
    GameMusic = nullptr;
}

}  // namespace gamestate
