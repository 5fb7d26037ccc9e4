// The behaviour step of the scenery kinds (decoration -1 and the targets 25 and above): the
// entry point of their per-frame rules, called by Entity::update after the common head.
#pragma once

#include "world/entity.h"

namespace world {

// One behaviour step of a scenery entity, `seconds` after its last draw. `cameraX` is the integer
// camera position. False when the step ended early, which skips the world wrap.
bool updateScenery(Entity& e, int cameraX, float seconds);

}  // namespace world
