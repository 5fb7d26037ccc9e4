// The hint melody of the bell puzzle: once the player has struck a first bell, every ten seconds
// the part of the melody reproduced so far plays, plus its next note, 750 ms apart. Reproducing
// all four notes unlocks the crossbow.
#pragma once

#include <cstdint>

namespace flow {

// The hint step of a playing frame; `t` is the time read for the near layer's entities.
void PlayBellHints(uint32_t t);

}  // namespace flow
