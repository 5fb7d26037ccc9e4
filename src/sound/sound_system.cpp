#include "sound/sound_system.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

#include "sound/file_failures.h"
#include "sound/music_stream.h"

namespace sound {

CSoundDevice* SoundDevice = nullptr;

namespace {

// One sound per one-shot file, with a few voices, kept for the run.
std::map<std::string, std::unique_ptr<CSound>, std::less<>> OneShotSounds;

std::mutex RecentMutex;
std::deque<std::string> RecentSounds;

// The one-shot sound of `path`, made on first use; null when it cannot be made.
CSound* OneShotSound(const char* path) {
    auto found = OneShotSounds.find(path);
    if (found != OneShotSounds.end()) return found->second.get();
    CSound* sound = nullptr;
    if (!LoadSoundOnce(sound, path, 0, kOneShotVoices)) return nullptr;
    OneShotSounds.emplace(path, sound);
    return sound;
}

}  // namespace

bool LoadSoundOnce(CSound*& slot, const char* path, uint32_t creationFlags, uint32_t bufferCount) {
    if (slot) return true;
    if (!SoundDevice || !path || FileFailed(path)) return false;
    // The boxes wait for the report: one, between frames, naming the file.
    diag::HeldTraceBoxes held;
    const HRESULT hr = SoundDevice->LoadSound(&slot, path, creationFlags, GUID_NULL, bufferCount);
    if (Succeeded(hr) && slot && held.Empty()) return true;
    // A sound whose load raised a box (its fill failed) is not played either.
    delete slot;
    slot = nullptr;
    RecordFileFailure(path, held);
    return false;
}

HRESULT StartWithRetries(CSound* sound, uint32_t flags) {
    if (!sound) return CO_E_NOTINITIALIZED;
    HRESULT hr = E_FAIL;
    for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
        hr = sound->StartSound(0, flags);
        if (Succeeded(hr)) break;
    }
    return hr;
}

HRESULT PlayLazily(CSound*& slot, const char* path) {
    if (!slot && (!SoundDevice || !path)) return CO_E_NOTINITIALIZED;
    if (!LoadSoundOnce(slot, path)) return E_FAIL;
    return StartWithRetries(slot, 0);
}

void PrepareLazily(CSound*& slot, const char* path) {
    LoadSoundOnce(slot, path);
}

void PrepareOneShot(const char* path) {
    if (SoundDevice && path) OneShotSound(path);
}

HRESULT PlayOneShot(const char* path) {
    if (!SoundDevice || !path) return CO_E_NOTINITIALIZED;
    CSound* found = OneShotSound(path);
    if (!found) return E_FAIL;
    // Each play takes a voice of its own and leaves earlier plays sounding, as a sound created
    // afresh for every play would.
    CSound& sound = *found;
    HRESULT hr = E_FAIL;
    for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
        CSoundBuffer* voice = sound.GetFreeBuffer();
        if (!voice) return E_FAIL;
        hr = voice->SetCurrentPosition(0);
        if (Succeeded(hr)) hr = voice->Play(0, 0, 0);
        if (Succeeded(hr)) {
            RecordStartedSound(sound.Path());
            break;
        }
    }
    return hr;
}

void RecordStartedSound(const std::string& path) {
    std::lock_guard lock(RecentMutex);
    RecentSounds.push_back(path);
    while (RecentSounds.size() > kRecentSoundsKept) RecentSounds.pop_front();
}

std::vector<std::string> RecentlyStartedSounds() {
    std::lock_guard lock(RecentMutex);
    return {RecentSounds.begin(), RecentSounds.end()};
}

void ResetSoundSystem() {
    StopMusicThread();
    DiscardPreparedMusic();
    {
        std::lock_guard lock(MusicLock());
        delete MusicStream;
        MusicStream = nullptr;
    }
    MusicEvent.Reset();
    ResetFileFailures();
    OneShotSounds.clear();
    delete SoundDevice;
    SoundDevice = nullptr;
    std::lock_guard lock(RecentMutex);
    RecentSounds.clear();
}

}  // namespace sound
