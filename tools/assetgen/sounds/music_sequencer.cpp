#include "sounds/music_sequencer.h"

#include <cmath>
#include <numbers>

#include "sounds/envelopes.h"

namespace assetgen::sound {

namespace {

constexpr double kTimingSlopSeconds = 0.004;
constexpr double kVelocitySlop = 0.08;
constexpr double kSeamFadeSeconds = 0.03;

}  // namespace

LoopArrangement::LoopArrangement(double beatsPerMinute, double loopBeats)
    : beatsPerMinute_(beatsPerMinute), loopBeats_(loopBeats) {}

void LoopArrangement::Play(const Player& player, double beat, double beats, int midi,
                           double velocity) {
    events_.push_back({player, beat, beats, midi, velocity});
}

void LoopArrangement::PlayAll(const Player& player, const std::vector<ScoreNote>& notes,
                              double velocity, int transpose) {
    for (const ScoreNote& note : notes)
        Play(player, note.beat, note.beats, note.midi + transpose, velocity);
}

void LoopArrangement::Hit(const Player& player, double beat, double velocity) {
    events_.push_back({player, beat, 0.0, -1, velocity});
}

Clip LoopArrangement::Render(Random& random, const ReverbSettings& reverbSettings) const {
    const std::size_t frames = FramesFor(loopBeats_ * BeatSeconds());
    Samples dryLeft(frames, 0.0f), dryRight(frames, 0.0f);
    Samples sendLeft(frames, 0.0f), sendRight(frames, 0.0f);
    for (const Event& event : events_) {
        const double seconds = event.beats * BeatSeconds();
        const double hz = event.midi >= 0 ? MidiToHz(event.midi) : 0.0;
        const double velocity = event.velocity * (1.0 + kVelocitySlop * random.Bipolar());
        Samples note = PlayNote(event.player.instrument, hz, seconds, velocity, random);
        // Players come in a touch late, never early, so nothing spills from the start to the end.
        const double start = event.beat * BeatSeconds() + kTimingSlopSeconds * random.Unit();
        const std::ptrdiff_t startFrame =
            static_cast<std::ptrdiff_t>(std::llround(start * kSampleRateHz));
        // A note still ringing when the loop ends is damped there: the file may also be started
        // from silence, and its first frames should hold no more than the reverb's tail.
        const std::size_t untilEnd =
            frames - std::min(frames, static_cast<std::size_t>(startFrame));
        if (note.size() > untilEnd) {
            const std::size_t fade = std::min(untilEnd, FramesFor(kSeamFadeSeconds));
            for (std::size_t i = 0; i < fade; ++i) {
                note[untilEnd - fade + i] *= static_cast<float>(
                    1.0 - static_cast<double>(i + 1) / static_cast<double>(fade));
            }
            note.resize(untilEnd);
        }
        const double angle = (event.player.pan + 1.0) * std::numbers::pi / 4.0;
        const float left = static_cast<float>(event.player.gain * std::cos(angle));
        const float right = static_cast<float>(event.player.gain * std::sin(angle));
        const float send = static_cast<float>(event.player.reverbSend);
        const std::ptrdiff_t loop = static_cast<std::ptrdiff_t>(frames);
        std::size_t at = static_cast<std::size_t>(((startFrame % loop) + loop) % loop);
        for (float sample : note) {
            dryLeft[at] += sample * left;
            dryRight[at] += sample * right;
            sendLeft[at] += sample * left * send;
            sendRight[at] += sample * right * send;
            if (++at == frames) at = 0;
        }
    }
    // The first pass only fills the reverb with the end of the loop.
    Reverb reverb(reverbSettings);
    double wetLeft = 0.0, wetRight = 0.0;
    for (std::size_t i = 0; i < frames; ++i)
        reverb.Process(sendLeft[i], sendRight[i], wetLeft, wetRight);
    Clip out;
    out.left.resize(frames);
    out.right.resize(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        reverb.Process(sendLeft[i], sendRight[i], wetLeft, wetRight);
        out.left[i] = static_cast<float>(static_cast<double>(dryLeft[i]) + wetLeft);
        out.right[i] = static_cast<float>(static_cast<double>(dryRight[i]) + wetRight);
    }
    return out;
}

}  // namespace assetgen::sound
