#include "sound/sound_test_support.h"

#include <unistd.h>
#include <atomic>
#include <fstream>
#include <system_error>

namespace soundtest {

ScratchDir::ScratchDir() {
    static std::atomic<int> counter{0};
    root_ = std::filesystem::temp_directory_path() /
            ("tq_sound_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(root_);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string ScratchDir::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    const std::filesystem::path path = root_ / name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

void SoundTest::SetUp() {
    sound::ResetForTests();
    platform::SetBackend(&backend);
    ASSERT_TRUE(OpenDevice());
}

void SoundTest::TearDown() {
    for (CSound* sound : loaded) delete sound;
    loaded.clear();
    sound::ResetForTests();
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
