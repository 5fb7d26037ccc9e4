// The game's entry to the sound layer: the one device, lazily created effects, one-shot sounds
// and the record of recently started sounds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "diag/result_codes.h"
#include "sound/sound.h"
#include "sound/sound_device.h"

namespace sound {

// The device the game's sounds are created on; null until the app creates it (with new) and
// opens it. Every helper below does nothing while it is null. The device lives until the game
// shuts down, when ResetSoundSystem deletes it.
extern CSoundDevice* SoundDevice;

// How often a failing start is tried in one call before the play is given up.
constexpr int kStartAttempts = 3;
// Voices per one-shot sound, so that overlapping plays of it still sound.
constexpr uint32_t kOneShotVoices = 4;
// How many started sounds RecentlyStartedSounds remembers.
constexpr size_t kRecentSoundsKept = 200;

// Creates the empty `slot` from `path` with `bufferCount` buffers sharing one sample memory.
// Every sound file of the game is loaded through here: a file that fails (missing, unreadable,
// or its load raised an error box) is tried once per run and reported once (file_failures.h).
// True when the slot holds a sound afterwards.
bool LoadSoundOnce(CSound*& slot, const char* path, uint32_t creationFlags = 0,
                   uint32_t bufferCount = 1);
// Starts `sound` (nothing when null) from its beginning, trying again at once a bounded number
// of times if the start reports a failure; never waits.
HRESULT StartWithRetries(CSound* sound, uint32_t flags);

// Creates `slot` from `path` on first use (no creation flags, one buffer) and starts it once.
// Never blocks.
HRESULT PlayLazily(CSound*& slot, const char* path);
// Plays `path` once, independently of earlier plays of it that are still sounding.
HRESULT PlayOneShot(const char* path);

// Reading a sound file and filling its buffer take milliseconds: too long for a frame of play.
// These make the sounds that the two calls above would create on their first play ahead of time,
// at level load; a file that fails here is silent there, as it would have been.
//
// Fills the empty `slot` as PlayLazily(slot, path) would.
void PrepareLazily(CSound*& slot, const char* path);
// Makes the sound of PlayOneShot(path).
void PrepareOneShot(const char* path);

// Notes that the sound of `path` was started.
void RecordStartedSound(const std::string& path);
// The paths of the last kRecentSoundsKept started sounds, oldest first.
std::vector<std::string> RecentlyStartedSounds();

// The sound layer's shutdown, which leaves it as at program start: stops the music thread,
// deletes the music stream, the one-shot and the prepared sounds and the device, forgets failed
// files and started sounds.
void ResetSoundSystem();

}  // namespace sound
