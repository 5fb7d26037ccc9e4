#include "app/sound_startup.h"

#include <cstring>

#include "platform/platform.h"

namespace app {

HRESULT StartSoundOutput() {
    bool opened = platform::OpenAudio(
        44100, [](int16_t* out, int frames) { std::memset(out, 0, sizeof(int16_t) * 2 * frames); });
    return opened ? S_OK : E_FAIL;
}

void StopSoundOutput() {
    platform::CloseAudio();
}
void StartMusicWorker() {}
void StopMusicWorker() {}

}  // namespace app
