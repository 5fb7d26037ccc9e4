// Sample buffers: the mono and stereo clips every recipe renders into.
#pragma once

#include <cstddef>
#include <vector>

namespace assetgen::sound {

inline constexpr int kSampleRate = 44100;
inline constexpr double kSampleRateHz = 44100.0;

using Samples = std::vector<float>;

// Frames in `seconds` of sound, rounded to the nearest frame.
inline std::size_t FramesFor(double seconds) {
    return seconds <= 0.0 ? 0 : static_cast<std::size_t>(seconds * kSampleRateHz + 0.5);
}

// One sound: a single channel, or two for stereo.
struct Clip {
    Samples left;
    Samples right;  // empty for a mono clip

    bool IsStereo() const { return !right.empty(); }
    std::size_t Frames() const { return left.size(); }
    double Seconds() const { return static_cast<double>(left.size()) / kSampleRateHz; }
};

Clip MonoClip(Samples samples);
Clip StereoClip(Samples left, Samples right);

// Adds `source` times `gain` into `target` from frame `offset` on, growing `target` as needed.
void MixInto(Samples& target, const Samples& source, std::size_t offset, double gain = 1.0);

// Adds a mono `source` into a stereo clip at `seconds`, placed by constant-power `pan` (-1 left,
// +1 right).
void MixPanned(Clip& target, const Samples& source, double seconds, double gain, double pan);

// Adds `source` (mono or stereo) into `target` at `seconds`; a mono source lands in the middle.
void MixClip(Clip& target, const Clip& source, double seconds, double gain = 1.0);

void Scale(Samples& samples, double gain);

// Multiplies `samples` by `envelope` frame by frame; frames beyond the envelope become silent.
void ApplyEnvelope(Samples& samples, const Samples& envelope);

// Pads or cuts `samples` to `frames`.
void Resize(Clip& clip, std::size_t frames);

}  // namespace assetgen::sound
