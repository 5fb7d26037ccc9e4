#include "sounds/filters.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assetgen::sound {

namespace {

struct Angle {
    double cosine, alpha;
};

Angle DesignAngle(double hz, double q) {
    const double clamped = std::clamp(hz, 5.0, kSampleRateHz * 0.49);
    const double w = 2.0 * std::numbers::pi * clamped / kSampleRateHz;
    return {std::cos(w), std::sin(w) / (2.0 * q)};
}

}  // namespace

Biquad::Biquad(double b0, double b1, double b2, double a0, double a1, double a2)
    : b0_(b0 / a0), b1_(b1 / a0), b2_(b2 / a0), a1_(a1 / a0), a2_(a2 / a0) {}

Biquad Biquad::LowPass(double hz, double q) {
    const Angle a = DesignAngle(hz, q);
    return Biquad((1 - a.cosine) / 2, 1 - a.cosine, (1 - a.cosine) / 2, 1 + a.alpha, -2 * a.cosine,
                  1 - a.alpha);
}

Biquad Biquad::HighPass(double hz, double q) {
    const Angle a = DesignAngle(hz, q);
    return Biquad((1 + a.cosine) / 2, -(1 + a.cosine), (1 + a.cosine) / 2, 1 + a.alpha,
                  -2 * a.cosine, 1 - a.alpha);
}

Biquad Biquad::BandPass(double hz, double q) {
    const Angle a = DesignAngle(hz, q);
    return Biquad(a.alpha, 0.0, -a.alpha, 1 + a.alpha, -2 * a.cosine, 1 - a.alpha);
}

Biquad Biquad::Peak(double hz, double q, double gainDb) {
    const Angle a = DesignAngle(hz, q);
    const double g = std::pow(10.0, gainDb / 40.0);
    return Biquad(1 + a.alpha * g, -2 * a.cosine, 1 - a.alpha * g, 1 + a.alpha / g, -2 * a.cosine,
                  1 - a.alpha / g);
}

void Biquad::ProcessInPlace(Samples& samples) {
    for (float& s : samples) s = static_cast<float>(Process(s));
}

void OnePoleLowPass::SetCutoff(double hz) {
    coefficient_ = 1.0 - std::exp(-2.0 * std::numbers::pi * std::max(hz, 0.1) / kSampleRateHz);
}

void StateVariableFilter::SetCutoff(double hz, double q) {
    const double clamped = std::clamp(hz, 10.0, kSampleRateHz * 0.45);
    g_ = std::tan(std::numbers::pi * clamped / kSampleRateHz);
    k_ = 1.0 / q;
    a1_ = 1.0 / (1.0 + g_ * (g_ + k_));
    a2_ = g_ * a1_;
    a3_ = g_ * a2_;
}

StateVariableFilter::Outputs StateVariableFilter::Process(double x) {
    const double v3 = x - ic2_;
    const double v1 = a1_ * ic1_ + a2_ * v3;
    const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2.0 * v1 - ic1_;
    ic2_ = 2.0 * v2 - ic2_;
    return {v2, v1, x - k_ * v1 - v2};
}

void SweptLowPass(Samples& samples, const Samples& hzPerFrame, double q) {
    StateVariableFilter filter;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if ((i & 15) == 0) {
            const std::size_t at = std::min(i, hzPerFrame.size() - 1);
            filter.SetCutoff(hzPerFrame.empty() ? 1000.0 : static_cast<double>(hzPerFrame[at]), q);
        }
        samples[i] = static_cast<float>(filter.Process(samples[i]).lowPass);
    }
}

void SweptBandPass(Samples& samples, const Samples& hzPerFrame, double q) {
    StateVariableFilter filter;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if ((i & 15) == 0) {
            const std::size_t at = std::min(i, hzPerFrame.size() - 1);
            filter.SetCutoff(hzPerFrame.empty() ? 1000.0 : static_cast<double>(hzPerFrame[at]), q);
        }
        samples[i] = static_cast<float>(filter.Process(samples[i]).bandPass / q);
    }
}

Samples LowPassed(Samples samples, double hz, double q) {
    Biquad::LowPass(hz, q).ProcessInPlace(samples);
    return samples;
}

Samples HighPassed(Samples samples, double hz, double q) {
    Biquad::HighPass(hz, q).ProcessInPlace(samples);
    return samples;
}

Samples BandPassed(Samples samples, double hz, double q) {
    Biquad::BandPass(hz, q).ProcessInPlace(samples);
    return samples;
}

void Saturate(Samples& samples, double drive) {
    for (float& s : samples)
        s = static_cast<float>(std::tanh(static_cast<double>(s) * drive) / drive);
}

void TamePeaks(Samples& samples, double drive) {
    double peak = 0.0;
    for (float s : samples) peak = std::max(peak, static_cast<double>(std::abs(s)));
    if (peak <= 0.0) return;
    const double norm = 1.0 / std::tanh(drive);
    for (float& s : samples)
        s = static_cast<float>(std::tanh(static_cast<double>(s) / peak * drive) * norm);
}

}  // namespace assetgen::sound
