#include "flow/timed_spawn.h"

#include <cstdlib>

#include "gamestate/asset_catalogue.h"
#include "gamestate/game_state.h"
#include "gamestate/pause.h"
#include "platform/platform.h"
#include "world/entity.h"
#include "world/level_layout.h"
#include "world/spawning.h"

namespace flow {

namespace {

// The raven comes back to the scarecrow only while the camera is away from the world's seam.
void MaybePerchRaven() {
    if (std::rand() % 50 != 0) return;
    world::Entity& raven = world::EntityTable[world::entity_index::PerchedRaven];
    if (raven.active || !(gamestate::Game.CameraX >= 200.0f && gamestate::Game.CameraX < 4000.0f))
        return;
    raven.setSprite(gamestate::RavenSprites.at(gamestate::FullSize, 1), world::LeftStrip,
                    world::NearPlane, 6);
    raven.y = world::RavenPerch.y;
    raven.x = world::RavenPerch.x;
    raven.active = 1;
    // A raven shot earlier comes back alive: not hit, not crumbling, not sunk.
    raven.state = 0;
    raven.showOnly(0);
    raven.oneShot = 0;
    raven.sinkOffset = 0.0f;
    raven.timer = 0.0f;
    raven.lastUpdateMs = platform::Ticks();
}

}  // namespace

void TimedSpawn() {
    const uint32_t now = platform::Ticks();
    if (gamestate::Pause.MinimizedInGame) gamestate::Game.SpawnTimer = now;
    if (gamestate::Game.SpawnTimer == 0) {
        gamestate::Game.SpawnTimer = now;
        return;
    }
    if (now - gamestate::Game.SpawnTimer < SpawnIntervalMs) return;
    // Planes 1, 4 and 5 spawn nothing: two draws in five bring an animal.
    const int plane = std::rand() % 5 + 1;
    world::spawnAnimal(plane, 1, 0, true);
    gamestate::Game.SpawnTimer += SpawnIntervalMs;
    MaybePerchRaven();
}

}  // namespace flow
