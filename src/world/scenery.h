// The behaviour step of the scenery kinds (decoration -1 and the targets 25 and above): the
// entry point of their per-frame rules, called by Entity::update after the common head.
#pragma once

#include "world/entity.h"

namespace world {

// `state` of a tree apple, an acorn or the fly agaric's cap on its way down.
constexpr int32_t FallingState = 4;

// One behaviour step of a scenery entity, `seconds` after its last draw. `cameraX` is the integer
// camera position. False when the step ended early, which skips the world wrap.
bool updateScenery(Entity& e, int cameraX, float seconds);

// The sounds the scenery plays once, each play on a voice of its own.
constexpr const char* ScarecrowTurnSound = "sounds/effekte/al.wav";
constexpr const char* CorkSounds[2] = {"sounds/effekte/an.wav", "sounds/effekte/am.wav"};
constexpr const char* ClockTickSound = "sounds/effekte/uhr01a.wav";  // in the playfield
constexpr const char* ClockTickAwaySound = "sounds/effekte/uhr02a.wav";
constexpr const char* WoodpeckerKnockSound = "sounds/effekte/specht_klopf01.wav";

// Makes those sounds ahead of their first play (at level load).
void PrepareScenerySounds();

}  // namespace world
