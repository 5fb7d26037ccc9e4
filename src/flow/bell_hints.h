// The hint melody of the bell puzzle: once the player has struck a first bell, every ten seconds
// the part of the melody reproduced so far plays, plus its next note, 750 ms apart. Reproducing
// all four notes unlocks the crossbow.
#pragma once

#include <cstdint>

namespace flow {

// Plays bell note 1, 2 or 3 (also struck by the bells themselves).
void PlayBellNote(int32_t note);

// The hint step of a playing frame; `t` is the time read for the near layer's entities.
void PlayBellHints(uint32_t t);

// Forgets the note sounds (for tests).
void ReleaseBellNotesForTests();

}  // namespace flow
