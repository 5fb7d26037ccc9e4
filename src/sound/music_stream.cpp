#include "sound/music_stream.h"

#include <atomic>
#include <cstring>
#include <optional>
#include <thread>
#include <utility>

#include "diag/trace_error.h"
#include "sound/file_failures.h"
#include "sound/sound_system.h"

CMusicStream::CMusicStream(std::unique_ptr<CSoundBuffer> buffer, uint32_t bufferBytes,
                           std::unique_ptr<CWaveReader> reader, uint32_t segmentBytes)
    : CSound(
          [&buffer] {
              std::vector<std::unique_ptr<CSoundBuffer>> buffers;
              buffers.push_back(std::move(buffer));
              return buffers;
          }(),
          bufferBytes, std::move(reader)),
      segmentBytes_(segmentBytes) {
    // Refills lock one segment at a time and must not allocate while the music plays.
    if (!buffers_.empty() && buffers_[0]) buffers_[0]->ReserveLockArea(segmentBytes);
}

CMusicStream::~CMusicStream() = default;

HRESULT CMusicStream::RewindStream() {
    if (buffers_.empty() || !buffers_[0] || !waveReader_) return CO_E_NOTINITIALIZED;
    CSoundBuffer* buffer = buffers_[0].get();
    lastPlayCursor_ = 0;
    playedBytes_ = 0;
    nextWriteOffset_ = 0;
    padWithSilence_ = false;

    HRESULT hr = RestoreAndRefill(buffer);
    if (Failed(hr)) return hr;
    waveReader_->ResetFile();
    hr = buffer->SetCurrentPosition(0);
    notificationsAtRewind_ = buffer->NotificationsPassed();
    refillsSinceRewind_ = 0;
    return hr;
}

HRESULT CMusicStream::RefillNextSegment(bool loop) {
    if (buffers_.empty() || !buffers_[0] || !waveReader_) return CO_E_NOTINITIALIZED;
    CSoundBuffer* buffer = buffers_[0].get();

    // A lost buffer was just filled from the start of the file: nothing more to write now.
    HRESULT hr = RestoreAndRefill(buffer);
    if (hr != S_FALSE) return hr;

    void* region = nullptr;
    uint32_t length = 0;
    void* wrapped = nullptr;
    uint32_t wrappedLength = 0;
    hr = buffer->Lock(nextWriteOffset_, segmentBytes_, &region, &length, &wrapped, &wrappedLength,
                      0);
    if (Failed(hr)) return TQ_SOUND_TRACE("Lock", hr, true);
    if (wrapped && wrappedLength > 0) {
        // Segments tile the buffer exactly, so a lock never runs over its end.
        buffer->Unlock(region, 0, wrapped, 0);
        return E_UNEXPECTED;
    }
    uint8_t* bytes = static_cast<uint8_t*>(region);
    const uint8_t silence = SilenceByte();

    uint32_t filled = 0;
    if (padWithSilence_) {
        std::memset(bytes, silence, length);
        filled = length;
    } else {
        hr = waveReader_->Read(bytes, length, &filled);
        if (Failed(hr)) {
            buffer->Unlock(region, length, nullptr, 0);
            return TQ_SOUND_TRACE("Read", hr, true);
        }
    }
    if (filled < length) {
        if (loop) {
            const char* failedCall = nullptr;
            hr = ReadRepeating(bytes, length, filled, failedCall);
            if (Failed(hr)) {
                buffer->Unlock(region, length, nullptr, 0);
                return TQ_SOUND_TRACE(failedCall, hr, true);
            }
        } else {
            std::memset(bytes + filled, silence, length - filled);
            padWithSilence_ = true;
        }
    }
    buffer->Unlock(region, length, nullptr, 0);

    uint32_t cursor = 0;
    hr = buffer->GetCurrentPosition(&cursor, nullptr);
    if (Failed(hr)) return TQ_SOUND_TRACE("GetCurrentPosition", hr, true);
    const uint32_t played = cursor >= lastPlayCursor_ ? cursor - lastPlayCursor_
                                                      : bufferBytes_ + cursor - lastPlayCursor_;
    playedBytes_ += played;
    lastPlayCursor_ = cursor;

    // Played once to its end: stop.
    if (padWithSilence_ && playedBytes_ >= waveReader_->DataSize()) buffer->Stop();

    nextWriteOffset_ = (nextWriteOffset_ + length) % bufferBytes_;
    ++refillsSinceRewind_;
    return S_OK;
}

uint32_t CMusicStream::SegmentsDue() {
    if (buffers_.empty() || !buffers_[0]) return 0;
    const uint64_t passed = buffers_[0]->NotificationsPassed() - notificationsAtRewind_;
    if (passed <= refillsSinceRewind_) return 0;
    const uint64_t due = passed - refillsSinceRewind_;
    return due > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(due);
}

void CMusicStream::ForgetMissedSegments() {
    if (buffers_.empty() || !buffers_[0]) return;
    refillsSinceRewind_ = buffers_[0]->NotificationsPassed() - notificationsAtRewind_;
}

void CMusicStream::MarkDead() {
    dead_ = true;
    StopSound();
}

namespace sound {

CMusicStream* MusicStream = nullptr;
AutoResetEvent MusicEvent;

namespace {

std::atomic<bool> MusicThreadQuit{false};
std::atomic<bool> MusicThreadAlive{false};

// The worker; a process that ends without StopMusicThread still ends it cleanly.
struct MusicThreadHolder {
    std::thread thread;
    ~MusicThreadHolder() {
        if (!thread.joinable()) return;
        MusicThreadQuit.store(true);
        MusicEvent.Set();
        thread.join();
    }
} MusicThread;

// The stream's file failed: the stream stops for good and the failure waits for the main thread
// to report it. Called with MusicLock held.
void KillStream(CMusicStream& stream, const diag::HeldTraceBoxes& held) {
    stream.MarkDead();
    RecordFileFailure(stream.Path(), held);
}

// Refills the segments played since the last refill. When the refill comes late, it catches up
// with every segment that was played meanwhile (at most one buffer's worth). A refill that fails
// ends that stream, never the music: the next tune streams again.
void RefillDueSegments(const std::function<bool()>& musicEnabled) {
    if (musicEnabled && !musicEnabled()) return;
    std::lock_guard lock(MusicLock());
    CMusicStream* stream = MusicStream;
    if (!stream || stream->IsDead()) return;
    // A modal box here would hold the lock, and with it the main thread, until closed.
    diag::HeldTraceBoxes held;
    uint32_t refills = 0;
    while (stream->SegmentsDue() > 0 && refills < kMusicSegments) {
        if (Failed(stream->RefillNextSegment(true))) {
            KillStream(*stream, held);
            return;
        }
        ++refills;
    }
    // Lapped: the whole buffer has just been rewritten; older segment ends are history.
    if (refills == kMusicSegments) stream->ForgetMissedSegments();
}

// Waits for segment ends and refills the segments just played.
void MusicThreadRoutine(std::function<bool()> musicEnabled) {
    while (true) {
        MusicEvent.Wait();
        if (MusicThreadQuit.load()) break;
        RefillDueSegments(musicEnabled);
    }
    MusicThreadAlive.store(false);
}

}  // namespace

std::mutex& MusicLock() {
    static std::mutex lock;
    return lock;
}

uint32_t MusicSegmentBytes(uint32_t samplesPerSec, uint32_t blockAlign) {
    if (blockAlign == 0) return 0;
    uint32_t segment = (samplesPerSec * 3 * blockAlign) >> 3;
    return segment - segment % blockAlign;
}

namespace {

// A stream made ahead of its OpenMusic; guarded by MusicLock. Never refilled: it does not play.
CMusicStream* PreparedStream = nullptr;

// The segment size of the music file `path`, learnt from its format; nothing when the file
// cannot be read (and it is recorded as failed).
std::optional<uint32_t> ProbeSegmentBytes(const char* path, const diag::HeldTraceBoxes& held) {
    CWaveReader probe;
    if (Failed(probe.OpenForReading(path)) || probe.DataSize() == 0 || !probe.Format()) {
        RecordFileFailure(path, held);
        return std::nullopt;
    }
    return MusicSegmentBytes(probe.Format()->samplesPerSec, probe.Format()->blockAlign);
}

// The stream of `path`, filled from the start of the file and stopped at position 0; null when
// it cannot be made, and then its file is recorded as failed. A stream whose first fill failed
// would fail again at every start: it goes too.
CMusicStream* CreateStream(const char* path, uint32_t segment, const diag::HeldTraceBoxes& held) {
    CMusicStream* stream = nullptr;
    SoundDevice->CreateMusicStream(&stream, path, kMusicCreationFlags, GUID_NULL, kMusicSegments,
                                   segment, &MusicEvent);
    if (stream && held.Empty()) return stream;
    RecordFileFailure(path, held);
    delete stream;
    return nullptr;
}

}  // namespace

void OpenMusic(const char* path) {
    if (!SoundDevice || !SoundDevice->IsOpen() || !path || FileFailed(path)) return;
    {
        std::lock_guard lock(MusicLock());
        if (PreparedStream && PreparedStream->Path() == path) {
            delete MusicStream;
            MusicStream = std::exchange(PreparedStream, nullptr);
            MusicEvent.Reset();
            return;
        }
    }
    diag::HeldTraceBoxes held;
    // Learn the format first; a file that cannot be read leaves the current stream in place.
    const std::optional<uint32_t> segment = ProbeSegmentBytes(path, held);
    if (!segment) return;

    std::lock_guard lock(MusicLock());
    delete MusicStream;
    MusicStream = CreateStream(path, *segment, held);
    // A segment end of the old stream is no reason to refill the new one.
    MusicEvent.Reset();
}

void PrepareMusic(const char* path) {
    if (!SoundDevice || !SoundDevice->IsOpen() || !path || FileFailed(path)) return;
    diag::HeldTraceBoxes held;
    const std::optional<uint32_t> segment = ProbeSegmentBytes(path, held);
    if (!segment) return;
    CMusicStream* stream = CreateStream(path, *segment, held);
    std::lock_guard lock(MusicLock());
    delete PreparedStream;
    PreparedStream = stream;
}

void DiscardPreparedMusic() {
    std::lock_guard lock(MusicLock());
    delete PreparedStream;
    PreparedStream = nullptr;
}

HRESULT PlayMusic(bool loop) {
    std::lock_guard lock(MusicLock());
    if (!MusicStream || MusicStream->IsDead()) return E_FAIL;
    diag::HeldTraceBoxes held;
    HRESULT hr = MusicStream->RewindStream();
    if (hr == S_OK) hr = MusicStream->FillBufferWithSound(MusicStream->BufferAt(0), loop);
    if (hr == S_OK) hr = MusicStream->StartSound(0, DSBPLAY_LOOPING);
    if (!held.Empty()) {
        KillStream(*MusicStream, held);
        return Failed(hr) ? hr : E_FAIL;
    }
    return hr;
}

void StopMusic() {
    if (MusicStream) MusicStream->StopSound();
}

void StartMusicThread(std::function<bool()> musicEnabled) {
    if (MusicThread.thread.joinable()) return;
    MusicThreadQuit.store(false);
    MusicThreadAlive.store(true);
    MusicThread.thread = std::thread(MusicThreadRoutine, std::move(musicEnabled));
}

void StopMusicThread() {
    if (!MusicThread.thread.joinable()) return;
    MusicThreadQuit.store(true);
    MusicEvent.Set();
    MusicThread.thread.join();
    MusicThreadQuit.store(false);
    MusicEvent.Reset();
}

bool MusicThreadRunning() {
    return MusicThreadAlive.load();
}

void RefillMusicWithoutThread(const std::function<bool()>& musicEnabled) {
    if (MusicEvent.TryWait()) RefillDueSegments(musicEnabled);
}

}  // namespace sound
