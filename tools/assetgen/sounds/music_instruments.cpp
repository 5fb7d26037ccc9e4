#include "sounds/music_instruments.h"

#include <algorithm>
#include <cmath>

#include "sounds/envelopes.h"
#include "sounds/filters.h"
#include "sounds/oscillators.h"
#include "sounds/voices.h"

namespace assetgen::sound {

namespace {

constexpr double kRelease = 0.05;

// Lets a note ring to the end of its time and damps it over the release.
void StopAt(Samples& note, double seconds) {
    const std::size_t end = FramesFor(seconds);
    const std::size_t release = FramesFor(kRelease);
    if (note.size() > end + release) note.resize(end + release);
    for (std::size_t i = end; i < note.size(); ++i) {
        note[i] *=
            static_cast<float>(1.0 - static_cast<double>(i - end) / static_cast<double>(release));
    }
}

// Wind: a sine with a little of its octave and twelfth, a breathy chiff at the start and a
// vibrato that grows on long notes.
Samples Wind(double hz, double seconds, double velocity, double second, double third, double breath,
             Random& random) {
    const double sounding = std::max(0.05, seconds * 0.92 - kRelease);
    const Samples loudness =
        Envelope{{0.0, 0.0}, {0.03, 1.0}, {sounding, 0.85}, {sounding + kRelease, 0.0}}.Render(
            sounding + kRelease);
    Samples out(loudness.size());
    StateVariableFilter air;
    air.SetCutoff(hz * 2.0, 2.0);
    double phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRateHz;
        const double depth = 0.005 * std::clamp((t - 0.25) * 3.0, 0.0, 1.0);
        const double pitch = hz * (1.0 + depth * Sine(5.5 * t));
        const double chiff = t < 0.04 ? (1.0 - t / 0.04) : 0.0;
        const double noise = air.Process(random.Bipolar()).bandPass * (breath + 1.5 * chiff);
        out[i] = static_cast<float>(
            (Sine(phase) + second * Sine(2.0 * phase) + third * Sine(3.0 * phase) + noise) *
            static_cast<double>(loudness[i]) * velocity);
        phase += pitch / kSampleRateHz;
        phase -= std::floor(phase);
    }
    return out;
}

Samples Accordion(double hz, double seconds, double velocity) {
    const double sounding = std::max(0.05, seconds * 0.9 - kRelease);
    const Samples loudness =
        Envelope{{0.0, 0.0}, {0.02, 1.0}, {sounding, 0.9}, {sounding + kRelease, 0.0}}.Render(
            sounding + kRelease);
    Samples out(loudness.size());
    StateVariableFilter tone;
    tone.SetCutoff(std::min(2600.0, hz * 6.0), 0.9);
    Phasor reedA, reedB;
    const double detune = std::pow(2.0, 6.0 / 1200.0);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double a = Pulse(reedA.Next(hz), hz / kSampleRateHz, 0.3);
        const double b = Pulse(reedB.Next(hz * detune), hz * detune / kSampleRateHz, 0.3);
        // A pulse of width 0.3 sits 0.4 below zero on average; the reeds swing about zero.
        out[i] = static_cast<float>(tone.Process(0.5 * (a + b) + 0.4).lowPass *
                                    static_cast<double>(loudness[i]) * velocity);
    }
    return out;
}

Samples PluckedString(double hz, double seconds, double velocity, double brightness, double sustain,
                      Random& random) {
    Samples note = RenderPluck({.hz = hz,
                                .seconds = seconds + kRelease,
                                .brightness = brightness,
                                .sustain = sustain,
                                .pickPosition = 0.18},
                               random);
    StopAt(note, seconds);
    Scale(note, velocity);
    return note;
}

Samples DoubleBass(double hz, double seconds, double velocity, Random& random) {
    Samples note = PluckedString(hz, seconds, 1.0, 0.25, 1.2, random);
    // The body's warmth: a sine on the fundamental that dies with the string.
    Samples body(note.size());
    for (std::size_t i = 0; i < body.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRateHz;
        body[i] = static_cast<float>(Sine(hz * t) * std::exp(-t * 2.5) * std::min(1.0, t / 0.004));
    }
    StopAt(body, seconds);
    MixInto(note, body, 0, 0.8);
    Scale(note, velocity);
    return note;
}

Samples Drum(double velocity, Random& random) {
    Samples out = RenderThump(140.0, 85.0, 0.04, 0.35, 0.4);
    MixInto(out,
            ShapedNoise(random, 0.08, NoiseColour::White, Envelope{{0.0, 0.3}, {0.08, 0.0, -3.0}},
                        FilterShape::LowPass, Envelope{{0.0, 1200.0}}, 0.7),
            0);
    Scale(out, velocity);
    return out;
}

Samples Brush(double velocity, Random& random) {
    Samples out = ShapedNoise(random, 0.16, NoiseColour::White,
                              Envelope{{0.0, 0.0}, {0.006, 0.6}, {0.16, 0.0, -3.0}},
                              FilterShape::BandPass, Envelope{{0.0, 3500.0}}, 0.8);
    MixInto(out, RenderThump(210.0, 180.0, 0.02, 0.07, 0.1), 0, 0.25);
    Scale(out, velocity);
    return out;
}

Samples Shaker(double velocity, Random& random) {
    return ShapedNoise(random, 0.07, NoiseColour::White,
                       Envelope{{0.0, 0.0}, {0.015, velocity * 0.35}, {0.07, 0.0, -2.0}},
                       FilterShape::HighPass, Envelope{{0.0, 6000.0}}, 0.7);
}

Samples Tambourine(double velocity, Random& random) {
    Samples out = Shaker(velocity, random);
    for (int jingle = 0; jingle < 6; ++jingle) {
        const Partial ring{random.Uniform(5500.0, 9000.0), 0.05 * velocity,
                           random.Uniform(0.08, 0.15)};
        AddPartials(out, random.Uniform(0.0, 0.01), &ring, 1, 0.16);
    }
    return out;
}

}  // namespace

Samples PlayNote(Instrument instrument, double hz, double seconds, double velocity,
                 Random& random) {
    switch (instrument) {
        case Instrument::Recorder:
            return Wind(hz, seconds, velocity, 0.12, 0.05, 0.04, random);
        case Instrument::Whistle:
            return Wind(hz, seconds, velocity, 0.3, 0.15, 0.08, random);
        case Instrument::Accordion:
            return Accordion(hz, seconds, velocity);
        case Instrument::Harp:
            return PluckedString(hz, seconds, velocity, 0.75, 2.5, random);
        case Instrument::Guitar:
            return PluckedString(hz, seconds, velocity, 0.45, 1.6, random);
        case Instrument::Bass:
            return DoubleBass(hz, seconds, velocity, random);
        case Instrument::FrameDrum:
            return Drum(velocity, random);
        case Instrument::Brush:
            return Brush(velocity, random);
        case Instrument::Shaker:
            return Shaker(velocity, random);
        case Instrument::Tambourine:
            return Tambourine(velocity, random);
    }
    return {};
}

}  // namespace assetgen::sound
