#include "sounds/clip.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assetgen::sound {

Clip MonoClip(Samples samples) {
    Clip clip;
    clip.left = std::move(samples);
    return clip;
}

Clip StereoClip(Samples left, Samples right) {
    Clip clip;
    const std::size_t frames = std::max(left.size(), right.size());
    left.resize(frames, 0.0f);
    right.resize(frames, 0.0f);
    clip.left = std::move(left);
    clip.right = std::move(right);
    return clip;
}

void MixInto(Samples& target, const Samples& source, std::size_t offset, double gain) {
    if (target.size() < offset + source.size()) target.resize(offset + source.size(), 0.0f);
    const float g = static_cast<float>(gain);
    float* out = target.data() + offset;
    for (std::size_t i = 0; i < source.size(); ++i) out[i] += source[i] * g;
}

void MixPanned(Clip& target, const Samples& source, double seconds, double gain, double pan) {
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * std::numbers::pi / 4.0;
    const std::size_t offset = FramesFor(seconds);
    MixInto(target.left, source, offset, gain * std::cos(angle));
    MixInto(target.right, source, offset, gain * std::sin(angle));
    const std::size_t frames = std::max(target.left.size(), target.right.size());
    target.left.resize(frames, 0.0f);
    target.right.resize(frames, 0.0f);
}

void MixClip(Clip& target, const Clip& source, double seconds, double gain) {
    const std::size_t offset = FramesFor(seconds);
    if (!target.IsStereo()) {
        if (source.IsStereo()) {
            Samples mid = source.left;
            for (std::size_t i = 0; i < mid.size(); ++i) mid[i] = 0.5f * (mid[i] + source.right[i]);
            MixInto(target.left, mid, offset, gain);
        } else {
            MixInto(target.left, source.left, offset, gain);
        }
        return;
    }
    if (source.IsStereo()) {
        MixInto(target.left, source.left, offset, gain);
        MixInto(target.right, source.right, offset, gain);
    } else {
        MixInto(target.left, source.left, offset, gain * std::numbers::sqrt2 / 2.0);
        MixInto(target.right, source.left, offset, gain * std::numbers::sqrt2 / 2.0);
    }
    const std::size_t frames = std::max(target.left.size(), target.right.size());
    target.left.resize(frames, 0.0f);
    target.right.resize(frames, 0.0f);
}

void Scale(Samples& samples, double gain) {
    const float g = static_cast<float>(gain);
    for (float& s : samples) s *= g;
}

void ApplyEnvelope(Samples& samples, const Samples& envelope) {
    const std::size_t shared = std::min(samples.size(), envelope.size());
    for (std::size_t i = 0; i < shared; ++i) samples[i] *= envelope[i];
    std::fill(samples.begin() + static_cast<std::ptrdiff_t>(shared), samples.end(), 0.0f);
}

void Resize(Clip& clip, std::size_t frames) {
    clip.left.resize(frames, 0.0f);
    if (clip.IsStereo()) clip.right.resize(frames, 0.0f);
}

}  // namespace assetgen::sound
