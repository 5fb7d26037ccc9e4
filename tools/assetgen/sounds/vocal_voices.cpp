// Animal calls and whistles.
#include <cmath>

#include "sounds/filters.h"
#include "sounds/voices.h"

namespace assetgen::sound {

namespace {

// A one-pole smoothed white noise has a standard deviation of about 1/40 at a 25 Hz cutoff;
// this brings the pitch wander back to about unit size.
constexpr double kWanderCutoffHz = 25.0;
constexpr double kWanderGain = 40.0;
constexpr int kFilterUpdateFrames = 16;

}  // namespace

Samples RenderVocalCall(const VocalCall& call, Random& random) {
    const std::size_t frames = FramesFor(call.seconds);
    const Samples pitch = call.pitchHz.Render(call.seconds);
    const Samples loudness = call.loudness.Render(call.seconds);
    const Samples scale = call.formantScale.Render(call.seconds);

    Samples source(frames);
    OnePoleLowPass wander(kWanderCutoffHz);
    OnePoleLowPass tilt(call.tiltHz);
    double phase = 0.0, flutterPhase = 0.0, vibratoPhase = 0.0;
    const double pulseMean = 2.0 * call.pulseWidth - 1.0;
    for (std::size_t i = 0; i < frames; ++i) {
        const double drift = wander.Process(random.Bipolar()) * kWanderGain;
        const double hz = static_cast<double>(pitch[i]) *
                          (1.0 + call.jitter * drift + call.vibratoDepth * Sine(vibratoPhase));
        const double increment = std::min(hz / kSampleRateHz, 0.45);
        const double buzz = Pulse(phase, increment, call.pulseWidth) - pulseMean;
        const double flutter = 1.0 - call.roughness * (0.5 + 0.5 * Sine(flutterPhase));
        const double x = buzz * flutter * (1.0 - call.breath) + call.breath * random.Bipolar();
        source[i] = static_cast<float>(tilt.Process(x));
        phase += increment;
        phase -= std::floor(phase);
        flutterPhase += increment * call.roughnessRatio;
        vibratoPhase += call.vibratoHz / kSampleRateHz;
    }

    Samples out(frames, 0.0f);
    for (const Formant& formant : call.formants) {
        StateVariableFilter filter;
        const double gain = DbToGain(formant.gainDb) / formant.q;
        for (std::size_t i = 0; i < frames; ++i) {
            if (i % kFilterUpdateFrames == 0)
                filter.SetCutoff(formant.hz * static_cast<double>(scale[i]), formant.q);
            out[i] += static_cast<float>(filter.Process(source[i]).bandPass * gain);
        }
    }
    ApplyEnvelope(out, loudness);
    return out;
}

Samples RenderWhistle(const Whistle& whistle, Random& random) {
    const std::size_t frames = FramesFor(whistle.seconds);
    const Samples pitch = whistle.pitchHz.Render(whistle.seconds);
    const Samples loudness = whistle.loudness.Render(whistle.seconds);
    Samples out(frames);
    StateVariableFilter breathFilter;
    double phase = 0.0, vibratoPhase = 0.0;
    for (std::size_t i = 0; i < frames; ++i) {
        const double hz =
            static_cast<double>(pitch[i]) * (1.0 + whistle.vibratoDepth * Sine(vibratoPhase));
        double x = Sine(phase);
        if (hz * 2.0 < kSampleRateHz * 0.45) x += whistle.second * Sine(2.0 * phase);
        if (hz * 3.0 < kSampleRateHz * 0.45) x += whistle.third * Sine(3.0 * phase);
        if (whistle.breath > 0.0) {
            if (i % kFilterUpdateFrames == 0) breathFilter.SetCutoff(hz, 6.0);
            x += whistle.breath * breathFilter.Process(random.Bipolar()).bandPass;
        }
        out[i] = static_cast<float>(x * static_cast<double>(loudness[i]));
        phase += hz / kSampleRateHz;
        phase -= std::floor(phase);
        vibratoPhase += whistle.vibratoHz / kSampleRateHz;
    }
    return out;
}

}  // namespace assetgen::sound
