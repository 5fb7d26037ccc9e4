// The software mixer: pulled by the platform's audio output for interleaved stereo 16-bit
// frames, it adds up every playing buffer, converting its format and rate on the way, and sets
// the notification events of the positions the play cursors pass.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

class CSoundBuffer;

// Hundredths of a decibel (0 full, -10000 silent) as a linear gain in 16.16 fixed point. The
// only place where the game's volume unit is converted.
int32_t GainFromVolume(int32_t hundredthsOfDecibel);

constexpr int32_t kUnityGain = 1 << 16;

class Mixer {
  public:
    explicit Mixer(uint32_t outputRate);
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    // Fills `out` with `frames` mixed stereo frames (the audio output's pull).
    void Mix(int16_t* out, int frames);

    // Guards every buffer's voice state and sample memory against the mix.
    std::mutex& Mutex() { return mutex_; }

    void Register(CSoundBuffer* buffer);
    void Unregister(CSoundBuffer* buffer);

  private:
    void MixVoice(CSoundBuffer& voice, int32_t* accumulator, int frames);

    const uint32_t outputRate_;
    std::mutex mutex_;
    std::vector<CSoundBuffer*> buffers_;
    std::vector<int32_t> accumulator_;
};
