// The three bell notes: struck by the bells themselves and played by the hint melody.
#pragma once

#include <cstdint>

namespace world {

// Plays bell note 1, 2 or 3; other values play nothing.
void PlayBellNote(int32_t note);

// Makes the note sounds ahead of their first play (at level load).
void PrepareBellNotes();
// Deletes the note sounds.
void ReleaseBellNotes();

}  // namespace world
