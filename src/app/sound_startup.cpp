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

void StartMusicWorker() {
    sound::StartMusicThread([] { return presentation::CurrentMusicOptions().MusicOn == 0; });
}

void StopMusicWorker() {
    sound::StopMusicThread();
}

}  // namespace app
