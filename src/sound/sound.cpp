#include "sound/sound.h"

#include <chrono>
#include <cstring>
#include <thread>

#include "diag/trace_error.h"
#include "platform/platform.h"
#include "sound/sound_system.h"

namespace {

// Restoring a lost buffer is tried this often before giving up (it cannot be lost here).
constexpr int kRestoreAttempts = 100;

}  // namespace

CSound::CSound(std::vector<std::unique_ptr<CSoundBuffer>> buffers, uint32_t bufferBytes,
               std::unique_ptr<CWaveReader> reader)
    : buffers_(std::move(buffers)), bufferBytes_(bufferBytes), waveReader_(std::move(reader)) {
    if (waveReader_) path_ = waveReader_->Path();
    if (!buffers_.empty()) FillBufferWithSound(buffers_[0].get(), false);
    for (auto& buffer : buffers_) {
        if (buffer) buffer->SetCurrentPosition(0);
    }
}

CSound::~CSound() = default;

uint8_t CSound::SilenceByte() const {
    const WaveFormat* format = waveReader_ ? waveReader_->Format() : nullptr;
    return format && format->bitsPerSample == 8 ? 128 : 0;
}

CSoundBuffer* CSound::BufferAt(uint32_t index) {
    return index < buffers_.size() ? buffers_[index].get() : nullptr;
}

HRESULT CSound::RestoreBuffer(CSoundBuffer* buffer, bool* restored) {
    if (!buffer) return CO_E_NOTINITIALIZED;
    if (restored) *restored = false;
    uint32_t status = 0;
    HRESULT hr = buffer->GetStatus(&status);
    if (Failed(hr)) return TQ_SOUND_TRACE("GetStatus", hr, true);
    if (!(status & DSBSTATUS_BUFFERLOST)) return S_FALSE;

    for (int attempt = 0; attempt < kRestoreAttempts; ++attempt) {
        hr = buffer->Restore();
        if (hr == DSERR_BUFFERLOST) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        hr = buffer->Restore();
        if (hr == S_OK) {
            if (restored) *restored = true;
            return S_OK;
        }
    }
    return hr;
}

HRESULT CSound::FillBufferWithSound(CSoundBuffer* buffer, bool repeat) {
    if (!buffer) return CO_E_NOTINITIALIZED;
    if (!waveReader_) return CO_E_NOTINITIALIZED;
    HRESULT hr = RestoreBuffer(buffer, nullptr);
    if (Failed(hr)) return TQ_SOUND_TRACE("RestoreBuffer", hr, true);

    void* region = nullptr;
    uint32_t length = 0;
    hr = buffer->Lock(0, bufferBytes_, &region, &length, nullptr, nullptr, 0);
    if (Failed(hr)) return TQ_SOUND_TRACE("Lock", hr, true);
    uint8_t* bytes = static_cast<uint8_t*>(region);
    const uint8_t silence = SilenceByte();

    waveReader_->ResetFile();
    uint32_t filled = 0;
    hr = waveReader_->Read(bytes, length, &filled);
    if (Failed(hr)) {
        // Keep what a truncated file gave; the rest of the buffer stays as it was.
        buffer->Unlock(region, length, nullptr, 0);
        return TQ_SOUND_TRACE("Read", hr, true);
    }
    if (filled == 0) {
        std::memset(bytes, silence, length);
    } else if (filled < length && repeat) {
        const char* failedCall = nullptr;
        hr = ReadRepeating(bytes, length, filled, failedCall);
        if (Failed(hr)) {
            buffer->Unlock(region, length, nullptr, 0);
            return TQ_SOUND_TRACE(failedCall, hr, true);
        }
    } else if (filled < length) {
        std::memset(bytes + filled, silence, length - filled);
    }
    buffer->Unlock(region, length, nullptr, 0);
    return S_OK;
}

HRESULT CSound::ReadRepeating(uint8_t* bytes, uint32_t length, uint32_t& filled,
                              const char*& failedCall) {
    while (filled < length) {
        HRESULT hr = waveReader_->ResetFile();
        if (Failed(hr)) {
            failedCall = "ResetFile";
            return hr;
        }
        uint32_t read = 0;
        hr = waveReader_->Read(bytes + filled, length - filled, &read);
        if (Failed(hr)) {
            failedCall = "Read";
            return hr;
        }
        if (read == 0) {  // the file has no sample data any more
            std::memset(bytes + filled, SilenceByte(), length - filled);
            filled = length;
            break;
        }
        filled += read;
    }
    return S_OK;
}

HRESULT CSound::RestoreAndRefill(CSoundBuffer* buffer) {
    bool restored = false;
    HRESULT hr = RestoreBuffer(buffer, &restored);
    if (Failed(hr)) return TQ_SOUND_TRACE("RestoreBuffer", hr, true);
    if (!restored) return S_FALSE;
    hr = FillBufferWithSound(buffer, false);
    if (Failed(hr)) return TQ_SOUND_TRACE("FillBufferWithSound", hr, true);
    return S_OK;
}

CSoundBuffer* CSound::GetFreeBuffer() {
    if (buffers_.empty()) return nullptr;
    for (auto& buffer : buffers_) {
        uint32_t status = 0;
        if (Failed(buffer->GetStatus(&status)) || !(status & DSBSTATUS_PLAYING)) {
            return buffer.get();
        }
    }
    return buffers_[voiceToSteal_() % buffers_.size()].get();
}

HRESULT CSound::StartSound(uint32_t priority, uint32_t flags) {
    if (buffers_.empty()) return CO_E_NOTINITIALIZED;
    CSoundBuffer* buffer = GetFreeBuffer();
    if (!buffer) return TQ_SOUND_TRACE("GetFreeBuffer", E_FAIL, true);

    HRESULT hr = RestoreAndRefill(buffer);
    if (Failed(hr)) return hr;
    // Every buffer of the sound starts over, including those still playing.
    hr = Reset();
    if (hr != S_OK) {
        platform::DebugOutput("CSound::Reset failed\n");
        return hr;
    }
    hr = buffer->Play(0, priority, flags);
    if (Succeeded(hr)) sound::RecordStartedSound(path_);
    return hr;
}

HRESULT CSound::StopSound() {
    if (buffers_.empty()) return CO_E_NOTINITIALIZED;
    HRESULT result = S_OK;
    for (auto& buffer : buffers_) result |= buffer->Stop();
    return result;
}

HRESULT CSound::Reset() {
    if (buffers_.empty()) return CO_E_NOTINITIALIZED;
    HRESULT result = S_OK;
    for (auto& buffer : buffers_) result |= buffer->SetCurrentPosition(0);
    return result;
}

bool CSound::AnyBufferPlaying() {
    for (auto& buffer : buffers_) {
        uint32_t status = 0;
        if (Succeeded(buffer->GetStatus(&status)) && (status & DSBSTATUS_PLAYING)) return true;
    }
    return false;
}
