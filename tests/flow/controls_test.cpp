// The controls step: weapon keys, the press edges of the buttons, the machine gun's rapid fire
// and kick, the empty clicks; the layer test of the background tiles; the unlock fanfares.
#include "flow/controls.h"

#include <gtest/gtest.h>

#include "gamestate/game_state.h"
#include "gamestate/round_state.h"
#include "world/layer_hit.h"
#include "world/shot_fixture.h"

namespace {

using platform::vk::LButton;
using platform::vk::RButton;

class ControlsTest : public world_testing::ShotTest {
  protected:
    void SetUp() override {
        ShotTest::SetUp();
        gamestate::Round.RoundClock += 1000;  // the weapon is ready
    }
    // One controls step `ms` later, with the left button held or not.
    void Frame(bool left, uint32_t ms = 16) {
        gamestate::Round.RoundClock += ms;
        backend_.SetKey(LButton, left);
        flow::RunControls();
    }
    bool Fired() const { return gamestate::Game.ClickPoint.x != -1; }
};

TEST_F(ControlsTest, HoldingTheButtonFiresTheShotgunOnceAndTheMachineGunUntilItIsEmpty) {
    backend_.SetCursor(400, 300);
    Frame(true);
    EXPECT_TRUE(Fired());
    EXPECT_EQ(gamestate::Game.ClickPoint.x, 400);
    for (int i = 0; i < 5; ++i) {
        Frame(true);
        EXPECT_FALSE(Fired());
    }
    EXPECT_EQ(Weapon().roundsLeft, 4);

    Weapon().machineGunAvailable = world::Unlocked;
    backend_.SetKey('4', true);
    Frame(false);
    backend_.SetKey('4', false);
    EXPECT_EQ(Weapon().selected, world::MachineGun);
    EXPECT_EQ(Weapon().roundsLeft, 20);
    Frame(false, 500);
    int shots = 0;
    for (int i = 0; i < 100; ++i) {
        Frame(true, 25);
        shots += Fired();
    }
    EXPECT_EQ(shots, 20) << "every other 25 ms frame, until the magazine is empty";
    EXPECT_EQ(Weapon().roundsLeft, 0);
    Frame(false);
    Frame(true);
    EXPECT_FALSE(Fired()) << "an empty click";
}

TEST_F(ControlsTest, TheMachineGunKicksTheCursorButTheShotStrikesWhereItWasAimed) {
    Weapon().machineGunAvailable = world::Unlocked;
    Select(world::MachineGun);
    gamestate::Round.RoundClock += 1000;
    backend_.SetCursor(400, 300);
    int moved = 0;
    for (int i = 0; i < 10; ++i) {
        backend_.SetCursor(400, 300);
        Frame(true, 60);
        ASSERT_TRUE(Fired());
        EXPECT_EQ(gamestate::Game.ClickPoint.x, 400);
        EXPECT_EQ(gamestate::Game.ClickPoint.y, 300);
        const platform::Point kicked = backend_.CursorPos();
        EXPECT_LE(std::abs(kicked.x - 400), 25);
        EXPECT_LE(std::abs(kicked.y - 300), 25);
        moved += kicked.x != 400 || kicked.y != 300;
    }
    EXPECT_GT(moved, 5);
}

TEST_F(ControlsTest, WeaponKeysActOnlyOnAvailableWeaponsThatAreNotSelected) {
    backend_.SetKey('1', true);
    Weapon().roundsLeft = 2;
    Frame(false);
    EXPECT_EQ(Weapon().roundsLeft, 2) << "the shotgun is selected already: no reload";
    backend_.SetKey('1', false);
    backend_.SetKey('2', true);
    Frame(false);
    EXPECT_EQ(Weapon().selected, world::Shotgun) << "the crossbow is locked";
    Weapon().crossbowAvailable = world::Unlocked;
    const uint32_t now = gamestate::Round.RoundClock + 16;
    Frame(false);
    EXPECT_EQ(Weapon().selected, world::Crossbow);
    EXPECT_EQ(Weapon().roundsLeft, 4);
    EXPECT_EQ(Weapon().readyAtMs, now + 500);
    backend_.SetKey('3', true);
    Frame(false);
    EXPECT_EQ(Weapon().selected, world::Crossbow) << "no dynamite yet";
    Weapon().dynamiteAvailable = world::JustUnlocked;
    Frame(false);
    EXPECT_EQ(Weapon().selected, world::Dynamite);
}

TEST_F(ControlsTest, TheRightButtonReloadsOnItsPressAndAPressTooSoonIsLost) {
    backend_.SetCursor(400, 300);
    Frame(true);
    Frame(false);
    EXPECT_EQ(Weapon().roundsLeft, 4);
    backend_.SetKey(RButton, true);
    Frame(false);
    EXPECT_EQ(Weapon().roundsLeft, 5);
    Weapon().roundsLeft = 3;
    Frame(false);
    EXPECT_EQ(Weapon().roundsLeft, 3) << "held: one reload per press";
    backend_.SetKey(RButton, false);
    Frame(true, 100);
    EXPECT_FALSE(Fired()) << "500 ms after the reload";
    Frame(false, 500);
    Frame(true);
    EXPECT_TRUE(Fired());
}

TEST_F(ControlsTest, TheClockIsPutIntoPlayOnEveryFrame) {
    world::EntityTable[44].active = 0;
    Frame(false);
    EXPECT_EQ(world::EntityTable[44].active, 1);
}

class LayerHitTest : public world_testing::ShotTest {
  protected:
    // A tile whose left half (x < split) is opaque and right half magenta.
    CBitmapSurface* Tile(int width, int split) {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < width; ++x) pixels.push_back(x < split ? 0x00204020 : 0x00FF00FF);
        }
        const std::string path = dir_ / ("tile" + std::to_string(made_++) + ".bmp");
        world_testing::WriteBmp(path, width, 4, pixels);
        CBitmapSurface* surface = nullptr;
        display_.LoadBitmapSurface(&surface, path.c_str(), 0, 0);
        surface->SetKeyColour(PanelKeyColour);
        owned_.emplace_back(surface);
        return surface;
    }
    int32_t Test(int layer, CBitmapSurface* tile, int x, int clippedLeft, int clickX) {
        gamestate::Game.LayerHit = gamestate::NoLayerHit;
        gamestate::Game.ClickPoint = gamestate::ScreenPoint{clickX, 2};
        world::TestLayerHit(layer, tile, x, clippedLeft);
        return gamestate::Game.LayerHit;
    }
};

TEST_F(LayerHitTest, TheOpaquePixelUnderTheClickStopsTheShot) {
    CBitmapSurface* mid = Tile(760, 100);
    EXPECT_EQ(Test(2, mid, 0, 0, 50), gamestate::MidLayerHit);
    EXPECT_EQ(Test(2, mid, 0, 0, 150), gamestate::NoLayerHit) << "magenta";
    EXPECT_EQ(Test(2, mid, 0, 700, 50), gamestate::NoLayerHit) << "cut by 700: column 750";
    EXPECT_EQ(Test(2, mid, 0, 700, 70), gamestate::NoLayerHit) << "past the tile's end";
    EXPECT_EQ(Test(2, mid, 300, 0, 350), gamestate::MidLayerHit);
    EXPECT_EQ(Test(2, mid, 300, 0, 299), gamestate::NoLayerHit) << "left of the tile";
    EXPECT_EQ(Test(2, mid, 300, 0, 300), gamestate::MidLayerHit) << "its first column shows";
    CBitmapSurface* nearTile = Tile(800, 800);
    EXPECT_EQ(Test(3, nearTile, 0, 0, 10), gamestate::NearLayerHit);

    gamestate::Game.ClickPoint = gamestate::ScreenPoint{};
    gamestate::Game.LayerHit = gamestate::NoLayerHit;
    world::TestLayerHit(2, mid, 0, 0);
    EXPECT_EQ(gamestate::Game.LayerHit, gamestate::NoLayerHit) << "no click, no test";
}

TEST_F(LayerHitTest, AClickBeyondATileDrawnAtTheLeftIsNotReadOutsideIt) {
    // With the middle layer at scroll 1520, tile 2 covers 0..759 and tile 3 starts at 760.
    CBitmapSurface* opaque = Tile(760, 760);
    CBitmapSurface* clear = Tile(760, 0);
    gamestate::Game.LayerHit = gamestate::NoLayerHit;
    gamestate::Game.ClickPoint = gamestate::ScreenPoint{760, 2};
    world::TestLayerHit(2, opaque, 0, 0);
    world::TestLayerHit(2, clear, 760, 0);
    EXPECT_EQ(gamestate::Game.LayerHit, gamestate::NoLayerHit);
}

TEST_F(ControlsTest, TwoWeaponsUnlockedTogetherGetTheirFanfaresOnConsecutiveFrames) {
    Weapon().crossbowAvailable = world::JustUnlocked;
    Weapon().machineGunAvailable = world::JustUnlocked;
    flow::PlayUnlockFanfare();
    EXPECT_EQ(Weapon().crossbowAvailable, world::Unlocked);
    EXPECT_EQ(Weapon().machineGunAvailable, world::JustUnlocked);
    flow::PlayUnlockFanfare();
    EXPECT_EQ(Weapon().machineGunAvailable, world::Unlocked);
}

}  // namespace
