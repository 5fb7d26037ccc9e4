#include "sounds/reverb.h"

#include <cmath>

#include "sounds/filters.h"
#include "sounds/noise.h"

namespace assetgen::sound {

namespace {

constexpr std::array<std::size_t, 8> kCombLengths = {1116, 1188, 1277, 1356,
                                                     1422, 1491, 1557, 1617};
constexpr std::array<std::size_t, 4> kAllPassLengths = {556, 441, 341, 225};
constexpr std::size_t kStereoSpread = 23;
constexpr double kInputGain = 0.015;
constexpr double kWetScale = 3.0;

}  // namespace

Reverb::Reverb(const ReverbSettings& settings) {
    for (std::size_t i = 0; i < combsLeft_.size(); ++i) {
        combsLeft_[i].line.assign(kCombLengths[i], 0.0f);
        combsRight_[i].line.assign(kCombLengths[i] + kStereoSpread, 0.0f);
    }
    for (std::size_t i = 0; i < allPassesLeft_.size(); ++i) {
        allPassesLeft_[i].line.assign(kAllPassLengths[i], 0.0f);
        allPassesRight_[i].line.assign(kAllPassLengths[i] + kStereoSpread, 0.0f);
    }
    preDelay_.assign(FramesFor(settings.preDelaySeconds) + 1, 0.0f);
    feedback_ = 0.7 + 0.28 * settings.roomSize;
    damp_ = 0.4 * settings.damping;
    wet1_ = kWetScale * (settings.width / 2.0 + 0.5);
    wet2_ = kWetScale * ((1.0 - settings.width) / 2.0);
}

double Reverb::RunComb(Comb& comb, double input, double feedback, double damp) {
    const double output = comb.line[comb.index];
    comb.store = output * (1.0 - damp) + comb.store * damp;
    comb.line[comb.index] = static_cast<float>(input + comb.store * feedback);
    if (++comb.index == comb.line.size()) comb.index = 0;
    return output;
}

double Reverb::RunAllPass(AllPass& allPass, double input) {
    const double buffered = allPass.line[allPass.index];
    allPass.line[allPass.index] = static_cast<float>(input + buffered * 0.5);
    if (++allPass.index == allPass.line.size()) allPass.index = 0;
    return buffered - input;
}

void Reverb::Process(double inLeft, double inRight, double& outLeft, double& outRight) {
    const double delayed = preDelay_[preDelayIndex_];
    preDelay_[preDelayIndex_] = static_cast<float>((inLeft + inRight) * kInputGain);
    if (++preDelayIndex_ == preDelay_.size()) preDelayIndex_ = 0;

    double left = 0.0, right = 0.0;
    for (std::size_t i = 0; i < combsLeft_.size(); ++i) {
        left += RunComb(combsLeft_[i], delayed, feedback_, damp_);
        right += RunComb(combsRight_[i], delayed, feedback_, damp_);
    }
    for (std::size_t i = 0; i < allPassesLeft_.size(); ++i) {
        left = RunAllPass(allPassesLeft_[i], left);
        right = RunAllPass(allPassesRight_[i], right);
    }
    outLeft = left * wet1_ + right * wet2_;
    outRight = right * wet1_ + left * wet2_;
}

Clip WithReverb(const Clip& dry, const ReverbSettings& settings, double wet, double tailSeconds) {
    const std::size_t frames = dry.Frames() + FramesFor(tailSeconds);
    Clip out;
    out.left.assign(frames, 0.0f);
    out.right.assign(frames, 0.0f);
    Reverb reverb(settings);
    for (std::size_t i = 0; i < frames; ++i) {
        double inLeft = 0.0, inRight = 0.0;
        if (i < dry.Frames()) {
            inLeft = dry.left[i];
            inRight = dry.IsStereo() ? dry.right[i] : dry.left[i];
        }
        double wetLeft, wetRight;
        reverb.Process(inLeft, inRight, wetLeft, wetRight);
        out.left[i] = static_cast<float>(inLeft + wet * wetLeft);
        out.right[i] = static_cast<float>(inRight + wet * wetRight);
    }
    return out;
}

Clip WithNoiseTail(const Samples& dry, const NoiseTail& tail, double tailSeconds, Random& random) {
    const std::size_t frames = dry.size() + FramesFor(tailSeconds);
    // The energy the woods hold: fed by the sound, losing 60 dB over the decay time.
    const double keep = std::exp(-2.0 * 6.907755 / (tail.decaySeconds * kSampleRateHz));
    std::vector<double> amplitude(frames);
    double energy = 0.0;
    for (std::size_t i = 0; i < frames; ++i) {
        const double x = i < dry.size() ? static_cast<double>(dry[i]) : 0.0;
        energy = energy * keep + x * x * (1.0 - keep);
        amplitude[i] = std::sqrt(energy);
    }
    Clip out;
    for (Samples* side : {&out.left, &out.right}) {
        Samples noise =
            LowPassed(WhiteNoise(random, static_cast<double>(frames) / kSampleRateHz), tail.darkHz);
        noise.resize(frames, 0.0f);
        double squares = 0.0;
        for (float s : noise) squares += static_cast<double>(s) * static_cast<double>(s);
        const double unit = squares > 0.0 ? std::sqrt(static_cast<double>(frames) / squares) : 0.0;
        side->assign(frames, 0.0f);
        for (std::size_t i = 0; i < frames; ++i) {
            const double x = i < dry.size() ? static_cast<double>(dry[i]) : 0.0;
            (*side)[i] = static_cast<float>(x + tail.level * amplitude[i] *
                                                    static_cast<double>(noise[i]) * unit);
        }
    }
    return out;
}

}  // namespace assetgen::sound
