// The shot loop: this frame's shot is offered to the entities from the top of the table down,
// so that of two overlapping entities the one drawn later (on top) takes it, and one shot hits
// at most one entity. Then thrown dynamite lands where the click struck the ground.
#include "flow/controls.h"
#include "gamestate/asset_catalogue.h"
#include "gamestate/game_state.h"
#include "gamestate/point_popups.h"
#include "gamestate/round_state.h"
#include "platform/platform.h"
#include "world/entity.h"
#include "world/level_layout.h"
#include "world/shot.h"
#include "world/weapon.h"

namespace flow {

namespace {

// The shotgun's pellets spread: a miss on an animal is tried again this far around the click.
constexpr int SpreadPixels = 12;
constexpr int SpreadOffsets[4][2] = {
    {-SpreadPixels, 0}, {SpreadPixels, 0}, {0, SpreadPixels}, {0, -SpreadPixels}};
// Crossbow bolts are worth more in the middle plane, less in the far one.
constexpr double CrossbowMidFactor = 1.75;
constexpr double CrossbowFarFactor = 0.5;
// A point label starts this far above the shot.
constexpr int LabelRise = 50;

int32_t TestWithSpread(world::Entity& e, int cx, int cy, int32_t weapon) {
    int32_t points = world::testShot(e, cx, cy, gamestate::Game.LayerHit);
    if (weapon != world::Shotgun || !world::CaughtBySpread(e.kind)) return points;
    for (const auto& offset : SpreadOffsets) {
        if (points != 0) break;
        points = world::testShot(e, cx + offset[0], cy + offset[1], gamestate::Game.LayerHit);
    }
    return points;
}

int32_t CrossbowPoints(int32_t points, int32_t plane) {
    if (points <= 0) return points;
    if (plane == world::MidPlane) return static_cast<int32_t>(points * CrossbowMidFactor);
    if (plane == world::FarPlane) return static_cast<int32_t>(points * CrossbowFarFactor);
    return points;
}

// Streak bonus, score, quota and the rising label of a scoring hit.
void CountHit(int32_t kind, int32_t points, int cx, int cy) {
    int32_t bonus = gamestate::Round.RecordHit(kind);
    if (bonus != 0) gamestate::PlayEffect(gamestate::StreakBonusSound);
    if (bonus < 0) bonus = 0;  // the quail streak gives time, not points
    points += bonus;
    gamestate::Round.score += points;
    gamestate::Round.DecrementQuota(kind);
    gamestate::AddPointPopup(points,
                             static_cast<int32_t>(static_cast<float>(cx) + gamestate::Game.CameraX),
                             static_cast<float>(cy - LabelRise), gamestate::Round.RoundClock);
}

// Dynamite thrown onto the ground (or onto something standing on it) goes off there; thrown
// into the sky it is not used up.
void PlaceDynamite(int cx, int cy) {
    if (!ThrowRequested || gamestate::Game.LayerHit > gamestate::MidLayerHit) return;
    ThrowRequested = false;
    gamestate::PlayEffect(gamestate::DynamiteSound);
    if (world::PlayerWeapon) world::PlayerWeapon->fire();
    world::Entity& blast = world::EntityTable[world::entity_index::DynamiteBlast];
    blast.x = static_cast<float>(cx) + gamestate::Game.CameraX - 100.0f;
    blast.y = static_cast<float>(cy - 100);
    blast.lastUpdateMs = platform::Ticks();
    blast.direction = 0;
    blast.verticalSpeed = 0.0f;
    blast.playFrames(0, 7);
    blast.active = 1;
    blast.oneShot = 1;
}

}  // namespace

void RunShotLoop() {
    if (gamestate::Game.ClickPoint.x == -1) return;
    const int cx = gamestate::Game.ClickPoint.x;
    const int cy = gamestate::Game.ClickPoint.y;
    const int32_t weapon = world::SelectedWeapon();
    for (int i = world::EntityCount - 1; i >= 0; --i) {
        world::Entity& e = world::EntityAt(i);
        if (e.active != 1 || e.state == world::state::Hit) continue;
        int32_t points = TestWithSpread(e, cx, cy, weapon);
        if (weapon == world::Crossbow) points = CrossbowPoints(points, e.plane);
        if (points == 0) continue;
        gamestate::Game.LayerHit = gamestate::EntityHit;
        if (points > 0) CountHit(e.kind, points, cx, cy);
        break;
    }
    PlaceDynamite(cx, cy);
}

}  // namespace flow
