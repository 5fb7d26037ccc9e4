#include "gamestate/game_state.h"

#include "sound/sound.h"

namespace gamestate {

int32_t GameScreen = StartScreen;
uint32_t StartScreenTime = 0;
bool LevelLoaded = false;
bool EscLatch = false;
bool LeftButtonLatch = false;
bool RightButtonLatch = false;
bool NameButtonLatch = false;
bool PreviousWeaponLatch = false;
bool NextWeaponLatch = false;
ScreenPoint ClickPoint;
int32_t LayerHit = NoLayerHit;
bool PanoramaMode = false;
float CameraX = 1600.0f;
float FarScroll = 0.0f;
float MidScroll = 0.0f;
uint32_t SpawnTimer = 0;
CSound* MenuMusic = nullptr;
CSound* GameMusic = nullptr;

void ResetGameState() {
    GameScreen = StartScreen;
    StartScreenTime = 0;
    LevelLoaded = false;
    EscLatch = false;
    LeftButtonLatch = false;
    RightButtonLatch = false;
    NameButtonLatch = false;
    PreviousWeaponLatch = false;
    NextWeaponLatch = false;
    ClickPoint = ScreenPoint{};
    LayerHit = NoLayerHit;
    PanoramaMode = false;
    CameraX = 1600.0f;
    FarScroll = 0.0f;
    MidScroll = 0.0f;
    SpawnTimer = 0;
    delete MenuMusic;
    MenuMusic = nullptr;
    delete GameMusic;
    GameMusic = nullptr;
}

}  // namespace gamestate
