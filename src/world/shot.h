// What one shot does to one entity. The shot loop offers the shot point to the entities from
// the top of the table down; `testShot` decides whether the point lies on a visible pixel of the
// entity as it was last drawn and, if so, plays its hit sound, applies its reaction and returns
// its points.
#pragma once

#include <cstdint>

#include "gamestate/game_state.h"
#include "world/entity.h"

namespace world {

// Result of a hit that uses up the shot without scoring.
constexpr int32_t HitWithoutPoints = -1;

// Whether thrown dynamite can reach `e`. It lands on the ground in front: it reaches the near
// plane and the animals of the middle plane (boar to deer), but not the apples and ravens or the
// objects of the middle plane, nor anything in the far plane; the stone in front of the cave is
// the one object behind the near plane it reaches.
bool DynamiteReaches(const Entity& e);

// The shot at screen point (shotX, shotY) against entity `e`. 0 = no hit (or a hit worth
// nothing: the shot goes on to what lies behind), > 0 points, -1 a hit that scores nothing.
// `layerHit` says which background layer the shot struck.
int32_t testShot(Entity& e, int shotX, int shotY, int32_t layerHit);

// The entity's reaction to a hit; ends by blowing up whatever the hit left in state 10 while
// the dynamite is selected.
void applyHit(Entity& e);
// The points of a hit (with the side effects of some targets); the result of testShot.
int32_t scoreHit(Entity& e);

// Turns the entity into an explosion that plays once; only while the dynamite is selected.
void explode(Entity& e);
// Turns the entity into a puff of crumbs that plays once.
void crumble(Entity& e);

// The reactions and points of the scenery kinds (25 and above).
void applySceneryHit(Entity& e, int32_t weapon);
int32_t scoreSceneryHit(Entity& e, int32_t weapon);
// A bell's part of its hit sound: it rings, and a running sequence takes the bell as the
// player's next note. False when the bell started a new sequence: the shot then goes on at once.
bool ringBell(Entity& e);
// A blossom centre shows its next colour.
void advanceBlossom(Entity& e);

// Makes the hit sounds ahead of their first play (at level load).
void PrepareHitSounds();
// Deletes the cached hit sounds.
void ReleaseHitSounds();

}  // namespace world
