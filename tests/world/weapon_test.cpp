// The weapon record: magazines and the time between shots, selection by reloading, and where
// the weapon's picture stands below the crosshair.
#include "world/weapon.h"

#include <gtest/gtest.h>

#include "gamestate/round_state.h"
#include "world/world_fixture.h"

namespace {

class WeaponTest : public world_testing::WorldTest {
  protected:
    world::Weapon weapon;
};

TEST_F(WeaponTest, ResetLeavesOnlyTheLoadedShotgun) {
    gamestate::Round.RoundClock = 7000;
    weapon.crossbowAvailable = world::Unlocked;
    weapon.selected = world::MachineGun;
    weapon.unlockBannerUntil[world::Crossbow] = 1234;
    weapon.reset();
    EXPECT_EQ(weapon.shotgunAvailable, 1);
    EXPECT_EQ(weapon.crossbowAvailable, world::Locked);
    EXPECT_EQ(weapon.selected, world::Shotgun);
    EXPECT_EQ(weapon.roundsLeft, 5);
    EXPECT_EQ(weapon.readyAtMs, 7500u);
    for (int32_t until : weapon.unlockBannerUntil) EXPECT_EQ(until, -1);
}

TEST_F(WeaponTest, EachWeaponHasItsMagazineAndTheCrossbowWaitsHalfASecondAfterSelection) {
    gamestate::Round.RoundClock = 10000;
    const int32_t magazines[5] = {0, 5, 4, 1, 20};
    for (int32_t w = world::Shotgun; w <= world::MachineGun; ++w) {
        weapon.selected = w;
        weapon.reload();
        EXPECT_EQ(weapon.roundsLeft, magazines[w]);
    }
    weapon.selected = world::Crossbow;
    weapon.reload();
    EXPECT_FALSE(weapon.canFire(10499, true));
    EXPECT_TRUE(weapon.canFire(10500, true));
    weapon.selected = 7;
    weapon.roundsLeft = 2;
    weapon.reload();
    EXPECT_EQ(weapon.roundsLeft, 2) << "no such weapon: nothing changes";
}

TEST_F(WeaponTest, TheMachineGunFiresEveryFiftyMillisecondsAndAnEmptyMagazineStaysEmpty) {
    gamestate::Round.RoundClock = 10000;
    weapon.selected = world::MachineGun;
    weapon.reload();
    gamestate::Round.RoundClock = 10500;
    ASSERT_TRUE(weapon.canFire(10500, true));
    weapon.fire();
    EXPECT_EQ(weapon.roundsLeft, 19);
    EXPECT_FALSE(weapon.canFire(10549, true));
    EXPECT_TRUE(weapon.canFire(10550, true));
    weapon.roundsLeft = 0;
    EXPECT_FALSE(weapon.hasRounds());
    weapon.fire();
    EXPECT_EQ(weapon.roundsLeft, 0);

    weapon.selected = world::Shotgun;
    weapon.reload();
    gamestate::Round.RoundClock = 11000;
    weapon.fire();
    EXPECT_TRUE(weapon.canFire(11000, false)) << "the shotgun fires as fast as it is pressed";
}

TEST_F(WeaponTest, ThePictureFollowsTheCrosshairAndStaysOnTheScreen) {
    const std::string path = dir_ / "grafik/waffen/schrotflinte.bmp";
    world_testing::WriteSolidBmp(path, 300, 150, 0x00406080);
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir_.Path());
    weapon.create(&display_);
    std::filesystem::current_path(previous);
    ASSERT_NE(weapon.shotgunBitmap, nullptr);
    EXPECT_EQ(weapon.crossbowBitmap, nullptr) << "a missing picture leaves its slot empty";
    const uint16_t drawn = ColourRefToRgb565(0x00406080);

    display_.ClearBackBuffer(0);
    weapon.drawWeapon(&display_, 0 - 21, 300 - 21);
    // Screen y = 350 + 150 + 27 = 527: the top 73 rows show.
    EXPECT_EQ(PixelAt(0, 527), drawn);
    EXPECT_EQ(PixelAt(0, 526), 0);
    EXPECT_EQ(PixelAt(299, 599), drawn);
    EXPECT_EQ(PixelAt(300, 599), 0);

    display_.ClearBackBuffer(0);
    weapon.drawWeapon(&display_, 799 - 21, 0 - 21);
    EXPECT_EQ(PixelAt(799, 599), drawn) << "the right edge touches the screen's";
    EXPECT_EQ(PixelAt(499, 599), 0);
    EXPECT_EQ(PixelAt(500, 599), drawn);

    weapon.selected = world::Crossbow;
    display_.ClearBackBuffer(0);
    weapon.drawWeapon(&display_, 400, 300);
    EXPECT_EQ(PixelAt(400, 599), 0) << "no picture, nothing drawn";
}

}  // namespace
