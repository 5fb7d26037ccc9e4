#include "sound/sound_system.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>

#include "sound/music_failures.h"
#include "sound/music_stream.h"

namespace sound {

CSoundDevice* SoundDevice = nullptr;

namespace {

// Files that could not be loaded: not read again on every play.
std::set<std::string> FailedFiles;
// One sound per one-shot file, with a few voices, kept for the run.
std::map<std::string, std::unique_ptr<CSound>, std::less<>> OneShotSounds;

std::mutex RecentMutex;
std::deque<std::string> RecentSounds;

// A start can fail; it is tried again at once a bounded number of times, never waited for.
HRESULT StartWithRetries(CSound& sound) {
    HRESULT hr = E_FAIL;
    for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
        hr = sound.StartSound(0, 0);
        if (Succeeded(hr)) break;
    }
    return hr;
}

CSound* LoadOnce(const char* path, uint32_t bufferCount) {
    if (FailedFiles.count(path)) return nullptr;
    CSound* sound = nullptr;
    if (Failed(SoundDevice->LoadSound(&sound, path, 0, GUID_NULL, bufferCount)) || !sound) {
        FailedFiles.insert(path);
        return nullptr;
    }
    return sound;
}

}  // namespace

HRESULT PlayLazily(CSound*& slot, const char* path) {
    if (!slot) {
        if (!SoundDevice || !path) return CO_E_NOTINITIALIZED;
        slot = LoadOnce(path, 1);
        if (!slot) return E_FAIL;
    }
    return StartWithRetries(*slot);
}

void PrepareLazily(CSound*& slot, const char* path) {
    if (!slot && SoundDevice && path) slot = LoadOnce(path, 1);
}

void PrepareOneShot(const char* path) {
    if (!SoundDevice || !path || OneShotSounds.count(path)) return;
    if (CSound* sound = LoadOnce(path, kOneShotVoices)) OneShotSounds.emplace(path, sound);
}

HRESULT PlayOneShot(const char* path) {
    if (!SoundDevice || !path) return CO_E_NOTINITIALIZED;
    auto found = OneShotSounds.find(path);
    if (found == OneShotSounds.end()) {
        CSound* sound = LoadOnce(path, kOneShotVoices);
        if (!sound) return E_FAIL;
        found = OneShotSounds.emplace(path, std::unique_ptr<CSound>(sound)).first;
    }
    // Each play takes a voice of its own and leaves earlier plays sounding, as a sound created
    // afresh for every play would.
    CSound& sound = *found->second;
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

void ResetForTests() {
    StopMusicThread();
    DiscardPreparedMusic();
    {
        std::lock_guard lock(MusicLock());
        delete MusicStream;
        MusicStream = nullptr;
    }
    MusicEvent.Reset();
    ResetMusicFailuresForTests();
    OneShotSounds.clear();
    FailedFiles.clear();
    delete SoundDevice;
    SoundDevice = nullptr;
    std::lock_guard lock(RecentMutex);
    RecentSounds.clear();
}

}  // namespace sound
