#include "sound/sound_test_support.h"

#include <unistd.h>
#include <atomic>
#include <fstream>
#include <system_error>

namespace soundtest {

void SoundTest::SetUp() {
    sound::ResetSoundSystem();
    platform::SetBackend(&backend);
    ASSERT_TRUE(OpenDevice());
}

void SoundTest::TearDown() {
    for (CSound* sound : loaded) delete sound;
    loaded.clear();
    sound::ResetSoundSystem();
    platform::SetBackend(nullptr);
}

bool SoundTest::OpenDevice() {
    delete sound::SoundDevice;
    sound::SoundDevice = new CSoundDevice;
    return Succeeded(sound::SoundDevice->OpenDevice(DSSCL_PRIORITY, 2, 44100, 16));
}

CSound* SoundTest::Load(const std::string& path, uint32_t flags, uint32_t buffers) {
    CSound* sound = nullptr;
    const HRESULT hr =
        sound::SoundDevice->LoadSound(&sound, path.c_str(), flags, GUID_NULL, buffers);
    EXPECT_EQ(hr, S_OK) << path;
    if (sound) loaded.push_back(sound);
    return sound;
}

}  // namespace soundtest
