// A new animal every 600 ms of play, and now and then the raven on the scarecrow.
#pragma once

namespace flow {

constexpr unsigned SpawnIntervalMs = 600;

// One spawn tick check. A late frame is caught up one spawn per frame; a minimised game does
// not catch up at all.
void TimedSpawn();

}  // namespace flow
