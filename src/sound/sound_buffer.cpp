#include "sound/sound_buffer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "sound/mixer.h"

CSoundBuffer::CSoundBuffer(std::shared_ptr<Mixer> mixer,
                           std::shared_ptr<std::vector<uint8_t>> samples, const WaveFormat& format,
                           uint32_t flags)
    : mixer_(std::move(mixer)),
      samples_(std::move(samples)),
      format_(format),
      flags_(flags),
      bufferBytes_(static_cast<uint32_t>(samples_->size())),
      frameCount_(format.blockAlign ? bufferBytes_ / format.blockAlign : 0),
      gain_(kUnityGain) {
    mixer_->Register(this);
}

CSoundBuffer::~CSoundBuffer() {
    mixer_->Unregister(this);
}

HRESULT CSoundBuffer::Play(uint32_t reserved, uint32_t /*priority*/, uint32_t flags) {
    if (reserved != 0) return E_INVALIDARG;
    std::lock_guard lock(mixer_->Mutex());
    playing_ = true;
    looping_ = (flags & DSBPLAY_LOOPING) != 0;
    return S_OK;
}

HRESULT CSoundBuffer::Stop() {
    std::lock_guard lock(mixer_->Mutex());
    playing_ = false;
    return S_OK;
}

HRESULT CSoundBuffer::SetCurrentPosition(uint32_t offset) {
    if (offset >= bufferBytes_) return E_INVALIDARG;
    uint64_t frame = offset / format_.blockAlign;
    if (frame >= frameCount_) frame = 0;  // inside a trailing partial frame
    std::lock_guard lock(mixer_->Mutex());
    position_ = frame << 32;
    return S_OK;
}

HRESULT CSoundBuffer::GetCurrentPosition(uint32_t* playCursor, uint32_t* writeCursor) {
    uint32_t cursor;
    {
        std::lock_guard lock(mixer_->Mutex());
        cursor = static_cast<uint32_t>((position_ >> 32) * format_.blockAlign);
    }
    if (playCursor) *playCursor = cursor;
    // The mixer reads a buffer only while it holds its lock, so writing may start at the cursor.
    if (writeCursor) *writeCursor = cursor;
    return S_OK;
}

HRESULT CSoundBuffer::GetStatus(uint32_t* status) {
    if (!status) return E_INVALIDARG;
    std::lock_guard lock(mixer_->Mutex());
    *status = 0;
    if (playing_) *status = DSBSTATUS_PLAYING | (looping_ ? DSBSTATUS_LOOPING : 0);
    return S_OK;
}

HRESULT CSoundBuffer::SetVolume(int32_t hundredthsOfDecibel) {
    if (!(flags_ & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
    if (hundredthsOfDecibel < DSBVOLUME_MIN || hundredthsOfDecibel > DSBVOLUME_MAX) {
        return E_INVALIDARG;
    }
    const int32_t gain = GainFromVolume(hundredthsOfDecibel);
    std::lock_guard lock(mixer_->Mutex());
    volume_ = hundredthsOfDecibel;
    gain_ = gain;
    return S_OK;
}

HRESULT CSoundBuffer::GetVolume(int32_t* hundredthsOfDecibel) {
    if (!(flags_ & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
    if (!hundredthsOfDecibel) return E_INVALIDARG;
    std::lock_guard lock(mixer_->Mutex());
    *hundredthsOfDecibel = volume_;
    return S_OK;
}

HRESULT CSoundBuffer::Lock(uint32_t offset, uint32_t bytes, void** region1, uint32_t* bytes1,
                           void** region2, uint32_t* bytes2, uint32_t flags) {
    if (!region1 || !bytes1) return E_INVALIDARG;
    if (region2 && !bytes2) return E_INVALIDARG;
    if (locked_) return DSERR_INVALIDCALL;
    if (flags & DSBLOCK_FROMWRITECURSOR) GetCurrentPosition(nullptr, &offset);
    if (flags & DSBLOCK_ENTIREBUFFER) bytes = bufferBytes_;
    if (offset >= bufferBytes_ || bytes == 0 || bytes > bufferBytes_) return E_INVALIDARG;

    const uint32_t first = std::min(bytes, bufferBytes_ - offset);
    const uint32_t second = region2 ? bytes - first : 0;
    try {
        staging_.resize(static_cast<size_t>(first) + second);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    {
        std::lock_guard lock(mixer_->Mutex());
        std::memcpy(staging_.data(), samples_->data() + offset, first);
        if (second) std::memcpy(staging_.data() + first, samples_->data(), second);
    }
    locked_ = true;
    lockOffset_ = offset;
    lockBytes_ = first;
    *region1 = staging_.data();
    *bytes1 = first;
    if (region2) {
        *region2 = second ? staging_.data() + first : nullptr;
        *bytes2 = second;
    }
    return S_OK;
}

HRESULT CSoundBuffer::Unlock(void* region1, uint32_t bytes1, void* region2, uint32_t bytes2) {
    if (!locked_) return DSERR_INVALIDCALL;
    if (region1 != staging_.data() || bytes1 > lockBytes_ ||
        (region2 &&
         (region2 != staging_.data() + lockBytes_ || bytes2 > staging_.size() - lockBytes_))) {
        return E_INVALIDARG;
    }
    {
        std::lock_guard lock(mixer_->Mutex());
        std::memcpy(samples_->data() + lockOffset_, staging_.data(), bytes1);
        if (region2 && bytes2) std::memcpy(samples_->data(), staging_.data() + lockBytes_, bytes2);
    }
    locked_ = false;
    // Keep only the reserved lock area, so a whole-buffer fill does not double the memory of a
    // sound for good.
    if (staging_.capacity() > lockAreaReserve_) {
        std::vector<uint8_t>(lockAreaReserve_).swap(staging_);
    }
    return S_OK;
}

void CSoundBuffer::ReserveLockArea(uint32_t bytes) {
    lockAreaReserve_ = bytes;
    if (!locked_) staging_.reserve(bytes);
}

HRESULT CSoundBuffer::Restore() {
    return S_OK;
}

HRESULT CSoundBuffer::SetNotificationPositions(uint32_t count, const PositionNotify* positions) {
    if (!(flags_ & DSBCAPS_CTRLPOSITIONNOTIFY)) return DSERR_CONTROLUNAVAIL;
    if (count > 0 && !positions) return E_INVALIDARG;
    for (uint32_t i = 0; i < count; ++i) {
        if (positions[i].offset >= bufferBytes_ || !positions[i].event) return E_INVALIDARG;
    }
    std::vector<PositionNotify> copy(positions, positions + count);
    std::lock_guard lock(mixer_->Mutex());
    if (playing_) return DSERR_INVALIDCALL;
    notifications_ = std::move(copy);
    return S_OK;
}

std::vector<PositionNotify> CSoundBuffer::NotificationPositions() {
    std::lock_guard lock(mixer_->Mutex());
    return notifications_;
}

uint64_t CSoundBuffer::NotificationsPassed() {
    std::lock_guard lock(mixer_->Mutex());
    return notificationsPassed_;
}
