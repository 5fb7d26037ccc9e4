// Voices: the building blocks the effect recipes and the music are made of: animal calls,
// whistles, struck bodies, filtered noise, thumps, crackle and plucked strings.
#pragma once

#include <vector>

#include "sounds/clip.h"
#include "sounds/envelopes.h"
#include "sounds/oscillators.h"
#include "sounds/random.h"

namespace assetgen::sound {

// A resonance of a vocal tract or a body.
struct Formant {
    double hz;
    double q;
    double gainDb;
};

// A voiced animal call: a buzzing glottal source shaped by formants.
struct VocalCall {
    double seconds = 0.5;
    Envelope pitchHz{{0.0, 200.0}};
    Envelope loudness{{0.0, 1.0}};
    std::vector<Formant> formants;
    Envelope formantScale{{0.0, 1.0}};  // multiplies every formant (mouth opening and closing)
    double pulseWidth = 0.3;            // narrow pulses buzz, wide ones are softer
    double tiltHz = 3000.0;             // the source is darkened above this
    double breath = 0.1;                // share of breath noise in the source
    double jitter = 0.0;                // random pitch wander, as a fraction of the pitch
    double roughness = 0.0;             // depth of the sub-harmonic flutter that makes calls harsh
    double roughnessRatio = 0.5;        // flutter rate as a fraction of the pitch
    double vibratoHz = 0.0;
    double vibratoDepth = 0.0;  // fraction of the pitch
};
Samples RenderVocalCall(const VocalCall& call, Random& random);

// A whistled or squeaked tone: a sine with a few harmonics and a breath.
struct Whistle {
    double seconds = 0.2;
    Envelope pitchHz{{0.0, 2000.0}};
    Envelope loudness{{0.0, 1.0}};
    double second = 0.0;  // level of the second harmonic
    double third = 0.0;   // level of the third harmonic
    double breath = 0.0;  // band-passed noise around the pitch
    double vibratoHz = 0.0;
    double vibratoDepth = 0.0;  // fraction of the pitch
};
Samples RenderWhistle(const Whistle& whistle, Random& random);

// A struck body: its partials ring from a short noise click of `clickSeconds`, band-passed
// around `clickHz`.
Samples RenderStrike(const std::vector<Partial>& partials, double seconds, double clickLevel,
                     double clickHz, double clickSeconds, Random& random);

// Partials of a struck body, each detuned at random by up to `spread` (a fraction).
std::vector<Partial> Detuned(std::vector<Partial> partials, double spread, Random& random);

enum class NoiseColour { White, Pink, Brown };
enum class FilterShape { LowPass, BandPass, HighPass };

// Noise of a colour, filtered by a cutoff that follows `cutoffHz`, shaped by `loudness`.
Samples ShapedNoise(Random& random, double seconds, NoiseColour colour, const Envelope& loudness,
                    FilterShape shape, const Envelope& cutoffHz, double q);

// A low thump: a sine that falls from `startHz` to `endHz` over `sweepSeconds` and dies in
// `decaySeconds` (60 dB).
Samples RenderThump(double startHz, double endHz, double sweepSeconds, double decaySeconds,
                    double seconds);

// Random clicks whose density follows `perSecond` and whose size follows `loudness`, each a
// tiny band-passed burst around a random frequency from `lowHz` to `highHz`.
Samples RenderCrackle(Random& random, double seconds, const Envelope& perSecond,
                      const Envelope& loudness, double lowHz, double highHz);

// A plucked string (Karplus-Strong): `brightness` 0..1 shapes the pluck, `sustain` the seconds
// a note takes to fall by 60 dB.
struct Pluck {
    double hz = 220.0;
    double seconds = 1.0;
    double brightness = 0.6;
    double sustain = 2.0;
    double pickPosition = 0.2;  // fraction of the string from the bridge; combs out harmonics
};
Samples RenderPluck(const Pluck& pluck, Random& random);

// Bubbles: short sine chirps that rise as they die, the sound of water.
Samples RenderBubble(double hz, double rise, double decaySeconds);

}  // namespace assetgen::sound
