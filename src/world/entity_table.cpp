#include <cstdlib>

#include "display/bitmap_surface.h"
#include "display/colour.h"
#include "world/entity.h"

namespace world {

std::array<Entity, EntityCount> EntityTable{};

void Entity::resetEntity() {
    state = 0;
    timer = 0.0f;
    direction = 0;
    verticalSpeed = 0.0f;
    firstFrame = 0;
    lastFrame = 0;
    sinkOffset = 0.0f;
    frame = 0.0f;
    hitCount = 0;
    oneShot = 0;
    active = 0;
    spawnable = 1;
}

bool Entity::setSprite(CBitmapSurface* bitmap, int slot, int set, int frameCount) {
    if (!bitmap) return false;
    if (set < 0 || set >= SpriteSetCount || slot < 0 || slot >= SpriteSlotCount) return false;
    sprites[set][slot] = bitmap;
    // Every strip the level assets hand out was keyed with the sprite key when it was loaded;
    // keying it again would rescan all its pixels on every spawn for the same result.
    if (!bitmap->HasKeyColour()) bitmap->SetKeyColour(SpriteKeyColour);
    frameCounts[set][slot] = frameCount;
    frameWidth[set] = frameCount > 0 ? bitmap->Width() / frameCount : 0;
    return true;
}

int randomSign() {
    return (std::rand() % 2) ? 1 : -1;
}

void ResetEntityTable() {
    for (Entity& entity : EntityTable) entity.resetEntity();
}

void ClearEntityTable() {
    EntityTable.fill(Entity{});
}

void ReplaceSpriteEverywhere(const CBitmapSurface* from, CBitmapSurface* to) {
    if (!from) return;
    for (Entity& entity : EntityTable) {
        for (auto& set : entity.sprites) {
            for (CBitmapSurface*& strip : set) {
                if (strip == from) strip = to;
            }
        }
    }
}

}  // namespace world
