// The behaviour step of the scenery kinds (decoration -1 and the targets 25 and above): the
// entry point of their per-frame rules, called by Entity::update after the common head.
#pragma once

#include "gamestate/sound_files.h"
#include "world/entity.h"

namespace world {

// `state` of a tree apple, an acorn or the fly agaric's cap on its way down.
constexpr int32_t FallingState = 4;

// One behaviour step of a scenery entity, `seconds` after its last draw. `cameraX` is the integer
// camera position. False when the step ended early, which skips the world wrap.
bool updateScenery(Entity& e, int cameraX, float seconds);

// The sounds the scenery plays once, each play on a voice of its own.
constexpr const char* ScarecrowTurnSound = gamestate::sound_file::ScarecrowTurns;
constexpr const char* CorkSounds[2] = {gamestate::sound_file::CorkPops,
                                       gamestate::sound_file::TroughGurgles};
constexpr const char* ClockTickSound = gamestate::sound_file::ClockTick;  // in the playfield
constexpr const char* ClockTickAwaySound = gamestate::sound_file::ClockTickAway;
constexpr const char* WoodpeckerKnockSound = gamestate::sound_file::WoodpeckerKnock;

// Makes those sounds ahead of their first play (at level load).
void PrepareScenerySounds();

}  // namespace world
