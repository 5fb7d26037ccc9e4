#include "sounds/mastering.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sounds/envelopes.h"
#include "sounds/filters.h"

namespace assetgen::sound {

namespace {

constexpr double kLoudnessWindowSeconds = 0.1;
constexpr double kLoudnessHopSeconds = 0.01;

double PeakOf(const Clip& clip) {
    double peak = 0.0;
    for (float s : clip.left) peak = std::max(peak, static_cast<double>(std::abs(s)));
    for (float s : clip.right) peak = std::max(peak, static_cast<double>(std::abs(s)));
    return peak;
}

void ScaleClip(Clip& clip, double gain) {
    Scale(clip.left, gain);
    Scale(clip.right, gain);
}

// The ear hears little of the lowest octaves and most around 3 kHz: a high-pass and a presence
// peak make a bass-heavy bang and a nasal quack of the same measured level sound alike.
Samples EarWeighted(const Samples& samples) {
    Samples out = samples;
    Biquad lowCut = Biquad::HighPass(150.0, 0.5);
    Biquad presence = Biquad::Peak(3000.0, 0.8, 4.0);
    for (float& s : out) s = static_cast<float>(presence.Process(lowCut.Process(s)));
    return out;
}

double LoudestWindowRms(const Clip& clip) {
    const std::size_t frames = clip.Frames();
    const std::size_t window = std::min(frames, FramesFor(kLoudnessWindowSeconds));
    if (window == 0) return 0.0;
    const std::size_t hop = FramesFor(kLoudnessHopSeconds);
    const int channels = clip.IsStereo() ? 2 : 1;
    const Samples left = EarWeighted(clip.left);
    const Samples right = channels == 2 ? EarWeighted(clip.right) : Samples();
    // Prefix sums of squares make every window one subtraction.
    std::vector<double> energy(frames + 1, 0.0);
    for (std::size_t i = 0; i < frames; ++i) {
        double square = static_cast<double>(left[i]) * left[i];
        if (channels == 2) square += static_cast<double>(right[i]) * right[i];
        energy[i + 1] = energy[i] + square;
    }
    double loudest = 0.0;
    for (std::size_t start = 0; start + window <= frames; start += hop) {
        loudest = std::max(loudest, energy[start + window] - energy[start]);
    }
    return std::sqrt(loudest / static_cast<double>(window * channels));
}

}  // namespace

LevelReport MeasureLevels(const Clip& clip) {
    LevelReport report;
    report.seconds = clip.Seconds();
    report.channels = clip.IsStereo() ? 2 : 1;
    if (clip.Frames() == 0) return report;
    double sum = 0.0, squares = 0.0;
    auto add = [&](const Samples& samples) {
        for (float s : samples) {
            sum += s;
            squares += static_cast<double>(s) * s;
        }
    };
    add(clip.left);
    add(clip.right);
    const double count = static_cast<double>(clip.Frames() * report.channels);
    report.peakDb = GainToDb(PeakOf(clip));
    report.rmsDb = GainToDb(std::sqrt(squares / count));
    report.loudestDb = GainToDb(LoudestWindowRms(clip));
    report.dcOffset = sum / count;
    report.edgeStart = std::abs(clip.left.front());
    report.edgeEnd = std::abs(clip.left.back());
    if (clip.IsStereo()) {
        report.edgeStart =
            std::max(report.edgeStart, static_cast<double>(std::abs(clip.right.front())));
        report.edgeEnd = std::max(report.edgeEnd, static_cast<double>(std::abs(clip.right.back())));
    }
    return report;
}

void RemoveDc(Clip& clip) {
    auto block = [](Samples& samples) {
        DcBlocker blocker;
        for (float& s : samples) s = static_cast<float>(blocker.Process(s));
    };
    block(clip.left);
    block(clip.right);
}

void TrimQuietTail(Clip& clip, double belowPeakDb) {
    const double threshold = PeakOf(clip) * DbToGain(belowPeakDb);
    std::size_t last = 0;
    for (std::size_t i = 0; i < clip.Frames(); ++i) {
        const double level =
            std::max(std::abs(clip.left[i]), clip.IsStereo() ? std::abs(clip.right[i]) : 0.0f);
        if (level > threshold) last = i;
    }
    Resize(clip, std::min(clip.Frames(), last + FramesFor(0.01) + 1));
}

void FadeEdges(Clip& clip, double fadeInSeconds, double fadeOutSeconds) {
    const std::size_t frames = clip.Frames();
    const std::size_t in = std::min(frames, FramesFor(fadeInSeconds));
    const std::size_t out = std::min(frames, FramesFor(fadeOutSeconds));
    auto fade = [&](Samples& samples) {
        if (samples.empty()) return;
        for (std::size_t i = 0; i < in; ++i) {
            const double x = static_cast<double>(i) / in;
            samples[i] *= static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * x));
        }
        for (std::size_t i = 0; i < out; ++i) {
            const double x = static_cast<double>(i) / out;
            samples[frames - 1 - i] *=
                static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * x));
        }
    };
    fade(clip.left);
    fade(clip.right);
}

void NormalisePeak(Clip& clip, double peakDb) {
    const double peak = PeakOf(clip);
    if (peak > 0.0) ScaleClip(clip, DbToGain(peakDb) / peak);
}

void CapLoudness(Clip& clip, double loudestCapDb) {
    const double loudest = LoudestWindowRms(clip);
    const double cap = DbToGain(loudestCapDb);
    if (loudest > cap) ScaleClip(clip, cap / loudest);
}

void Master(Clip& clip, const MasteringPlan& plan) {
    if (plan.removeDc) RemoveDc(clip);
    if (plan.trimBelowDb < 0.0) TrimQuietTail(clip, plan.trimBelowDb);
    FadeEdges(clip, plan.fadeInSeconds, plan.fadeOutSeconds);
    NormalisePeak(clip, plan.peakDb);
    if (plan.loudestCapDb < 0.0) CapLoudness(clip, plan.loudestCapDb);
}

}  // namespace assetgen::sound
