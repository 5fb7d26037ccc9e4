// Streamed music: one looping buffer of about three seconds in 8 segments. Each time the play
// cursor passes a segment's end the mixer sets MusicEvent, and the music thread overwrites the
// segment just played with the next part of the file, rewinding the file at its end. The music
// is never held whole in memory.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "diag/result_codes.h"
#include "sound/auto_reset_event.h"
#include "sound/sound.h"

class CMusicStream : public CSound {
  public:
    CMusicStream(std::unique_ptr<CSoundBuffer> buffer, uint32_t bufferBytes,
                 std::unique_ptr<CWaveReader> reader, uint32_t segmentBytes);
    ~CMusicStream() override;

    // Streaming state back to the start of the file and the play cursor to 0.
    HRESULT RewindStream();
    // Overwrites the next segment (the one just played) with the next part of the file. With
    // `loop` the file is rewound at its end; without, the rest is silence and the buffer stops
    // once the whole file has been played.
    HRESULT RefillNextSegment(bool loop);

    // Segments the play cursor has finished since the last rewind that no refill has replaced yet.
    uint32_t SegmentsDue();
    // Counts every segment end so far as refilled (after a refill of the whole buffer).
    void ForgetMissedSegments();

    // A stream whose file failed: stopped for good and skipped by the music thread.
    void MarkDead();
    bool IsDead() const { return dead_; }

    uint32_t SegmentBytes() const { return segmentBytes_; }
    uint32_t LastPlayCursor() const { return lastPlayCursor_; }
    uint32_t PlayedBytes() const { return playedBytes_; }
    uint32_t NextWriteOffset() const { return nextWriteOffset_; }
    bool PadWithSilence() const { return padWithSilence_; }

    // Test hooks: the streaming state as a refill finds it.
    void SetStreamStateForTests(uint32_t lastPlayCursor, uint32_t playedBytes) {
        lastPlayCursor_ = lastPlayCursor;
        playedBytes_ = playedBytes;
    }

  private:
    uint32_t lastPlayCursor_ = 0;
    uint32_t playedBytes_ = 0;
    uint32_t segmentBytes_;
    uint32_t nextWriteOffset_ = 0;
    bool padWithSilence_ = false;
    uint64_t notificationsAtRewind_ = 0;
    uint64_t refillsSinceRewind_ = 0;
    bool dead_ = false;  // guarded by MusicLock
};

namespace sound {

constexpr uint32_t kMusicSegments = 8;
constexpr uint32_t kMusicCreationFlags = 0x10180;  // volume, position notify, current position

// The one music stream; null until music is first opened. Replaced only by OpenMusic.
extern CMusicStream* MusicStream;
// Set by the mixer at every segment end of the playing stream; auto-reset.
extern AutoResetEvent MusicEvent;
// Serialises the music thread's refill against OpenMusic and PlayMusic. Hold it for any other
// main-thread call on MusicStream that reads the file (FillBufferWithSound, RewindStream); the
// buffer operations (StopSound, AnyBufferPlaying, SetVolume) are safe without it.
std::mutex& MusicLock();

// 3/8 s of sound in whole sample frames: (rate x 3 x blockAlign) / 8, rounded down to a frame.
uint32_t MusicSegmentBytes(uint32_t samplesPerSec, uint32_t blockAlign);

// Replaces MusicStream with a stream of `path`, filled and stopped at position 0. A file that
// cannot be read, or failed before, leaves the current stream in place. Any file that fails is
// recorded (see file_failures.h); one whose stream cannot be made or filled leaves MusicStream
// empty.
void OpenMusic(const char* path);
// Makes the stream of `path` ahead of its OpenMusic(path) (at level load): the file's format,
// the buffer and its first seconds of sound are read then, and OpenMusic only puts the stream
// into the slot. A file that fails is recorded, as in OpenMusic.
void PrepareMusic(const char* path);
// Deletes a prepared stream that was never opened.
void DiscardPreparedMusic();
// Restarts MusicStream from the start of its file, looping; E_FAIL when there is none or its
// file failed. A failing fill is recorded and stops the stream for good.
HRESULT PlayMusic(bool loop);
// Stops MusicStream if there is one.
void StopMusic();

// Starts the music thread: it waits for MusicEvent and refills MusicStream while
// `musicEnabled()` is true. A failing refill is recorded for the main thread to report, the
// stream stops for good, and the thread waits for the next one.
void StartMusicThread(std::function<bool()> musicEnabled);
// Tells the music thread to end and joins it. Does nothing when it is not running.
void StopMusicThread();
bool MusicThreadRunning();
// Where there are no threads (the browser), the frame loop does the music thread's work: when a
// segment end has passed since the last call, it refills what was played, as the thread would.
// Called between frames, it keeps up as long as a frame takes less than the buffer's three
// seconds.
void RefillMusicWithoutThread(const std::function<bool()>& musicEnabled);

}  // namespace sound
