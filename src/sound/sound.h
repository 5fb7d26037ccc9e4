// A sound held whole in memory: the sample data of one WAVE file in one or more buffers that
// share the sample memory, so that the same sound can play more than once at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "diag/result_codes.h"
#include "sound/sound_buffer.h"
#include "sound/wave_reader.h"

class CSound {
  public:
    // Takes over the buffers (entry 0 first, the others its duplicates) and the open reader,
    // fills buffer 0 from the start of the file and puts every buffer at position 0.
    CSound(std::vector<std::unique_ptr<CSoundBuffer>> buffers, uint32_t bufferBytes,
           std::unique_ptr<CWaveReader> reader);
    virtual ~CSound();
    CSound(const CSound&) = delete;
    CSound& operator=(const CSound&) = delete;

    // Rewinds every buffer and plays a free one (a random one when all play). `flags`:
    // DSBPLAY_LOOPING. Records the file among the recently started sounds.
    HRESULT StartSound(uint32_t priority, uint32_t flags);
    // Stops every buffer where it is; the bitwise OR of the buffers' results.
    HRESULT StopSound();
    // Every buffer back to position 0 (playing ones go on from the start).
    HRESULT Reset();
    bool AnyBufferPlaying();
    // Buffer `index`, or null when there is no such buffer.
    CSoundBuffer* BufferAt(uint32_t index);
    // Fills `buffer` from the start of the file: with `repeat`, back-to-back copies when the file
    // is shorter than the buffer, otherwise the tail is silence (0, or 128 for 8-bit sound).
    HRESULT FillBufferWithSound(CSoundBuffer* buffer, bool repeat);
    // S_FALSE when the buffer was not lost (always, here); `*restored` (optional) says whether it
    // was restored and needs refilling.
    HRESULT RestoreBuffer(CSoundBuffer* buffer, bool* restored);
    // The first buffer that is not playing, else a random one; null without buffers. The
    // random choice has a generator of its own: which voices are still busy depends on the audio
    // thread, and must never change the numbers the game's rules draw.
    CSoundBuffer* GetFreeBuffer();

    uint32_t BufferCount() const { return static_cast<uint32_t>(buffers_.size()); }
    uint32_t BufferBytes() const { return bufferBytes_; }
    // The file the sound was loaded from.
    const std::string& Path() const { return path_; }

  protected:
    CWaveReader* Reader() { return waveReader_.get(); }
    uint8_t SilenceByte() const;
    // A lost buffer is restored and filled again from the start of the file: S_OK then, S_FALSE
    // when it was not lost. Failures are traced and returned.
    HRESULT RestoreAndRefill(CSoundBuffer* buffer);
    // Fills bytes[filled, length) by rewinding the file and reading it again, as often as it
    // takes; a file that gives nothing any more leaves the rest as silence. On a failure returns
    // its code with the failing call's name in `failedCall`.
    HRESULT ReadRepeating(uint8_t* bytes, uint32_t length, uint32_t& filled,
                          const char*& failedCall);

    std::vector<std::unique_ptr<CSoundBuffer>> buffers_;
    uint32_t bufferBytes_;
    std::unique_ptr<CWaveReader> waveReader_;
    std::string path_;
    std::minstd_rand voiceToSteal_;
};
