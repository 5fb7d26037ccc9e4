// Animals are not placed by the level layout: they are put into free slot pairs of the middle and
// far ranges of the table, at round start within reach of the camera and later from off-screen.
#pragma once

#include <cstdint>

#include "world/entity.h"

namespace world {

// May put one animal (and perhaps an apple on a boar's back) into the world. `plane` 2 or 3 (any
// other value spawns nothing); a 1-in-`oneIn` chance; `kind` 0 draws one of kinds 1..5;
// `enterFromSide` places the animal off-screen instead of within 1600 pixels right of the camera.
void spawnAnimal(int plane, int oneIn, int kind, bool enterFromSide);

// Sets slot `e` up as an animal of `kind` in `plane`, starting relative to the integer camera
// position `cameraX`. Kinds and planes without pictures leave the slot untouched.
void initAnimal(Entity& e, int kind, int plane, int32_t cameraX, bool enterFromSide);

}  // namespace world
