// The round's music with the loudest effects on top, played through the game's own mixer, which
// adds the voices up and clips what passes full scale: the music at a random point, one of the
// loudest effects started at a random moment over it (the machine gun a whole magazine, round
// after round). No overlay may clip.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "gamestate/sound_files.h"
#include "platform/headless/headless_backend.h"
#include "sound/sound.h"
#include "sound/sound_buffer.h"
#include "sound/sound_device.h"
#include "sound/sound_system.h"
#include "world/weapon.h"

namespace {

namespace file = gamestate::sound_file;

// The sound device open on the headless backend, with sounds of the generated pack.
class PackMixer {
  public:
    PackMixer() {
        sound::ResetSoundSystem();
        platform::SetBackend(&backend_);
        sound::SoundDevice = new CSoundDevice;
        open_ = Succeeded(sound::SoundDevice->OpenDevice(DSSCL_PRIORITY, 2, 44100, 16));
    }
    ~PackMixer() {
        sounds_.clear();
        sound::ResetSoundSystem();
        platform::SetBackend(nullptr);
    }
    PackMixer(const PackMixer&) = delete;
    PackMixer& operator=(const PackMixer&) = delete;

    bool IsOpen() const { return open_; }

    // One buffer, as the game's effect slots have: a new start restarts the sound.
    CSound* Load(const char* relative) {
        const std::string path = std::string(TQ_DATA_DIR) + "/" + relative;
        CSound* sound = nullptr;
        EXPECT_EQ(sound::SoundDevice->LoadSound(&sound, path.c_str(), 0, GUID_NULL, 1), S_OK)
            << relative;
        sounds_.emplace_back(sound);
        return sound;
    }

    // The next `frames` frames of the mix; counts the samples at full scale.
    void Render(int frames) {
        for (int16_t sample : backend_.RenderAudio(frames)) {
            if (sample == INT16_MAX || sample == INT16_MIN) ++clipped_;
        }
    }
    int Clipped() const { return clipped_; }

  private:
    platform::HeadlessBackend backend_;
    bool open_ = false;
    std::vector<std::unique_ptr<CSound>> sounds_;
    int clipped_ = 0;
};

TEST(SoundPack, TheRoundsMusicWithItsLoudestEffectsNeverClipsInTheMixer) {
    PackMixer mixer;
    ASSERT_TRUE(mixer.IsOpen());
    CSound* music = mixer.Load(file::GameTune);
    ASSERT_NE(music, nullptr);
    std::vector<CSound*> effects;
    for (const char* effect :
         {file::ShotgunShot, file::DynamiteBlast, file::DeerHit, file::DuckHit, file::BoarHit,
          file::BearHit, file::RavenHit, file::SiloLaunch, file::StageFanfare}) {
        effects.push_back(mixer.Load(effect));
    }
    CSound* machineGun = mixer.Load(file::MachineGunShot);
    effects.push_back(machineGun);

    const world::WeaponTraits& gun = world::WeaponTable[world::MachineGun];
    const int roundFrames = static_cast<int>(44100 * gun.readyAfterShotMs / 1000);
    const uint32_t musicFrames = music->BufferBytes() / 4;
    std::mt19937 random(25);
    for (int overlay = 0; overlay < 200; ++overlay) {
        ASSERT_EQ(music->StartSound(0, DSBPLAY_LOOPING), S_OK);
        const uint32_t at = std::uniform_int_distribution<uint32_t>(0, musicFrames - 1)(random);
        ASSERT_EQ(music->BufferAt(0)->SetCurrentPosition(at * 4), S_OK);
        mixer.Render(std::uniform_int_distribution<int>(1, 44100)(random));
        CSound* effect = effects[static_cast<size_t>(overlay) % effects.size()];
        if (effect == machineGun) {
            for (int32_t round = 0; round < gun.magazine; ++round) {
                machineGun->StartSound(0, 0);
                mixer.Render(roundFrames);
            }
        } else {
            effect->StartSound(0, 0);
        }
        mixer.Render(4 * 44100);
        music->StopSound();
    }
    EXPECT_EQ(mixer.Clipped(), 0);
}

}  // namespace
