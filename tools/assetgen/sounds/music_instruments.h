// The folk band: the instruments that play the two tunes.
#pragma once

#include "sounds/clip.h"
#include "sounds/random.h"

namespace assetgen::sound {

enum class Instrument {
    Recorder,   // a soft wooden flute
    Whistle,    // a bright tin whistle
    Accordion,  // two reeds a few cents apart
    Harp,       // bright plucked strings
    Guitar,     // mellow plucked strings for the chords
    Bass,       // plucked double bass
    FrameDrum,  // a low hand drum
    Brush,      // a snare played with brushes
    Shaker,
    Tambourine,
};

// One note of `seconds` (the time until the next note; the player stops the note there) at
// `velocity` 0..1. Percussion ignores `hz`.
Samples PlayNote(Instrument instrument, double hz, double seconds, double velocity, Random& random);

}  // namespace assetgen::sound
