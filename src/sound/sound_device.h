// The one sound device: opens the platform's audio output and owns the software mixer that plays
// every sound buffer.
#pragma once

#include <cstdint>
#include <memory>

#include "diag/result_codes.h"
#include "sound/guid.h"
#include "sound/sound_buffer.h"
#include "sound/wave_reader.h"

class AutoResetEvent;
class CMusicStream;
class CSound;
class Mixer;

// Cooperative levels (kept for the callers; the mixer treats them alike).
constexpr uint32_t DSSCL_NORMAL = 1;
constexpr uint32_t DSSCL_PRIORITY = 2;

class CSoundDevice {
  public:
    CSoundDevice() = default;
    ~CSoundDevice();
    CSoundDevice(const CSoundDevice&) = delete;
    CSoundDevice& operator=(const CSoundDevice&) = delete;

    // Opens the audio output at `rate` and sets the mix format. Fails (traced, with a box) when
    // the platform has no audio output; the game then cannot start.
    HRESULT OpenDevice(uint32_t coopLevel, uint32_t channels, uint32_t rate, uint32_t bits);
    // Sets the primary (mix) format: PCM, block alignment (bits / 8) x channels.
    HRESULT SetMixFormat(uint32_t channels, uint32_t rate, uint32_t bits);
    // Creates a sound from a WAVE file with `bufferCount` buffers sharing one sample memory.
    // `*out` is left unchanged on failure.
    HRESULT LoadSound(CSound** out, const char* path, uint32_t creationFlags, const Guid& algorithm,
                      uint32_t bufferCount);
    // Creates a streamed music buffer of `segmentCount` x `segmentBytes` bytes whose segment ends
    // set `event` as they are played.
    HRESULT CreateMusicStream(CMusicStream** out, const char* path, uint32_t creationFlags,
                              const Guid& algorithm, uint32_t segmentCount, uint32_t segmentBytes,
                              AutoResetEvent* event);

    // Buffer creation. DSERR_BADFORMAT for a format the mixer cannot play, E_INVALIDARG for a size
    // out of range.
    HRESULT CreateSoundBuffer(const SoundBufferDesc& desc, std::unique_ptr<CSoundBuffer>* out);
    // A second buffer on the same sample memory, with its own cursor, flags and volume.
    HRESULT DuplicateSoundBuffer(const CSoundBuffer& original, std::unique_ptr<CSoundBuffer>* out);

    bool IsOpen() const { return mixer_ != nullptr; }
    const WaveFormat& MixFormat() const { return mixFormat_; }

  private:
    void Release();

    std::shared_ptr<Mixer> mixer_;
    WaveFormat mixFormat_;
};
