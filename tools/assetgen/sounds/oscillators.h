// Oscillators: a table sine, band-limited saw and pulse, and decaying partials.
#pragma once

#include <cmath>

#include "sounds/clip.h"

namespace assetgen::sound {

// sin(2 pi phase) from a precomputed table with linear interpolation; `phase` in cycles, any
// value.
double Sine(double phase);

// A phase in cycles that advances by frequency / sample rate every frame.
struct Phasor {
    double phase = 0.0;

    // Returns the current phase in [0, 1) and advances it.
    double Next(double hz) {
        const double current = phase;
        phase += hz / kSampleRateHz;
        phase -= std::floor(phase);
        return current;
    }
};

// The polyBLEP correction that removes the aliasing of a jump at phase 0.
inline double PolyBlep(double phase, double increment) {
    if (phase < increment) {
        const double t = phase / increment;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - increment) {
        const double t = (phase - 1.0) / increment;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

// A rising saw in [-1, 1], band-limited.
inline double Saw(double phase, double increment) {
    return 2.0 * phase - 1.0 - PolyBlep(phase, increment);
}

// A pulse wave of duty cycle `width` in [-1, 1], band-limited.
inline double Pulse(double phase, double increment, double width) {
    double shifted = phase + 1.0 - width;
    shifted -= std::floor(shifted);
    const double naive = phase < width ? 1.0 : -1.0;
    return naive + PolyBlep(phase, increment) - PolyBlep(shifted, increment);
}

// One partial of a struck body: a sine that dies away exponentially.
struct Partial {
    double hz;
    double amplitude;
    double decaySeconds;  // time to fall by 60 dB
};

// Adds the partials, each started at `seconds`, into `target`, computed by a complex rotation
// per partial rather than a sine per frame.
void AddPartials(Samples& target, double seconds, const Partial* partials, int count,
                 double lengthSeconds);

// Renders a tone whose frequency follows `hzPerFrame` with the given harmonic amplitudes
// (amplitude of harmonic k at index k - 1).
Samples HarmonicTone(const Samples& hzPerFrame, const double* harmonics, int count);

}  // namespace assetgen::sound
