// The catalogue: every sound file the game plays, what it stands for and how it is made.
#pragma once

#include <span>

#include "sounds/clip.h"
#include "sounds/random.h"

namespace assetgen::sound {

enum class SoundGroup { Weapons, Animals, Scenery, Signals, Music };

struct SoundEntry {
    const char* path;  // below the data directory
    const char* what;  // what it is and when the game plays it
    double seconds;    // intended length (effects: at most, before the quiet tail is trimmed)
    SoundGroup group;
    Clip (*recipe)(Random&);
};

std::span<const SoundEntry> SoundCatalogue();

const char* GroupName(SoundGroup group);

// Renders an entry from its own seed and masters it: the exact clip that is written to disk.
Clip RenderSound(const SoundEntry& entry);

}  // namespace assetgen::sound
