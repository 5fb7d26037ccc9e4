// The hint melody of the bell puzzle on the real sound pack: when its notes sound, and what a
// solved melody unlocks, whatever the round has brought before.
#include "flow/bell_hints.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "flow/controls.h"
#include "sound/sound_system.h"
#include "support/in_directory.h"
#include "world/shot_fixture.h"

namespace {

using gamestate::NotScheduled;
const std::string Note[4] = {"", "sounds/effekte/ae.wav", "sounds/effekte/af.wav",
                             "sounds/effekte/ag.wav"};

class BellHintsTest : public world_testing::ShotTest {
  protected:
    void SetUp() override {
        ShotTest::SetUp();
        sound::SoundDevice = new CSoundDevice;
        ASSERT_EQ(sound::SoundDevice->OpenDevice(DSSCL_PRIORITY, 2, 44100, 16), S_OK);
        ASSERT_EQ(sound::SoundDevice->LoadSound(
                      &gamestate::EffectSounds[gamestate::WeaponUnlockSound],
                      gamestate::EffectSoundFiles[gamestate::WeaponUnlockSound], 0, GUID_NULL, 1),
                  S_OK);
        const int32_t melody[4] = {2, 3, 1, 2};
        for (int i = 0; i < 4; ++i) Bells().notes[i] = melody[i];
    }

    static gamestate::BellSequence& Bells() { return gamestate::Round.bellSequence; }

    // Runs the hint step every millisecond from `from` for `spanMs`; the notes that sounded, each
    // with its time after `from`.
    std::vector<std::pair<uint32_t, std::string>> Listen(uint32_t from, uint32_t spanMs) {
        std::vector<std::pair<uint32_t, std::string>> heard;
        for (uint32_t t = from; t <= from + spanMs; ++t) {
            const size_t before = sound::RecentlyStartedSounds().size();
            flow::PlayBellHints(t);
            const std::vector<std::string> all = sound::RecentlyStartedSounds();
            for (size_t i = before; i < all.size(); ++i) heard.emplace_back(t - from, all[i]);
        }
        return heard;
    }
    // Sounds started by one hint step at the wall-clock time of the backend.
    std::vector<std::string> SoundsOfOneStep() {
        const size_t before = sound::RecentlyStartedSounds().size();
        flow::PlayBellHints(backend_.Ticks());
        flow::PlayUnlockFanfare();
        const std::vector<std::string> all = sound::RecentlyStartedSounds();
        return std::vector<std::string>(all.begin() + static_cast<long>(before), all.end());
    }

    testing_support::InDirectory inside_{TQ_DATA_DIR};
};

using Heard = std::vector<std::pair<uint32_t, std::string>>;

TEST_F(BellHintsTest, TheReproducedNotesAndTheNextOneSoundEveryTenSeconds) {
    // Before any bell was struck nothing sounds.
    EXPECT_EQ(Listen(100000, 30000), Heard{});

    // Progress 2, the first bell struck at 100000: the first hint falls due ten seconds later,
    // then notes 1..3 sound 750 ms apart every ten seconds, and note 4 never. (A note sounds on
    // the first step past its time, so each period starts a millisecond later than the last.)
    Bells().progress = 2;
    Bells().times[0] = 110000;
    EXPECT_EQ(Listen(110000, 21000), (Heard{{1, Note[2]},
                                            {752, Note[3]},
                                            {1502, Note[1]},
                                            {10002, Note[2]},
                                            {10753, Note[3]},
                                            {11503, Note[1]},
                                            {20003, Note[2]},
                                            {20754, Note[3]}}));

    // With one note more reproduced, the fourth follows the third.
    Bells().progress = 3;
    for (uint32_t& time : Bells().times) time = NotScheduled;
    Bells().times[0] = 200000;
    EXPECT_EQ(Listen(200000, 3000),
              (Heard{{1, Note[2]}, {752, Note[3]}, {1502, Note[1]}, {2252, Note[2]}}));

    // Nothing reproduced yet: the first note alone.
    Bells().progress = 0;
    for (uint32_t& time : Bells().times) time = NotScheduled;
    Bells().times[0] = 300000;
    EXPECT_EQ(Listen(300000, 12000), (Heard{{1, Note[2]}, {10002, Note[2]}}));
}

TEST_F(BellHintsTest, ASolvedMelodyUnlocksTheCrossbowOnceWithItsFanfare) {
    Bells().progress = 4;
    EXPECT_EQ(SoundsOfOneStep(), std::vector<std::string>{"sounds/effekte/wafe1.wav"})
        << "no hint any more, only the fanfare";
    EXPECT_EQ(Weapon().crossbowAvailable, world::Unlocked);
    EXPECT_EQ(Weapon().unlockBannerUntil[world::Crossbow],
              static_cast<int32_t>(backend_.Ticks() + 1500));
    EXPECT_EQ(Bells().progress, 5);
    // The hints have ended for good.
    EXPECT_EQ(Listen(backend_.Ticks(), 30000), Heard{});
}

TEST_F(BellHintsTest, TheMelodyStillUnlocksTheCrossbowAfterTheDynamiteHasCome) {
    // The third stage brought the dynamite; the bells are the crossbow's only way left.
    Weapon().dynamiteAvailable = world::Unlocked;
    Bells().progress = 4;
    EXPECT_EQ(SoundsOfOneStep(), std::vector<std::string>{"sounds/effekte/wafe1.wav"});
    EXPECT_EQ(Weapon().crossbowAvailable, world::Unlocked);
    EXPECT_NE(Weapon().unlockBannerUntil[world::Crossbow], -1);
    EXPECT_EQ(Bells().progress, 5);
}

TEST_F(BellHintsTest, ACrossbowTheBlossomsBroughtIsAnnouncedAgain) {
    // The blossoms unlocked it earlier in the round; the fanfare and the banner are the player's
    // only sign that the melody was solved too.
    Weapon().crossbowAvailable = world::Unlocked;
    Bells().progress = 4;
    EXPECT_EQ(SoundsOfOneStep(), std::vector<std::string>{"sounds/effekte/wafe1.wav"});
    EXPECT_EQ(Weapon().crossbowAvailable, world::Unlocked);
    EXPECT_EQ(Weapon().unlockBannerUntil[world::Crossbow],
              static_cast<int32_t>(backend_.Ticks() + 1500));
    EXPECT_EQ(Bells().progress, 5);
    EXPECT_EQ(SoundsOfOneStep(), std::vector<std::string>{}) << "once";
}

}  // namespace
