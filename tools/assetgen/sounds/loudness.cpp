#include "sounds/loudness.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace assetgen::sound {

namespace {

constexpr std::size_t kBlockFrames = 17640;  // 400 ms
constexpr std::size_t kMomentaryHop = 441;   // 10 ms
constexpr std::size_t kGatingHop = 4410;     // 100 ms
constexpr double kAbsoluteGateLufs = -70.0;
constexpr double kRelativeGateLu = -10.0;
constexpr double kSilenceLufs = -120.0;

// A second-order section with the denominator's leading coefficient 1.
struct Section {
    double b0, b1, b2, a1, a2;
    double z1 = 0.0, z2 = 0.0;
    double Process(double x) {
        const double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

// The K-weighting, designed for the sample rate from its analogue prototype: a shelf that lifts
// what the head lets through above 2 kHz by 4 dB, and a high-pass that leaves out what is felt
// more than heard.
Section Shelf() {
    const double k = std::tan(std::numbers::pi * 1681.974450955533 / kSampleRateHz);
    const double q = 0.7071752369554196;
    const double high = std::pow(10.0, 3.999843853973347 / 20.0);
    const double band = std::pow(high, 0.4996667741545416);
    const double a0 = 1.0 + k / q + k * k;
    return {(high + band * k / q + k * k) / a0, 2.0 * (k * k - high) / a0,
            (high - band * k / q + k * k) / a0, 2.0 * (k * k - 1.0) / a0,
            (1.0 - k / q + k * k) / a0};
}

Section HighPass() {
    const double k = std::tan(std::numbers::pi * 38.13547087602444 / kSampleRateHz);
    const double q = 0.5003270373238773;
    const double a0 = 1.0 + k / q + k * k;
    return {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

std::vector<double> KWeighted(const Samples& samples, std::size_t frames) {
    Section shelf = Shelf();
    Section highPass = HighPass();
    std::vector<double> out(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const double x = i < samples.size() ? static_cast<double>(samples[i]) : 0.0;
        out[i] = highPass.Process(shelf.Process(x));
    }
    return out;
}

// Running sums of the K-weighted power of both speakers over `frames` frames: entry i holds the
// frames before i.
std::vector<double> PowerSums(const Clip& clip, std::size_t frames) {
    const std::vector<double> left = KWeighted(clip.left, frames);
    const std::vector<double> right = clip.IsStereo() ? KWeighted(clip.right, frames) : left;
    std::vector<double> sums(frames + 1, 0.0);
    for (std::size_t i = 0; i < frames; ++i) {
        sums[i + 1] = sums[i] + left[i] * left[i] + right[i] * right[i];
    }
    return sums;
}

double Lufs(double meanPower) {
    return meanPower > 0.0 ? -0.691 + 10.0 * std::log10(meanPower) : kSilenceLufs;
}

double BlockPower(const std::vector<double>& sums, std::size_t first, std::size_t last) {
    return (sums[last] - sums[first]) / static_cast<double>(kBlockFrames);
}

// A windowed sinc reads the wave at seven points between two samples from 32 neighbours
// (Blackman window): eight times oversampled, a peak between samples is missed by at most a
// fraction of a decibel even close to the highest frequencies.
constexpr int kOversampling = 8;
constexpr int kReach = 16;
constexpr int kTaps = 2 * kReach;
using Taps = std::array<std::array<double, kTaps>, kOversampling - 1>;

Taps InterpolationTaps() {
    Taps taps{};
    for (int phase = 0; phase < kOversampling - 1; ++phase) {
        const double fraction = static_cast<double>(phase + 1) / kOversampling;
        for (int tap = 0; tap < kTaps; ++tap) {
            const double t = fraction - (tap + 1 - kReach);
            const double sinc = std::sin(std::numbers::pi * t) / (std::numbers::pi * t);
            const double window = 0.42 + 0.5 * std::cos(std::numbers::pi * t / kReach) +
                                  0.08 * std::cos(2.0 * std::numbers::pi * t / kReach);
            taps[static_cast<std::size_t>(phase)][static_cast<std::size_t>(tap)] = sinc * window;
        }
    }
    return taps;
}

}  // namespace

double MomentaryMaxLufs(const Clip& clip) {
    const std::size_t frames = clip.Frames() + kBlockFrames;
    const std::vector<double> sums = PowerSums(clip, frames);
    double loudest = 0.0;
    for (std::size_t end = kMomentaryHop; end <= frames; end += kMomentaryHop) {
        const std::size_t first = end > kBlockFrames ? end - kBlockFrames : 0;
        loudest = std::max(loudest, BlockPower(sums, first, end));
    }
    return Lufs(loudest);
}

double IntegratedLufs(const Clip& clip) {
    const std::vector<double> sums = PowerSums(clip, clip.Frames());
    std::vector<double> blocks;
    for (std::size_t end = kBlockFrames; end <= clip.Frames(); end += kGatingHop) {
        const double power = BlockPower(sums, end - kBlockFrames, end);
        if (Lufs(power) > kAbsoluteGateLufs) blocks.push_back(power);
    }
    auto meanAbove = [&](double gateLufs) {
        double sum = 0.0;
        int count = 0;
        for (double power : blocks) {
            if (Lufs(power) > gateLufs) sum += power, ++count;
        }
        return count > 0 ? sum / count : 0.0;
    };
    const double relativeGate = Lufs(meanAbove(kAbsoluteGateLufs)) + kRelativeGateLu;
    return Lufs(meanAbove(relativeGate));
}

Samples InterSamplePeaks(const Clip& clip) {
    static const Taps taps = InterpolationTaps();
    const std::size_t frames = clip.Frames();
    Samples peaks(frames, 0.0f);
    std::vector<double> padded(frames + kTaps, 0.0);
    for (const Samples* channel : {&clip.left, &clip.right}) {
        if (channel->empty()) continue;
        // Frame i sits at padded[i + kReach - 1], its first neighbour at padded[i].
        std::copy(channel->begin(), channel->end(), padded.begin() + (kReach - 1));
        for (std::size_t i = 0; i < frames; ++i) {
            double peak = std::abs((*channel)[i]);
            for (const auto& phase : taps) {
                double sum = 0.0;
                for (std::size_t tap = 0; tap < phase.size(); ++tap)
                    sum += padded[i + tap] * phase[tap];
                peak = std::max(peak, std::abs(sum));
            }
            peaks[i] = std::max(peaks[i], static_cast<float>(peak));
        }
    }
    return peaks;
}

double TruePeakDb(const Clip& clip) {
    const Samples peaks = InterSamplePeaks(clip);
    const float highest = peaks.empty() ? 0.0f : *std::max_element(peaks.begin(), peaks.end());
    return highest > 0.0f ? 20.0 * std::log10(static_cast<double>(highest)) : -240.0;
}

}  // namespace assetgen::sound
