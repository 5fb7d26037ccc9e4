// The player's side of a playing frame: the controls step (weapon keys, firing, reloading), the
// shot loop that offers a shot to the entities (with the placement of thrown dynamite), and the
// fanfare of a newly unlocked weapon. The playing frame calls them in this order: controls,
// (scene, whose middle and near tiles test which layer the shot struck), shot loop, fanfare.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace flow {

// Set when the dynamite was thrown this frame; the placement after the shot loop uses it.
extern bool ThrowRequested;

// The controls step: clears ClickPoint, reads the cursor (returned, for the camera and the
// crosshair), selects, fires and reloads.
platform::Point RunControls();

// The shot loop for this frame's click, then the placement of thrown dynamite.
void RunShotLoop();

// Plays the fanfare of one newly unlocked weapon per frame.
void PlayUnlockFanfare();

// Makes the reload and empty sounds ahead of their first play (at level load).
void PrepareControlSounds();

// Forgets the thrown dynamite and deletes the weapon sounds made on first use.
void ResetControls();

}  // namespace flow
