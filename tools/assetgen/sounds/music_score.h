// Scores: a small text notation for melodies and chord charts.
#pragma once

#include <string_view>
#include <vector>

namespace assetgen::sound {

// One note of a part, placed in beats from the start of the piece.
struct ScoreNote {
    double beat;
    double beats;
    int midi;
};

// Parses a melody such as "b4/3 a4/1 g4/2 r/2 f#5/1": note name with an optional sharp (#) or
// flat (b), the octave, and after the slash the length in `unitBeats`; "r" rests. Notes start at
// `startBeat`. `end` receives the beat after the last note.
std::vector<ScoreNote> ParseMelody(std::string_view text, double startBeat, double unitBeats,
                                   double* end = nullptr);

// A chord of a chord chart: "G", "Am", "D7", "F#m".
struct Chord {
    int root;                // pitch class, C = 0
    std::vector<int> tones;  // intervals above the root
};

// Parses a chart of chords separated by spaces, one per bar.
std::vector<Chord> ParseChords(std::string_view text);

// The chord's tones nearest above `lowest` (MIDI), one of each.
std::vector<int> Voicing(const Chord& chord, int lowest);

// The chord's root in the octave from `lowest` up.
int RootAbove(const Chord& chord, int lowest);

}  // namespace assetgen::sound
