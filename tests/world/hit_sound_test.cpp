// What a hit sounds like, on the real sound pack: each kind its own sound, some only with some
// weapons, a blossom silent, the clock's tick, the weapons' shots and empty clicks.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "sound/sound_system.h"
#include "support/in_directory.h"
#include "world/level_layout.h"
#include "world/shot_fixture.h"

namespace {

using world::Entity;
namespace ix = world::entity_index;
namespace kind = world::kind;

class HitSoundTest : public world_testing::ShotTest {
  protected:
    void SetUp() override {
        ShotTest::SetUp();
        sound::SoundDevice = new CSoundDevice;
        ASSERT_EQ(sound::SoundDevice->OpenDevice(DSSCL_PRIORITY, 2, 44100, 16), S_OK);
    }
    // The sounds started by `action`, in order.
    template <typename Action>
    std::vector<std::string> SoundsOf(Action action) {
        const size_t before = sound::RecentlyStartedSounds().size();
        action();
        std::vector<std::string> all = sound::RecentlyStartedSounds();
        return std::vector<std::string>(all.begin() + static_cast<long>(before), all.end());
    }

    testing_support::InDirectory inside_{TQ_DATA_DIR};
};

using Sounds = std::vector<std::string>;

TEST_F(HitSoundTest, EachKindSoundsAsItsRuleSaysAndTheBlossomIsSilent) {
    Entity& duck = PlaceSolid(100, kind::Duck, 2, 200, 100);
    Select(world::Dynamite);
    EXPECT_EQ(SoundsOf([&] { ShootAt(duck); }), Sounds{}) << "the dynamite's duck is silent";
    Select(world::Shotgun);
    EXPECT_EQ(SoundsOf([&] { ShootAt(duck); }), Sounds{"sounds/tiere/ente02.wav"});

    Entity& cover = PlaceSolid(ix::PowerBoxCover, kind::PowerBoxCover, 2, 300, 250);
    Select(world::Crossbow);
    EXPECT_EQ(SoundsOf([&] { ShootAt(cover); }), Sounds{}) << "a bolt passes the cover";

    Entity& blossom = PlaceSolid(ix::Blossom1, kind::Blossom, 2, 400, 200, 4);
    EXPECT_EQ(SoundsOf([&] { ShootAt(blossom); }), Sounds{});
    EXPECT_EQ(blossom.firstFrame, 1);

    Entity& bell = PlaceSolid(ix::Bell1, kind::Bell1, 3, 500, 100);
    EXPECT_EQ(SoundsOf([&] { ShootAt(bell); }), Sounds{"sounds/effekte/ag.wav"});
}

TEST_F(HitSoundTest, TheClockTicksInTheLastTenSecondsAndTicksOtherwiseOnceShot) {
    gamestate::Round.RoundEnd = gamestate::Round.RoundClock + 20000;
    Entity& clock = PlaceSolid(ix::Clock, kind::Clock, 1, 100, -100);
    EXPECT_EQ(SoundsOf([&] { Step(clock, 1100); }), Sounds{}) << "twenty seconds left";
    gamestate::Round.RoundEnd = gamestate::Round.RoundClock + 9000;
    EXPECT_EQ(SoundsOf([&] { Step(clock, 16); }), Sounds{"sounds/effekte/uhr01a.wav"});
    clock.x = 300;
    Draw(clock);
    EXPECT_EQ(SoundsOf([&] { ShootAt(clock); }), Sounds{"sounds/effekte/ac.wav"});
    EXPECT_EQ(SoundsOf([&] { Step(clock, 1100); }), Sounds{}) << "nineteen seconds left now";
    gamestate::Round.RoundClock += 9500;
    EXPECT_EQ(SoundsOf([&] { Step(clock, 16); }), Sounds{"sounds/effekte/uhr02a.wav"});
}

TEST_F(HitSoundTest, EmptyWeaponsClickAndReloadsSoundByWeapon) {
    backend_.SetCursor(400, 300);
    Weapon().roundsLeft = 0;
    gamestate::Round.RoundClock += 1000;
    backend_.SetKey(platform::vk::LButton, true);
    EXPECT_EQ(SoundsOf([] { flow::RunControls(); }), Sounds{"sounds/waffen/gewehr_leer01.wav"});
    backend_.SetKey(platform::vk::LButton, false);
    backend_.SetKey(platform::vk::RButton, true);
    EXPECT_EQ(SoundsOf([] { flow::RunControls(); }), Sounds{"sounds/waffen/gewehr_laden02.wav"});
    backend_.SetKey(platform::vk::RButton, false);
    Weapon().crossbowAvailable = world::Unlocked;
    backend_.SetKey('2', true);
    EXPECT_EQ(SoundsOf([] { flow::RunControls(); }), Sounds{"sounds/waffen/armbrust_laden01.wav"});
    Weapon().roundsLeft = 0;
    gamestate::Round.RoundClock += 1000;
    backend_.SetKey(platform::vk::LButton, true);
    EXPECT_EQ(SoundsOf([] { flow::RunControls(); }), Sounds{"sounds/waffen/armbrust_leer01.wav"});
}

}  // namespace
