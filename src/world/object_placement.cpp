#include "world/object_placement.h"

#include <cstddef>

namespace world {

Entity& PlaceObject(int index, int32_t kind, CBitmapSurface* picture, int frames, int plane,
                    float x, float y) {
    Entity& e = EntityAt(index);
    e.setSprite(picture, LeftStrip, plane, frames);
    e.x = x;
    e.y = y;
    e.hitPlane = plane;
    e.plane = plane;
    e.kind = kind;
    e.active = 1;
    e.spawnable = 0;
    return e;
}

Entity& PlaceOnFirstPicture(int index, int32_t kind, CBitmapSurface* picture, int frames, int plane,
                            float x, float y) {
    Entity& e = PlaceObject(index, kind, picture, frames, plane, x, y);
    e.firstFrame = e.lastFrame = 0;
    return e;
}

CBitmapSurface* Picture(gamestate::ScenePicture picture) {
    return gamestate::ScenePictures[picture];
}

}  // namespace world
