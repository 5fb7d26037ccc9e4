#include "sound/mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "sound/auto_reset_event.h"
#include "sound/sound_buffer.h"

int32_t GainFromVolume(int32_t hundredthsOfDecibel) {
    if (hundredthsOfDecibel >= DSBVOLUME_MAX) return kUnityGain;
    if (hundredthsOfDecibel <= DSBVOLUME_MIN) return 0;
    const double linear = std::pow(10.0, hundredthsOfDecibel / 2000.0);
    return static_cast<int32_t>(std::lround(linear * kUnityGain));
}

namespace {

constexpr uint64_t kOneFrame = uint64_t{1} << 32;  // a whole frame in 32.32 fixed point
constexpr int kReservedFrames = 8192;

// One channel of sample frame `frame` as a signed 16-bit value.
template <int Bits, size_t Channels>
inline void ReadFrame(const uint8_t* data, uint64_t frame, int32_t& left, int32_t& right) {
    if constexpr (Bits == 16) {
        int16_t s[Channels];
        std::memcpy(s, data + frame * (2 * Channels), sizeof s);
        left = s[0];
        right = s[Channels - 1];
    } else {
        const uint8_t* p = data + frame * Channels;
        left = (static_cast<int32_t>(p[0]) - 128) * 256;
        right = (static_cast<int32_t>(p[Channels - 1]) - 128) * 256;
    }
}

struct VoiceRun {
    const uint8_t* data;
    uint64_t frameCount;
    bool looping;
    uint64_t position;  // 32.32 frames
    uint64_t step;      // 32.32 source frames per output frame
    int32_t gain;       // 16.16
    uint64_t wraps = 0;
    bool ended = false;
};

inline int32_t Scale(int32_t sample, int32_t gain) {
    return (sample * gain) >> 16;
}

// A non-looping voice that reached its end stops; a looping one starts over.
inline bool WrapAtEnd(VoiceRun& run) {
    const uint64_t end = run.frameCount << 32;
    if (run.position < end) return true;
    if (!run.looping) {
        run.ended = true;
        return false;
    }
    run.wraps += run.position / end;
    run.position %= end;
    return true;
}

template <int Bits, size_t Channels>
void MixRun(VoiceRun& run, int32_t* acc, int frames) {
    int i = 0;
    if (run.step == kOneFrame && (run.position & 0xFFFFFFFFu) == 0) {
        // Same rate as the output: whole frames, no interpolation.
        while (i < frames) {
            if (!WrapAtEnd(run)) return;
            const uint64_t frame = run.position >> 32;
            const int count = static_cast<int>(
                std::min(static_cast<uint64_t>(frames - i), run.frameCount - frame));
            int32_t* out = acc + 2 * i;
            if (run.gain == kUnityGain) {
                for (int k = 0; k < count; ++k) {
                    int32_t l, r;
                    ReadFrame<Bits, Channels>(run.data, frame + static_cast<uint64_t>(k), l, r);
                    out[2 * k] += l;
                    out[2 * k + 1] += r;
                }
            } else {
                for (int k = 0; k < count; ++k) {
                    int32_t l, r;
                    ReadFrame<Bits, Channels>(run.data, frame + static_cast<uint64_t>(k), l, r);
                    out[2 * k] += Scale(l, run.gain);
                    out[2 * k + 1] += Scale(r, run.gain);
                }
            }
            i += count;
            run.position += static_cast<uint64_t>(count) << 32;
        }
        WrapAtEnd(run);
        return;
    }
    // Another rate: linear interpolation between neighbouring frames.
    const uint64_t lastFrameStart = (run.frameCount - 1) << 32;
    while (i < frames) {
        if (!WrapAtEnd(run)) return;
        uint64_t position = run.position;
        if (position < lastFrameStart) {
            // A stretch in which every frame has its neighbour inside the buffer.
            const uint64_t reach = (lastFrameStart - position + run.step - 1) / run.step;
            const int count = static_cast<int>(std::min(reach, static_cast<uint64_t>(frames - i)));
            int32_t* out = acc + 2 * i;
            for (int k = 0; k < count; ++k) {
                const uint64_t frame = position >> 32;
                const int32_t fraction = static_cast<int32_t>((position >> 17) & 0x7FFF);
                int32_t l0, r0, l1, r1;
                ReadFrame<Bits, Channels>(run.data, frame, l0, r0);
                ReadFrame<Bits, Channels>(run.data, frame + 1, l1, r1);
                out[2 * k] += Scale(l0 + (((l1 - l0) * fraction) >> 15), run.gain);
                out[2 * k + 1] += Scale(r0 + (((r1 - r0) * fraction) >> 15), run.gain);
                position += run.step;
            }
            run.position = position;
            i += count;
            continue;
        }
        // The last frame leads to the first (looping) or holds its value.
        const uint64_t frame = position >> 32;
        const uint64_t next = run.looping ? 0 : frame;
        const int32_t fraction = static_cast<int32_t>((position >> 17) & 0x7FFF);
        int32_t l0, r0, l1, r1;
        ReadFrame<Bits, Channels>(run.data, frame, l0, r0);
        ReadFrame<Bits, Channels>(run.data, next, l1, r1);
        acc[2 * i] += Scale(l0 + (((l1 - l0) * fraction) >> 15), run.gain);
        acc[2 * i + 1] += Scale(r0 + (((r1 - r0) * fraction) >> 15), run.gain);
        run.position += run.step;
        ++i;
    }
    WrapAtEnd(run);
}

}  // namespace

Mixer::Mixer(uint32_t outputRate) : outputRate_(outputRate) {
    accumulator_.resize(2 * kReservedFrames);
}

void Mixer::Register(CSoundBuffer* buffer) {
    std::lock_guard lock(mutex_);
    buffers_.push_back(buffer);
}

void Mixer::Unregister(CSoundBuffer* buffer) {
    std::lock_guard lock(mutex_);
    buffers_.erase(std::remove(buffers_.begin(), buffers_.end(), buffer), buffers_.end());
}

void Mixer::Mix(int16_t* out, int frames) {
    if (!out || frames <= 0) return;
    std::lock_guard lock(mutex_);
    const size_t samples = static_cast<size_t>(frames) * 2;
    if (accumulator_.size() < samples) accumulator_.resize(samples);
    int32_t* acc = accumulator_.data();
    std::fill(acc, acc + samples, 0);
    for (CSoundBuffer* buffer : buffers_) {
        if (buffer->playing_) MixVoice(*buffer, acc, frames);
    }
    for (size_t i = 0; i < samples; ++i) {
        out[i] = static_cast<int16_t>(std::clamp(acc[i], -32768, 32767));
    }
}

void Mixer::MixVoice(CSoundBuffer& voice, int32_t* acc, int frames) {
    const WaveFormat& format = voice.format_;
    if (voice.frameCount_ == 0) {
        voice.playing_ = false;
        return;
    }
    VoiceRun run{voice.samples_->data(),
                 voice.frameCount_,
                 voice.looping_,
                 voice.position_,
                 (static_cast<uint64_t>(format.samplesPerSec) << 32) / outputRate_,
                 voice.gain_};
    const uint64_t startFrame = run.position >> 32;

    const bool stereo = format.channels == 2;
    if (format.bitsPerSample == 16) {
        stereo ? MixRun<16, 2>(run, acc, frames) : MixRun<16, 1>(run, acc, frames);
    } else {
        stereo ? MixRun<8, 2>(run, acc, frames) : MixRun<8, 1>(run, acc, frames);
    }

    // Which sample frames the cursor went past, for the notifications.
    uint64_t consumedFrames;
    if (run.ended) {
        consumedFrames = run.frameCount - startFrame;
        voice.playing_ = false;
        voice.looping_ = false;
        voice.position_ = 0;
    } else {
        consumedFrames = run.wraps * run.frameCount + (run.position >> 32) - startFrame;
        voice.position_ = run.position;
    }
    if (voice.notifications_.empty() || consumedFrames == 0) return;

    const uint64_t blockAlign = format.blockAlign;
    const uint64_t span = run.frameCount * blockAlign;
    const uint64_t startByte = startFrame * blockAlign;
    const uint64_t consumedBytes = consumedFrames * blockAlign;
    for (const PositionNotify& notify : voice.notifications_) {
        const uint64_t offset = std::min<uint64_t>(notify.offset, span - 1);
        const uint64_t distance =
            offset >= startByte ? offset - startByte : offset + span - startByte;
        if (distance >= consumedBytes) continue;
        voice.notificationsPassed_ += (consumedBytes - 1 - distance) / span + 1;
        notify.event->Set();
    }
}
