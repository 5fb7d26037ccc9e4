// The catalogue: every sound file the game plays, what it stands for, how it is made and where
// it sits in the mix.
#pragma once

#include <span>

#include "sounds/clip.h"
#include "sounds/mastering.h"
#include "sounds/random.h"

namespace assetgen::sound {

struct SoundEntry {
    const char* path;  // the game's name of the file (gamestate/sound_files.h)
    const char* what;  // what it is and when the game plays it
    double seconds;    // intended length (effects: at most, before the quiet tail is trimmed)
    double lufs;       // loudness in the mix: an effect's loudest 400 ms, a tune's average
    Clip (*recipe)(Random&);
};

// In the order of the game's sound manifest, one entry for each of its files.
std::span<const SoundEntry> SoundCatalogue();

bool IsMusic(const SoundEntry& entry);

// How an entry is mastered: its loudness, how that is measured, its fades.
MasteringPlan PlanFor(const SoundEntry& entry);

// Renders an entry from its own seed and masters it: the exact clip that is written to disk.
Clip RenderSound(const SoundEntry& entry);

}  // namespace assetgen::sound
