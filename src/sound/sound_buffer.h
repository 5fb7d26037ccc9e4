// A secondary sound buffer: sample memory (shared with its duplicates) plus its own voice state,
// a play cursor, a playing and a looping flag and a volume, mixed by the device's Mixer.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "diag/result_codes.h"
#include "sound/guid.h"
#include "sound/wave_reader.h"

class AutoResetEvent;
class Mixer;

// Creation flags of a sound buffer. The values are those the sound files' callers and traces
// have always used, so a flag reads the same in a trace as in the code.
constexpr uint32_t DSBCAPS_PRIMARYBUFFER = 0x1;
constexpr uint32_t DSBCAPS_CTRLVOLUME = 0x80;
constexpr uint32_t DSBCAPS_CTRLPOSITIONNOTIFY = 0x100;
constexpr uint32_t DSBCAPS_GETCURRENTPOSITION2 = 0x10000;

// Play flags.
constexpr uint32_t DSBPLAY_LOOPING = 0x1;

// Status bits.
constexpr uint32_t DSBSTATUS_PLAYING = 0x1;
constexpr uint32_t DSBSTATUS_BUFFERLOST = 0x2;
constexpr uint32_t DSBSTATUS_LOOPING = 0x4;

// Lock flags.
constexpr uint32_t DSBLOCK_FROMWRITECURSOR = 0x1;
constexpr uint32_t DSBLOCK_ENTIREBUFFER = 0x2;

// Volume range in hundredths of a decibel: 0 full, -10000 silent.
constexpr int32_t DSBVOLUME_MAX = 0;
constexpr int32_t DSBVOLUME_MIN = -10000;

// Buffer sizes the device accepts, in bytes.
constexpr uint32_t DSBSIZE_MIN = 4;
constexpr uint32_t DSBSIZE_MAX = 0x0FFFFFFF;

// Sample rates the mixer plays, in frames per second.
constexpr uint32_t DSBFREQUENCY_MIN = 100;
constexpr uint32_t DSBFREQUENCY_MAX = 200000;

// What a buffer is created from.
struct SoundBufferDesc {
    uint32_t size = 36;
    uint32_t flags = 0;
    uint32_t bufferBytes = 0;
    const WaveFormat* format = nullptr;
    Guid algorithm = GUID_NULL;
};

// A position in a buffer whose passing by the play cursor sets `event`.
struct PositionNotify {
    uint32_t offset = 0;
    AutoResetEvent* event = nullptr;
};

class CSoundBuffer {
  public:
    ~CSoundBuffer();
    CSoundBuffer(const CSoundBuffer&) = delete;
    CSoundBuffer& operator=(const CSoundBuffer&) = delete;

    // Starts playing from the play cursor (`flags`: DSBPLAY_LOOPING). On a playing buffer it only
    // changes the looping flag. `reserved` must be 0.
    HRESULT Play(uint32_t reserved, uint32_t priority, uint32_t flags);
    // Stops; the play cursor stays where it is.
    HRESULT Stop();
    // Moves the play cursor to `offset` bytes (rounded down to a whole sample frame).
    HRESULT SetCurrentPosition(uint32_t offset);
    // The play cursor and the first byte that is safe to write, in bytes. Either may be null.
    HRESULT GetCurrentPosition(uint32_t* playCursor, uint32_t* writeCursor);
    // DSBSTATUS_PLAYING, DSBSTATUS_LOOPING (lost never happens here).
    HRESULT GetStatus(uint32_t* status);
    // Attenuation in hundredths of a decibel, DSBVOLUME_MIN..DSBVOLUME_MAX. DSERR_CONTROLUNAVAIL
    // unless the buffer was created with DSBCAPS_CTRLVOLUME.
    HRESULT SetVolume(int32_t hundredthsOfDecibel);
    HRESULT GetVolume(int32_t* hundredthsOfDecibel);
    // Hands out `bytes` bytes from `offset` for writing: the first region up to the buffer's end,
    // the rest in the second region (which needs `region2`, otherwise the lock stops at the end).
    // Written bytes reach the sample memory at Unlock, never half-way through a mix.
    HRESULT Lock(uint32_t offset, uint32_t bytes, void** region1, uint32_t* bytes1, void** region2,
                 uint32_t* bytes2, uint32_t flags);
    HRESULT Unlock(void* region1, uint32_t bytes1, void* region2, uint32_t bytes2);
    // Keeps room for locks of up to `bytes` bytes, so that such locks never allocate.
    void ReserveLockArea(uint32_t bytes);
    // Sample memory is never lost on this platform: always 0.
    HRESULT Restore();
    // Replaces the notification positions; each must lie inside the buffer. Needs
    // DSBCAPS_CTRLPOSITIONNOTIFY; refused while playing.
    HRESULT SetNotificationPositions(uint32_t count, const PositionNotify* positions);
    std::vector<PositionNotify> NotificationPositions();
    // How many notification positions the play cursor has passed since the buffer was created.
    uint64_t NotificationsPassed();

    uint32_t BufferBytes() const { return bufferBytes_; }
    uint32_t CreationFlags() const { return flags_; }
    const WaveFormat& Format() const { return format_; }

  private:
    friend class CSoundDevice;
    friend class Mixer;

    CSoundBuffer(std::shared_ptr<Mixer> mixer, std::shared_ptr<std::vector<uint8_t>> samples,
                 const WaveFormat& format, uint32_t flags);

    std::shared_ptr<Mixer> mixer_;
    std::shared_ptr<std::vector<uint8_t>> samples_;  // shared by duplicates
    WaveFormat format_;
    uint32_t flags_;
    uint32_t bufferBytes_;
    uint32_t frameCount_;

    // Voice state, guarded by the mixer's mutex. The position counts sample frames in 32.32
    // fixed point so that any sample rate steps evenly.
    uint64_t position_ = 0;
    bool playing_ = false;
    bool looping_ = false;
    int32_t volume_ = 0;
    int32_t gain_;
    std::vector<PositionNotify> notifications_;
    uint64_t notificationsPassed_ = 0;

    // Lock state, used only by the thread that locks.
    std::vector<uint8_t> staging_;
    bool locked_ = false;
    uint32_t lockOffset_ = 0;
    uint32_t lockBytes_ = 0;
    uint32_t lockAreaReserve_ = 0;
};
