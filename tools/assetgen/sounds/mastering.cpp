#include "sounds/mastering.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <numbers>

#include "sounds/envelopes.h"
#include "sounds/filters.h"
#include "sounds/loudness.h"

namespace assetgen::sound {

namespace {

constexpr double kLimiterAttackSeconds = 0.001;
constexpr double kLimiterReleaseSeconds = 0.04;
constexpr int kLevellingRounds = 6;
constexpr double kLevelTolerance = 0.05;  // LU

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

// The clip restarted every `seconds`, `times` times, and then played to its end.
Clip Restarted(const Clip& clip, double seconds, int times) {
    const auto period = static_cast<std::ptrdiff_t>(std::min(clip.Frames(), FramesFor(seconds)));
    auto restart = [&](const Samples& samples) {
        Samples out;
        for (int i = 0; i < times; ++i) {
            out.insert(out.end(), samples.begin(), samples.begin() + period);
        }
        out.insert(out.end(), samples.begin(), samples.end());
        return out;
    };
    Clip out;
    out.left = restart(clip.left);
    if (clip.IsStereo()) out.right = restart(clip.right);
    return out;
}

// The lowest value of `values` over each stretch of `width` from every frame on.
std::vector<double> MinimumAhead(const std::vector<double>& values, std::size_t width) {
    std::vector<double> out(values.size());
    std::deque<std::size_t> candidates;  // indices of rising values: the front is the minimum
    for (std::size_t i = values.size(); i-- > 0;) {
        while (!candidates.empty() && values[candidates.back()] >= values[i]) {
            candidates.pop_back();
        }
        candidates.push_back(i);
        if (candidates.front() >= i + width) candidates.pop_front();
        out[i] = values[candidates.front()];
    }
    return out;
}

}  // namespace

double MixLoudness(const Clip& clip, const MasteringPlan& plan) {
    if (plan.measure == LoudnessMeasure::Average) return IntegratedLufs(clip);
    if (plan.restarts > 0) {
        return MomentaryMaxLufs(Restarted(clip, plan.restartSeconds, plan.restarts));
    }
    return MomentaryMaxLufs(clip);
}

LevelReport MeasureLevels(const Clip& clip) {
    LevelReport report;
    report.seconds = clip.Seconds();
    report.channels = clip.IsStereo() ? 2 : 1;
    if (clip.Frames() == 0) return report;
    double sum = 0.0;
    for (float s : clip.left) sum += static_cast<double>(s);
    for (float s : clip.right) sum += static_cast<double>(s);
    report.truePeakDb = TruePeakDb(clip);
    report.momentaryLufs = MomentaryMaxLufs(clip);
    report.integratedLufs = IntegratedLufs(clip);
    report.dcOffset =
        sum / static_cast<double>(clip.Frames() * static_cast<std::size_t>(report.channels));
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
            const double x = static_cast<double>(i) / static_cast<double>(in);
            samples[i] *= static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * x));
        }
        for (std::size_t i = 0; i < out; ++i) {
            const double x = static_cast<double>(i) / static_cast<double>(out);
            samples[frames - 1 - i] *=
                static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * x));
        }
    };
    fade(clip.left);
    fade(clip.right);
}

void LimitTruePeak(Clip& clip, double ceilingDb) {
    const Samples peaks = InterSamplePeaks(clip);
    const std::size_t frames = peaks.size();
    if (frames == 0) return;
    const double ceiling = DbToGain(ceilingDb);
    // The gain each frame needs, let go of slowly after a peak.
    const double release = 1.0 - std::exp(-1.0 / (kLimiterReleaseSeconds * kSampleRateHz));
    std::vector<double> held(frames);
    double gain = 1.0;
    for (std::size_t i = 0; i < frames; ++i) {
        const double peak = std::max(peaks[i], i > 0 ? peaks[i - 1] : 0.0f);
        const double needed = peak > ceiling ? ceiling / peak : 1.0;
        gain = std::min(needed, gain + (1.0 - gain) * release);
        held[i] = gain;
    }
    // Looking ahead: the lowest gain of the next attack time, smoothed over the same time, stays
    // under what every frame needs and goes down without a step.
    const std::size_t attack = std::max<std::size_t>(1, FramesFor(kLimiterAttackSeconds));
    const std::vector<double> lowest = MinimumAhead(held, attack);
    double sum = 0.0;
    for (std::size_t i = 0; i < frames; ++i) {
        sum += lowest[i];
        if (i >= attack) sum -= lowest[i - attack];
        const double smoothed = sum / static_cast<double>(std::min(i + 1, attack));
        const float g = static_cast<float>(i + 1 >= attack ? smoothed : lowest[0]);
        clip.left[i] *= g;
        if (clip.IsStereo()) clip.right[i] *= g;
    }
}

void Level(Clip& clip, const MasteringPlan& plan) {
    if (PeakOf(clip) <= 0.0) return;
    if (plan.measure == LoudnessMeasure::Average) {
        ScaleClip(clip, DbToGain(plan.loudnessLufs - MixLoudness(clip, plan)));
        return;
    }
    // The limiter takes loudness with the peaks, more the harder it works: the gain is found by
    // the secant method between the last two tries.
    const Clip dry = clip;
    auto tryGain = [&](double gainDb) {
        clip = dry;
        ScaleClip(clip, DbToGain(gainDb));
        LimitTruePeak(clip, plan.truePeakCeilingDb);
        return MixLoudness(clip, plan) - plan.loudnessLufs;
    };
    double lastGain = plan.loudnessLufs - MixLoudness(dry, plan);
    double lastMiss = tryGain(lastGain);
    double gain = lastGain - lastMiss;
    for (int round = 0; round < kLevellingRounds && std::abs(lastMiss) > kLevelTolerance; ++round) {
        const double miss = tryGain(gain);
        const double slope =
            miss != lastMiss ? std::clamp((gain - lastGain) / (miss - lastMiss), 1.0, 4.0) : 1.0;
        lastGain = gain;
        lastMiss = miss;
        gain -= slope * miss;
    }
}

void Master(Clip& clip, const MasteringPlan& plan) {
    if (plan.removeDc) RemoveDc(clip);
    if (plan.trimBelowDb < 0.0) TrimQuietTail(clip, plan.trimBelowDb);
    FadeEdges(clip, plan.fadeInSeconds, std::min(plan.fadeOutSeconds, 0.2 * clip.Seconds()));
    Level(clip, plan);
}

}  // namespace assetgen::sound
