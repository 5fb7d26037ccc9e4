// Signals: the three bell notes of the hint melody and the hunting-horn calls.
#include <algorithm>
#include <cmath>

#include "sounds/filters.h"
#include "sounds/recipes.h"
#include "sounds/reverb.h"
#include "sounds/voices.h"

namespace assetgen::sound {

namespace {

// A small hand bell: a strong fundamental that rings on, a slow beat from a slightly
// out-of-round casting, and brighter partials that fade quickly.
Clip Bell(double hz, Random& random) {
    const std::vector<Partial> partials = {{hz, 1.0, 1.7},          {hz * 1.0025, 0.4, 1.5},
                                           {hz * 2.0, 0.35, 1.0},   {hz * 3.0, 0.12, 0.6},
                                           {hz * 4.07, 0.22, 0.45}, {hz * 5.43, 0.12, 0.3},
                                           {hz * 6.8, 0.08, 0.2}};
    Samples out = RenderStrike(partials, 1.8, 0.3, 5000.0, 0.002, random);
    return WithReverb(MonoClip(std::move(out)), {0.6, 0.5, 0.8, 0.02}, 0.25, 0.0);
}

// The natural horn in B flat plays only the harmonics of its fundamental.
constexpr double kHornFundamentalHz = 116.54;

// One note of a brass horn: a saw whose brightness follows its loudness, with a lip scoop at the
// start, a breath of air, and a little vibrato on long notes.
Samples HornNote(double hz, double seconds, double level, Random& random) {
    const double total = seconds + 0.12;
    // The lips' attack overshoots and settles; on a note shorter than that it settles sooner,
    // so the corners stay in order and the loudness never jumps.
    const double attack = std::min(0.025, 0.3 * seconds);
    const double settled = std::min(0.08, 0.8 * seconds);
    const Samples loudness =
        Envelope{
            {0.0, 0.0}, {attack, 1.1}, {settled, 0.9}, {seconds, 0.85}, {seconds + 0.1, 0.0, -2.0}}
            .Render(total);
    Samples out(loudness.size());
    StateVariableFilter bell;
    Phasor phase;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRateHz;
        const double scoop = 1.0 - 0.03 * std::exp(-t / 0.015);
        const double vibrato =
            t > 0.25 ? 0.003 * Sine(5.0 * t) * std::min(1.0, (t - 0.25) * 4.0) : 0.0;
        const double pitch = hz * scoop * (1.0 + vibrato);
        const double x = Saw(phase.Next(pitch), pitch / kSampleRateHz);
        if (i % 16 == 0) bell.SetCutoff(hz * (1.2 + 5.0 * static_cast<double>(loudness[i])), 0.8);
        out[i] =
            static_cast<float>(bell.Process(x).lowPass * static_cast<double>(loudness[i]) * level);
    }
    MixInto(
        out,
        ShapedNoise(random, 0.1, NoiseColour::White, Envelope{{0.0, 0.0}, {0.01, 0.15}, {0.1, 0.0}},
                    FilterShape::BandPass, Envelope{{0.0, hz * 2.0}}, 3.0),
        0, level);
    return out;
}

struct HornStep {
    int harmonic;  // which harmonic of the horn; 0 is a rest
    double beats;
};

// A call of one or two horns; the second plays a third, fourth or fifth below on the
// neighbouring harmonic.
Clip HornCall(const std::vector<HornStep>& steps, double beatSeconds, bool duet, Random& random) {
    Clip out;
    out.left.assign(1, 0.0f);
    out.right.assign(1, 0.0f);
    double t = 0.0;
    for (const HornStep& step : steps) {
        const double slot = step.beats * beatSeconds;
        if (step.harmonic > 0) {
            const double sounding = slot * (step.beats <= 0.5 ? 0.75 : 0.9);
            MixPanned(out, HornNote(kHornFundamentalHz * step.harmonic, sounding, 1.0, random), t,
                      1.0, duet ? -0.35 : 0.0);
            if (duet) {
                const int lower = step.harmonic >= 8 ? 6 : step.harmonic - 1;
                MixPanned(out, HornNote(kHornFundamentalHz * lower, sounding, 0.8, random), t, 1.0,
                          0.35);
            }
        }
        t += slot;
    }
    return WithReverb(out, {0.6, 0.6, 1.0, 0.025}, 0.3, 1.0);
}

}  // namespace

// C, E and G: a major chord, so any order of the three is a tune.
Clip BellNoteLow(Random& random) {
    return Bell(MidiToHz(72), random);
}
Clip BellNoteMiddle(Random& random) {
    return Bell(MidiToHz(76), random);
}
Clip BellNoteHigh(Random& random) {
    return Bell(MidiToHz(79), random);
}

Clip StreakHornCall(Random& random) {
    // Quick and rising: three pick-up notes to the top, a held call.
    return HornCall({{3, 0.5}, {4, 0.5}, {5, 0.5}, {6, 1.5}, {5, 0.5}, {6, 2.0}}, 0.2, false,
                    random);
}

Clip StageHornCall(Random& random) {
    // Stately, for two horns, falling to a long close.
    return HornCall({{4, 1.0},
                     {6, 1.0},
                     {5, 0.5},
                     {4, 0.5},
                     {5, 1.0},
                     {6, 1.5},
                     {5, 0.5},
                     {4, 0.5},
                     {3, 0.5},
                     {4, 2.5}},
                    0.28, true, random);
}

Clip UnlockHornCall(Random& random) {
    // Martial: a drum-like run of repeated notes that climbs to the top.
    return HornCall(
        {{3, 1.0}, {4, 1.0}, {4, 0.5}, {4, 0.5}, {5, 2.0}, {4, 1.0}, {5, 1.0}, {6, 3.5}}, 0.17,
        false, random);
}

}  // namespace assetgen::sound
