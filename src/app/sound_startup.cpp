#include "app/sound_startup.h"

#include "presentation/menu_link.h"
#include "sound/music_stream.h"
#include "sound/sound_system.h"

namespace app {

HRESULT StartSoundOutput() {
    delete sound::SoundDevice;
    sound::SoundDevice = new CSoundDevice();
    HRESULT hr = sound::SoundDevice->OpenDevice(DSSCL_PRIORITY, 2, 44100, 16);
    if (Failed(hr)) {
        delete sound::SoundDevice;
        sound::SoundDevice = nullptr;
    }
    return hr;
}

void StopSoundOutput() {
    // Everything made on the device goes with it: the music, the cached effects, the device.
    sound::ResetSoundSystem();
}

namespace {

bool MusicEnabled() {
    return presentation::CurrentMusicOptions().MusicOn == 0;
}

}  // namespace

#if TQ_MUSIC_FROM_FRAME_LOOP
// A build without threads: the frame loop refills the music (RefillMusicBetweenFrames).
void StartMusicWorker() {}
void StopMusicWorker() {}
void RefillMusicBetweenFrames() {
    sound::RefillMusicWithoutThread(MusicEnabled);
}
#else
void StartMusicWorker() {
    sound::StartMusicThread(MusicEnabled);
}
void StopMusicWorker() {
    sound::StopMusicThread();
}
void RefillMusicBetweenFrames() {}
#endif

}  // namespace app
