// The common part of placing one fixed object of a level layout.
#pragma once

#include <cstdint>

#include "gamestate/asset_catalogue.h"
#include "world/entity.h"

namespace world {

// Writes object `index`: its picture in slot 1 of the sprite set of its plane (with `frames`
// frames), its position, plane, hit plane and kind; active and no longer free for spawning. The
// animation position is left as it was; each layout row writes what else it needs.
Entity& PlaceObject(int index, int32_t kind, CBitmapSurface* picture, int frames, int plane,
                    float x, float y);

// PlaceObject for an object that starts on its first picture (first and last frame 0), its
// animation position left as it was.
Entity& PlaceOnFirstPicture(int index, int32_t kind, CBitmapSurface* picture, int frames, int plane,
                            float x, float y);

// The loaded bitmap of one scenery picture of the catalogue (null when it failed to load).
CBitmapSurface* Picture(gamestate::ScenePicture picture);

}  // namespace world
