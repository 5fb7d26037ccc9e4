// Struck bodies, shaped noise, thumps, crackle and bubbles.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "sounds/filters.h"
#include "sounds/noise.h"
#include "sounds/voices.h"

namespace assetgen::sound {

namespace {

constexpr int kFilterUpdateFrames = 16;

}  // namespace

Samples RenderStrike(const std::vector<Partial>& partials, double seconds, double clickLevel,
                     double clickHz, double clickSeconds, Random& random) {
    Samples out(FramesFor(seconds), 0.0f);
    AddPartials(out, 0.0, partials.data(), static_cast<int>(partials.size()), seconds);
    if (clickLevel > 0.0) {
        Samples click = WhiteNoise(random, clickSeconds);
        ApplyEnvelope(click, StrikeEnvelope(0.0003, clickSeconds, clickSeconds));
        click = BandPassed(std::move(click), clickHz, 0.9);
        MixInto(out, click, 0, clickLevel);
    }
    out.resize(FramesFor(seconds));
    return out;
}

std::vector<Partial> Detuned(std::vector<Partial> partials, double spread, Random& random) {
    for (Partial& partial : partials) partial.hz *= 1.0 + spread * random.Bipolar();
    return partials;
}

Samples ShapedNoise(Random& random, double seconds, NoiseColour colour, const Envelope& loudness,
                    FilterShape shape, const Envelope& cutoffHz, double q) {
    Samples out = colour == NoiseColour::White  ? WhiteNoise(random, seconds)
                  : colour == NoiseColour::Pink ? PinkNoiseSamples(random, seconds)
                                                : BrownNoiseSamples(random, seconds);
    const Samples cutoff = cutoffHz.Render(seconds);
    StateVariableFilter filter;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (i % kFilterUpdateFrames == 0) filter.SetCutoff(cutoff[i], q);
        const StateVariableFilter::Outputs y = filter.Process(out[i]);
        const double value = shape == FilterShape::LowPass    ? y.lowPass
                             : shape == FilterShape::BandPass ? y.bandPass / q
                                                              : y.highPass;
        out[i] = static_cast<float>(value);
    }
    ApplyEnvelope(out, loudness.Render(seconds));
    return out;
}

Samples RenderThump(double startHz, double endHz, double sweepSeconds, double decaySeconds,
                    double seconds) {
    Samples out(FramesFor(seconds));
    const double fall = std::exp(-6.907755 / (decaySeconds * kSampleRateHz));
    const double glide = std::exp(-5.0 / (sweepSeconds * kSampleRateHz));
    const std::size_t attack = FramesFor(0.001);
    double level = 1.0, offset = startHz - endHz, phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double rise = i < attack ? static_cast<double>(i) / static_cast<double>(attack) : 1.0;
        out[i] = static_cast<float>(Sine(phase) * level * rise);
        phase += (endHz + offset) / kSampleRateHz;
        offset *= glide;
        level *= fall;
    }
    return out;
}

Samples RenderCrackle(Random& random, double seconds, const Envelope& perSecond,
                      const Envelope& loudness, double lowHz, double highHz) {
    Samples out(FramesFor(seconds), 0.0f);
    const Samples density = perSecond.Render(seconds);
    const Samples size = loudness.Render(seconds);
    // A crackle's ring grows `out` past its end; only the first `frames` samples get new ones.
    const std::size_t frames = std::min({out.size(), density.size(), size.size()});
    for (std::size_t i = 0; i < frames; ++i) {
        if (random.Unit() >= static_cast<double>(density[i]) / kSampleRateHz) continue;
        // Log-uniform pitch: as many low clicks as high ones per octave.
        const double hz = lowHz * std::pow(highHz / lowHz, random.Unit());
        const Partial ping{hz, static_cast<double>(size[i]) * random.Uniform(0.3, 1.0),
                           random.Uniform(0.004, 0.02)};
        AddPartials(out, static_cast<double>(i) / kSampleRateHz, &ping, 1, 0.03);
    }
    out.resize(FramesFor(seconds));
    return out;
}

Samples RenderBubble(double hz, double rise, double decaySeconds) {
    const double seconds = decaySeconds * 1.2;
    Samples out(FramesFor(seconds));
    const double fall = std::exp(-6.907755 / (decaySeconds * kSampleRateHz));
    double level = 1.0, phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRateHz;
        const double attack = std::min(1.0, t / 0.0008);
        out[i] = static_cast<float>(Sine(phase) * level * attack);
        phase += hz * (1.0 + rise * t / decaySeconds) / kSampleRateHz;
        level *= fall;
    }
    return out;
}

}  // namespace assetgen::sound
