#include "world/spawning.h"

#include "display/bitmap_surface.h"
#include "gamestate/asset_catalogue.h"
#include "gamestate/game_state.h"
#include "gamestate/round_state.h"
#include "gamestate/rules_random.h"
#include "platform/platform.h"

namespace world {

namespace {

using gamestate::SpriteSet;

// How an animal kind looks and stands in one plane.
struct AnimalSetup {
    int32_t kind;
    int32_t plane;
    const SpriteSet* sprites;  // null: no pictures exist for it
    int sizeClass;
    bool hasContinuation;  // two strips per facing (images 1, 2 and 4, 5)
    int framesPerStrip;
    float y;
};

const AnimalSetup AnimalSetups[] = {
    {kind::Boar, MidPlane, &gamestate::BoarSprites, gamestate::HalfSize, true, 13, 300.0f},
    {kind::Boar, FarPlane, &gamestate::BoarSprites, gamestate::QuarterSize, true, 13, 250.0f},
    {kind::Apple, MidPlane, &gamestate::AppleSprites, gamestate::HalfSize, true, 13, 300.0f},
    {kind::Apple, FarPlane, &gamestate::AppleSprites, gamestate::QuarterSize, true, 13, 250.0f},
    {kind::Duck, MidPlane, &gamestate::DuckSprites, gamestate::FullSize, false, 13, 250.0f},
    {kind::Duck, FarPlane, &gamestate::DuckSprites, gamestate::HalfSize, false, 13, 150.0f},
    {kind::Mole, MidPlane, &gamestate::MoleSprites, gamestate::FullSize, false, 20, 360.0f},
    {kind::Mole, FarPlane, &gamestate::MoleSprites, gamestate::HalfSize, false, 20, 276.0f},
    {kind::Hare, MidPlane, &gamestate::HareSprites, gamestate::FullSize, false, 30, 335.0f},
    {kind::Hare, FarPlane, &gamestate::HareSprites, gamestate::HalfSize, false, 30, 262.0f},
    {kind::Quail, MidPlane, &gamestate::QuailSprites, gamestate::HalfSize, false, 14, 350.0f},
    {kind::Quail, FarPlane, &gamestate::QuailSprites, gamestate::QuarterSize, false, 14, 275.0f},
    // The deer has no pictures; it only ever exists in the far plane.
    {kind::Deer, FarPlane, nullptr, gamestate::FullSize, false, 16, 190.0f},
};

const AnimalSetup* FindSetup(int kind, int plane) {
    for (const AnimalSetup& setup : AnimalSetups) {
        if (setup.kind == kind && setup.plane == plane) return &setup;
    }
    return nullptr;
}

const EntityGroup* GroupOfPlane(int plane) {
    if (plane == MidPlane) return &MidGroup;
    if (plane == FarPlane) return &FarGroup;
    return nullptr;
}

bool FreeForSpawn(const Entity& e) {
    return e.active == 0 && e.spawnable != 0;
}

}  // namespace

void initAnimal(Entity& e, int kind, int plane, int32_t cameraX, bool enterFromSide) {
    e.timer = 0.0f;
    const uint32_t now = platform::Ticks();
    const AnimalSetup* setup = FindSetup(kind, plane);
    if (!setup) return;
    // A slot is reused as it was left: an exploded animal's play-once flag, a mole's speed, a
    // hit animal's frames. The new animal starts from a clean record.
    e = Entity{};
    e.linkedIndex = -1;
    if (setup->sprites) {
        const SpriteSet& set = *setup->sprites;
        const int size = setup->sizeClass;
        const int frames = setup->framesPerStrip;
        e.setSprite(set.at(size, 1), LeftStrip, plane, frames);
        if (setup->hasContinuation) e.setSprite(set.at(size, 2), LeftContinuation, plane, frames);
        e.setSprite(set.at(size, 4), RightStrip, plane, frames);
        if (setup->hasContinuation) e.setSprite(set.at(size, 5), RightContinuation, plane, frames);
    }
    e.hitPlane = plane;
    e.plane = plane;
    e.y = setup->y;
    e.lastUpdateMs = now;
    e.frame = 0.0f;
    e.kind = kind;
    e.state = state::Walking;
    e.sinkOffset = 0.0f;
    e.active = 1;

    float x;
    if (enterFromSide) {
        if (gamestate::Rand() % 2) {
            // One frame width plus 400 pixels left of the camera.
            const CBitmapSurface* strip = e.sprites[plane][LeftStrip];
            const int32_t frames = e.frameCounts[plane][LeftStrip];
            const int frameWidth = (strip && frames > 0) ? strip->Width() / frames : 0;
            x = static_cast<float>(cameraX - frameWidth - 400);
        } else {
            x = static_cast<float>(cameraX + 2000);
        }
    } else {
        x = static_cast<float>(cameraX + gamestate::Rand() % 1600);
    }
    if (x < 0.0f) x += WorldWidth;
    if (x > WorldWidth) x -= WorldWidth;
    e.x = x;
}

void spawnAnimal(int plane, int oneIn, int kind, bool enterFromSide) {
    if (oneIn <= 0 || gamestate::Rand() % oneIn != 0) return;
    if (kind == 0) kind = gamestate::Rand() % 5 + 1;
    if (kind == kind::Deer) plane = FarPlane;
    const EntityGroup* group = GroupOfPlane(plane);
    if (!group) return;
    // A pair of free slots, so that a boar can always take an apple next to it.
    int slot = -1;
    for (int i = group->first; i + 1 <= group->last; ++i) {
        if (FreeForSpawn(EntityAt(i)) && FreeForSpawn(EntityAt(i + 1))) {
            slot = i;
            break;
        }
    }
    if (slot < 0) return;
    const int32_t camera = static_cast<int32_t>(gamestate::Game.CameraX);
    Entity& animal = EntityAt(slot);
    initAnimal(animal, kind, plane, camera, enterFromSide);
    if (kind == kind::Boar && gamestate::Round.QuotaStage >= 2 && gamestate::Rand() % 20 == 0) {
        animal.linkedIndex = slot + 1;
        initAnimal(EntityAt(slot + 1), kind::Apple, plane, camera, enterFromSide);
    }
}

}  // namespace world
