// The global game state that the screens, the round, the controls, the camera, the scenery and
// the drawing share: one record of the main thread whose members start at their values at
// program start, so that putting them back is one assignment.
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

// Which layer stopped this frame's shot. The middle and near tiles are tested as they are drawn;
// an entity that takes the shot sets EntityHit.
constexpr int32_t NoLayerHit = 5;   // sky or far layer: nothing stopped it
constexpr int32_t MidLayerHit = 3;  // an opaque pixel of the middle layer
constexpr int32_t NearLayerHit = 2;
constexpr int32_t EntityHit = 0;

struct GameState {
    int32_t GameScreen = StartScreen;
    // Start screen: when it was first shown (0 = not yet). Game screen: when loading began, then
    // NotScheduled once the round has started.
    uint32_t StartScreenTime = 0;
    bool LevelLoaded = false;
    bool EscLatch = false;
    bool LeftButtonLatch = false;
    bool RightButtonLatch = false;
    // A controller's A that went down while a name was typed moved the name on: it stands for
    // the left button again only once it is let go.
    bool NameButtonLatch = false;
    // The shoulder buttons step the weapon once per press, however long they are held.
    bool PreviousWeaponLatch = false;
    bool NextWeaponLatch = false;
    // This frame's accepted click, or (-1, -1).
    ScreenPoint ClickPoint;
    int32_t LayerHit = NoLayerHit;
    // The whole hunting ground: each round leaves the camera free to go round the whole world,
    // and every background tile that covers the view is drawn. Fixed for the run; set from the
    // options file, or from the command line, which wins.
    bool PanoramaMode = false;
    float CameraX = 1600.0f;
    float FarScroll = 0.0f;
    float MidScroll = 0.0f;
    uint32_t SpawnTimer = 0;
};

extern GameState Game;

// Whole-file music, used when music is not streamed.
extern CSound* MenuMusic;
extern CSound* GameMusic;

// Deletes the whole-file music.
void ReleaseWholeFileMusic();

}  // namespace gamestate
