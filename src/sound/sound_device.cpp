#include "sound/sound_device.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <vector>

#include "diag/trace_error.h"
#include "platform/platform.h"
#include "sound/mixer.h"
#include "sound/music_stream.h"
#include "sound/sound.h"

namespace {

constexpr uint32_t kDefaultOutputRate = 44100;
constexpr uint32_t kBufferDescSize = 36;
constexpr uint32_t kStreamFlags = DSBCAPS_CTRLPOSITIONNOTIFY | DSBCAPS_GETCURRENTPOSITION2;

// {00000001-0000-0010-8000-00AA00389B71}: integer PCM inside a WAVE_FORMAT_EXTENSIBLE record.
constexpr uint8_t kPcmSubFormat[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                       0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

bool IsPcm(const WaveFormat& format) {
    if (format.formatTag == WAVE_FORMAT_PCM) return true;
    if (format.formatTag != WAVE_FORMAT_EXTENSIBLE || format.extra.size() < 22) return false;
    const uint16_t validBits = static_cast<uint16_t>(format.extra[0] | (format.extra[1] << 8));
    return validBits == format.bitsPerSample &&
           std::equal(kPcmSubFormat, kPcmSubFormat + 16, format.extra.begin() + 6);
}

// What the mixer plays: PCM, 8 or 16 bits, mono or stereo, whole frames, a sane rate.
bool MixerPlays(const WaveFormat& format) {
    return IsPcm(format) && (format.channels == 1 || format.channels == 2) &&
           (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
           format.blockAlign == format.channels * format.bitsPerSample / 8 &&
           format.samplesPerSec >= DSBFREQUENCY_MIN && format.samplesPerSec <= DSBFREQUENCY_MAX;
}

}  // namespace

CSoundDevice::~CSoundDevice() {
    Release();
}

void CSoundDevice::Release() {
    if (!mixer_) return;
    platform::CloseAudio();
    mixer_.reset();
}

HRESULT CSoundDevice::OpenDevice(uint32_t coopLevel, uint32_t channels, uint32_t rate,
                                 uint32_t bits) {
    Release();

    const uint32_t outputRate =
        rate >= DSBFREQUENCY_MIN && rate <= DSBFREQUENCY_MAX ? rate : kDefaultOutputRate;
    auto mixer = std::make_shared<Mixer>(outputRate);
    if (!platform::OpenAudio(static_cast<int>(outputRate),
                             [mixer](int16_t* out, int frames) { mixer->Mix(out, frames); })) {
        return TQ_SOUND_TRACE("DirectSoundCreate8", DSERR_NODRIVER, true);
    }
    mixer_ = std::move(mixer);

    if (coopLevel < DSSCL_NORMAL || coopLevel > 4) {
        return TQ_SOUND_TRACE("SetCooperativeLevel", E_INVALIDARG, true);
    }
    SetMixFormat(channels, rate, bits);
    return S_OK;
}

HRESULT CSoundDevice::SetMixFormat(uint32_t channels, uint32_t rate, uint32_t bits) {
    if (!mixer_) return CO_E_NOTINITIALIZED;
    WaveFormat format;
    format.formatTag = WAVE_FORMAT_PCM;
    format.channels = static_cast<uint16_t>(channels);
    format.samplesPerSec = rate;
    format.bitsPerSample = static_cast<uint16_t>(bits);
    format.blockAlign = static_cast<uint16_t>(bits / 8 * channels);
    format.avgBytesPerSec = format.blockAlign * rate;
    if (channels > 2 || !MixerPlays(format)) {
        return TQ_SOUND_TRACE("SetFormat", DSERR_BADFORMAT, true);
    }
    mixFormat_ = format;
    return S_OK;
}

HRESULT CSoundDevice::CreateSoundBuffer(const SoundBufferDesc& desc,
                                        std::unique_ptr<CSoundBuffer>* out) {
    if (!out || desc.size != kBufferDescSize) return E_INVALIDARG;
    if (!mixer_) return DSERR_UNINITIALIZED;
    if (desc.flags & DSBCAPS_PRIMARYBUFFER) return DSERR_INVALIDCALL;  // the mixer is ours
    if (!desc.format) return E_INVALIDARG;
    if (!MixerPlays(*desc.format)) return DSERR_BADFORMAT;
    if (desc.bufferBytes < DSBSIZE_MIN || desc.bufferBytes > DSBSIZE_MAX) return E_INVALIDARG;

    const uint8_t silence = desc.format->bitsPerSample == 8 ? 128 : 0;
    std::shared_ptr<std::vector<uint8_t>> samples;
    try {
        samples = std::make_shared<std::vector<uint8_t>>(desc.bufferBytes, silence);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    out->reset(new CSoundBuffer(mixer_, std::move(samples), *desc.format, desc.flags));
    return S_OK;
}

HRESULT CSoundDevice::DuplicateSoundBuffer(const CSoundBuffer& original,
                                           std::unique_ptr<CSoundBuffer>* out) {
    if (!out) return E_INVALIDARG;
    if (!mixer_) return DSERR_UNINITIALIZED;
    auto duplicate = std::unique_ptr<CSoundBuffer>(
        new CSoundBuffer(original.mixer_, original.samples_, original.format_, original.flags_));
    int32_t volume = 0;
    {
        std::lock_guard lock(original.mixer_->Mutex());
        volume = original.volume_;
    }
    if (volume != 0) duplicate->SetVolume(volume);
    *out = std::move(duplicate);
    return S_OK;
}

HRESULT CSoundDevice::LoadSound(CSound** out, const char* path, uint32_t creationFlags,
                                const Guid& algorithm, uint32_t bufferCount) {
    if (!mixer_) return CO_E_NOTINITIALIZED;
    if (!path || !out || bufferCount == 0) return E_INVALIDARG;

    std::vector<std::unique_ptr<CSoundBuffer>> buffers;
    std::unique_ptr<CWaveReader> reader;
    try {
        buffers.resize(bufferCount);
        reader = std::make_unique<CWaveReader>();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }

    reader->OpenForReading(path);
    if (reader->DataSize() == 0) return E_FAIL;

    SoundBufferDesc desc;
    desc.flags = creationFlags;
    desc.bufferBytes = reader->DataSize();
    desc.format = reader->Format();
    desc.algorithm = algorithm;
    HRESULT hr = CreateSoundBuffer(desc, &buffers[0]);
    if (Failed(hr)) {
        if (hr != DSERR_BUFFERTOOSMALL) TQ_SOUND_TRACE("CreateSoundBuffer", hr, true);
        return hr;
    }
    for (uint32_t i = 1; i < bufferCount; ++i) {
        hr = DuplicateSoundBuffer(*buffers[0], &buffers[i]);
        if (Failed(hr)) return TQ_SOUND_TRACE("DuplicateSoundBuffer", hr, true);
    }

    const uint32_t bytes = reader->DataSize();
    *out = new CSound(std::move(buffers), bytes, std::move(reader));
    return S_OK;
}

HRESULT CSoundDevice::CreateMusicStream(CMusicStream** out, const char* path,
                                        uint32_t creationFlags, const Guid& algorithm,
                                        uint32_t segmentCount, uint32_t segmentBytes,
                                        AutoResetEvent* event) {
    if (!mixer_) return CO_E_NOTINITIALIZED;
    if (!path || !out || !event) return E_INVALIDARG;

    auto reader = std::make_unique<CWaveReader>();
    reader->OpenForReading(path);

    const uint64_t bufferBytes = uint64_t{segmentCount} * segmentBytes;
    SoundBufferDesc desc;
    desc.flags = creationFlags | kStreamFlags;
    desc.bufferBytes = bufferBytes > DSBSIZE_MAX ? 0 : static_cast<uint32_t>(bufferBytes);
    desc.format = reader->Format();
    desc.algorithm = algorithm;
    std::unique_ptr<CSoundBuffer> buffer;
    HRESULT hr = CreateSoundBuffer(desc, &buffer);
    if (Failed(hr)) {
        const bool quiet = hr == DSERR_BADFORMAT || hr == E_INVALIDARG;
        return TQ_SOUND_TRACE("CreateSoundBuffer", hr, !quiet);
    }

    // The last byte of every segment sets the event as it is played.
    std::vector<PositionNotify> positions(segmentCount);
    for (uint32_t i = 0; i < segmentCount; ++i) {
        positions[i].offset = i * segmentBytes + segmentBytes - 1;
        positions[i].event = event;
    }
    hr = buffer->SetNotificationPositions(segmentCount, positions.data());
    if (Failed(hr)) return TQ_SOUND_TRACE("SetNotificationPositions", hr, true);

    *out = new CMusicStream(std::move(buffer), desc.bufferBytes, std::move(reader), segmentBytes);
    return S_OK;
}
