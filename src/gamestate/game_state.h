// The global game state that the screens, the round, the controls, the camera, the scenery and
// the drawing share. Plain globals of the main thread, grouped here so that one reset puts them
// all back.
#pragma once

#include <cstdint>

#include "platform/platform.h"

class CSound;

namespace gamestate {

// The current screen.
enum Screen : int32_t {
    StartScreen = -1,
    MenuEntryScreen = 0,
    MenuScreen = 1,
    GamePlayScreen = 2,
};

struct ScreenPoint {
    int32_t x = -1;
    int32_t y = -1;
};

// The tick count that marks "not scheduled" / "round has started".
using platform::NotScheduled;

extern int32_t GameScreen;
// Start screen: when it was first shown (0 = not yet). Game screen: when loading began, then
// NotScheduled once the round has started.
extern uint32_t StartScreenTime;
extern bool LevelLoaded;
extern bool EscLatch;
extern bool LeftButtonLatch;
extern bool RightButtonLatch;
// A controller's A that went down while a name was typed moved the name on: it stands for the
// left button again only once it is let go.
extern bool NameButtonLatch;
// The shoulder buttons step the weapon once per press, however long they are held.
extern bool PreviousWeaponLatch;
extern bool NextWeaponLatch;
// This frame's accepted click, or (-1, -1).
extern ScreenPoint ClickPoint;

// Which layer stopped this frame's shot. The middle and near tiles are tested as they are drawn;
// an entity that takes the shot sets EntityHit.
constexpr int32_t NoLayerHit = 5;   // sky or far layer: nothing stopped it
constexpr int32_t MidLayerHit = 3;  // an opaque pixel of the middle layer
constexpr int32_t NearLayerHit = 2;
constexpr int32_t EntityHit = 0;
extern int32_t LayerHit;

// The whole hunting ground: each round leaves the camera free to go round the whole world, and
// every background tile that covers the view is drawn. Fixed for the run; set from the options
// file, or from the command line, which wins.
extern bool PanoramaMode;

extern float CameraX;
extern float FarScroll;
extern float MidScroll;
extern uint32_t SpawnTimer;

// Whole-file music, used when music is not streamed.
extern CSound* MenuMusic;
extern CSound* GameMusic;

// Puts every global above back to its value at program start; the whole-file music goes.
void ResetGameState();

}  // namespace gamestate
