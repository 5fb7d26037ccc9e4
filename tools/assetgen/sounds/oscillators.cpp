#include "sounds/oscillators.h"

#include <array>
#include <complex>
#include <numbers>

namespace assetgen::sound {

namespace {

constexpr int kSineTableSize = 4096;

const std::array<double, kSineTableSize + 1>& SineTable() {
    static const std::array<double, kSineTableSize + 1> table = [] {
        std::array<double, kSineTableSize + 1> values{};
        for (int i = 0; i <= kSineTableSize; ++i) {
            values[static_cast<std::size_t>(i)] =
                std::sin(2.0 * std::numbers::pi * i / kSineTableSize);
        }
        return values;
    }();
    return table;
}

constexpr double kGoldenAngle = 2.399963229728653;

}  // namespace

double Sine(double phase) {
    static const auto& table = SineTable();
    const double position = (phase - std::floor(phase)) * kSineTableSize;
    const int index = static_cast<int>(position);
    const double fraction = position - index;
    const auto at = static_cast<std::size_t>(index);
    return table[at] + (table[at + 1] - table[at]) * fraction;
}

void AddPartials(Samples& target, double seconds, const Partial* partials, int count,
                 double lengthSeconds) {
    const std::size_t offset = FramesFor(seconds);
    const std::size_t frames = FramesFor(lengthSeconds);
    if (target.size() < offset + frames) target.resize(offset + frames, 0.0f);
    for (int p = 0; p < count; ++p) {
        const Partial& partial = partials[p];
        if (partial.hz <= 0.0 || partial.hz >= kSampleRateHz / 2.0) continue;
        const double radius = std::exp(-6.907755 / (partial.decaySeconds * kSampleRateHz));
        const std::complex<double> step =
            std::polar(radius, 2.0 * std::numbers::pi * partial.hz / kSampleRateHz);
        // The partials start at phases spread by the golden angle: struck all at once they
        // still do not line up into one sharp peak, as the modes of a real body do not.
        std::complex<double> value =
            std::polar(partial.amplitude, std::numbers::pi / 2.0 + kGoldenAngle * p);
        for (std::size_t i = 0; i < frames; ++i) {
            target[offset + i] += static_cast<float>(value.imag());
            value *= step;
            // Renormalise now and then so rounding cannot make the rotation grow.
            if ((i & 4095) == 4095) value = std::polar(std::abs(value), std::arg(value));
        }
    }
}

Samples HarmonicTone(const Samples& hzPerFrame, const double* harmonics, int count) {
    Samples out(hzPerFrame.size(), 0.0f);
    double phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double hz = hzPerFrame[i];
        double sum = 0.0;
        for (int k = 1; k <= count; ++k) {
            if (hz * k >= kSampleRateHz * 0.45) break;
            sum += harmonics[k - 1] * Sine(phase * k);
        }
        out[i] = static_cast<float>(sum);
        phase += hz / kSampleRateHz;
        phase -= std::floor(phase);
    }
    return out;
}

}  // namespace assetgen::sound
