// The player's side of a playing frame: the controls step (weapon keys, firing, reloading), the
// test of which background layer a shot struck, the shot loop that offers a shot to the entities
// (with the placement of thrown dynamite), and the fanfare of a newly unlocked weapon. The
// playing frame calls them in this order: controls, (scene with the layer tests), shot loop,
// fanfare.
#pragma once

#include <cstdint>

#include "platform/platform.h"

class CBitmapSurface;

namespace flow {

// Which layer stopped this frame's shot: 5 none (sky or far layer), 3 the middle layer, 2 the
// near layer, 0 an entity.
extern int32_t LayerHit;
// Set when the dynamite was thrown this frame; the placement after the shot loop uses it.
extern bool ThrowRequested;

// The controls step: clears ClickPoint, reads the cursor (returned, for the camera and the
// crosshair), selects, fires and reloads.
platform::Point RunControls();

// Called for each drawn tile of the middle (`layer` 2) and near (`layer` 3) background, right
// after it was drawn at `tileScreenX` with its source cut at `clippedSourceLeft`.
void TestLayerHit(int layer, CBitmapSurface* tile, int tileScreenX, int clippedSourceLeft);

// The shot loop for this frame's click, then the placement of thrown dynamite.
void RunShotLoop();

// Plays the fanfare of one newly unlocked weapon per frame.
void PlayUnlockFanfare();

// Forgets this frame's shot and the weapon sounds made on first use (for tests).
void ResetControlsForTests();

}  // namespace flow
