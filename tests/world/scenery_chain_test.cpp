// The scenery targets and their chains: the blossom puzzle, the second flower's petals, the
// jumping boulder, the bear target, the apple tree, the bonus clock, the bells and the power
// line.
#include <gtest/gtest.h>

#include "gamestate/round_state.h"
#include "world/level_layout.h"
#include "world/scenery.h"
#include "world/shot_fixture.h"

namespace {

using world::Entity;
using world::EntityTable;
namespace ix = world::entity_index;
namespace kind = world::kind;

class SceneryChainTest : public world_testing::ShotTest {
  protected:
    // A blossom centre with its four colours, showing colour 0.
    Entity& PlaceBlossom(int index, float x) {
        return Place(index, kind::Blossom, 2, MakeBlockStrip(4, 20, 20, {0, 0, 20, 20}), 4, x, 200);
    }
    // Hits an entity through the shot loop at its middle.
    void ShootMiddle(Entity& e) { Shoot(MiddleX(e), MiddleY(e)); }
};

TEST_F(SceneryChainTest, BlossomColoursOneTwoThreeUnlockTheCrossbowOnce) {
    Entity& first = PlaceBlossom(ix::Blossom3, 100);
    Entity& second = PlaceBlossom(ix::Blossom2, 200);
    Entity& third = PlaceBlossom(ix::Blossom1, 300);
    EXPECT_EQ(ShootAt(first), world::HitWithoutPoints) << "colour 1, the others not yet";
    EXPECT_EQ(first.firstFrame, 1);
    ShootAt(second);
    EXPECT_EQ(ShootAt(second), world::HitWithoutPoints);
    ShootAt(third);
    ShootAt(third);
    EXPECT_EQ(Weapon().crossbowAvailable, world::Locked);
    EXPECT_EQ(ShootAt(third), 100) << "colours 1, 2, 3";
    EXPECT_EQ(Weapon().crossbowAvailable, world::JustUnlocked);
    EXPECT_NE(Weapon().unlockBannerUntil[world::Crossbow], -1);

    // Round the colours once more to 1, 2, 3: no second unlock, only a colour change.
    Weapon().crossbowAvailable = world::Unlocked;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ShootAt(first), world::HitWithoutPoints);
    EXPECT_EQ(first.firstFrame, 0) << "four colours, round and round";
    EXPECT_EQ(ShootAt(first), world::HitWithoutPoints);
    EXPECT_EQ(Weapon().crossbowAvailable, world::Unlocked);
    EXPECT_EQ(gamestate::Round.score, 0) << "testShot alone adds nothing to the score";
}

TEST_F(SceneryChainTest, BlossomsSolvedAfterTheBellsAnnounceTheCrossbowAgain) {
    Weapon().crossbowAvailable = world::Unlocked;  // the bells brought it
    Entity& first = PlaceBlossom(ix::Blossom3, 100);
    Entity& second = PlaceBlossom(ix::Blossom2, 200);
    Entity& third = PlaceBlossom(ix::Blossom1, 300);
    for (Entity* blossom : {&first, &second, &second, &third, &third}) ShootAt(*blossom);
    EXPECT_EQ(Weapon().crossbowAvailable, world::Unlocked);
    EXPECT_EQ(ShootAt(third), 100) << "the bonus, as the first way to the crossbow gives it";
    EXPECT_EQ(Weapon().crossbowAvailable, world::JustUnlocked) << "its fanfare is to play";
    EXPECT_EQ(Weapon().unlockBannerUntil[world::Crossbow],
              static_cast<int32_t>(backend_.Ticks() + 1500));
}

TEST_F(SceneryChainTest, TheSecondFlowersStemFallsOnlyAfterSixteenPetals) {
    Entity& stem = PlaceSolid(ix::FlowerStem2Target, kind::FlowerStem2, 2, 311, 234);
    Entity& stemPicture = PlaceSolid(ix::FlowerStem2, kind::Decoration, 2, 311, 234);
    Entity& blossom = PlaceBlossom(ix::Blossom2, 345);
    EXPECT_EQ(ShootAt(stem), 0) << "the shot goes on";
    EXPECT_NE(stem.state, world::state::Hit);
    for (int i = 0; i < 16; ++i) {
        Entity& petal = PlaceSolid(ix::Petal1 + i, kind::Petal, 2, 328, 187);
        EXPECT_EQ(ShootAt(petal), 5);
        EXPECT_EQ(petal.state, world::state::Hit);
        if (i < 15) {
            EXPECT_EQ(ShootAt(stem), 0);
        }
    }
    EXPECT_EQ(gamestate::PetalsShot, 16);
    EXPECT_EQ(ShootAt(stem), 750);
    EXPECT_EQ(stem.state, world::state::Hit);
    EXPECT_EQ(stemPicture.state, world::state::Hit);
    EXPECT_EQ(blossom.state, world::state::Hit);
}

TEST_F(SceneryChainTest, TheFirstFlowersStemTakesItsCrownAndBlossomDown) {
    Entity& stem = PlaceSolid(ix::FlowerStem1Target, kind::FlowerStem1, 2, 251, 202);
    Entity& crown = PlaceSolid(ix::FlowerCrown1, kind::FlowerCrown, 2, 257, 156);
    Entity& blossom = PlaceBlossom(ix::Blossom1, 274);
    EXPECT_EQ(ShootAt(stem), 100);
    EXPECT_EQ(crown.state, world::state::Hit);
    EXPECT_EQ(blossom.state, world::state::Hit);
    EXPECT_EQ(ShootAt(crown), 0) << "the crown itself is worth nothing";
}

TEST_F(SceneryChainTest, ASmallBoulderJumpsScoresTwoHundredInTheAirAndCrumblesOnTheFourthHit) {
    CBitmapSurface* crumbs = MakeBlockStrip(8, 30, 20, {0, 0, 30, 20});
    gamestate::CrumbsSprites.images[gamestate::FullSize][1] = crumbs;
    Entity& boulder = Place(ix::SmallBoulder1, kind::SmallBoulder, 1,
                            MakeBlockStrip(4, 40, 30, {0, 0, 40, 30}), 4, 433, 441);
    auto land = [&] {
        for (int i = 0; i < 100 && boulder.state != 1; ++i) Step(boulder, 16);
        ASSERT_EQ(boulder.state, 1) << "landed";
        EXPECT_EQ(boulder.y, boulder.groundY);
        EXPECT_EQ(boulder.verticalSpeed, 0.0f);
    };
    EXPECT_EQ(ShootAt(boulder), 15) << "on the ground it jumps";
    EXPECT_EQ(boulder.verticalSpeed, -15.0f);
    Step(boulder, 100);
    EXPECT_LT(boulder.y, boulder.groundY);
    EXPECT_EQ(ShootAt(boulder), 200) << "in the air";
    land();
    EXPECT_EQ(ShootAt(boulder), 15);
    land();
    EXPECT_EQ(boulder.hitCount, 3);
    EXPECT_EQ(ShootAt(boulder), 200) << "the crumbs stand higher than the boulder did";
    EXPECT_EQ(boulder.state, world::state::Hit);
    EXPECT_EQ(boulder.sprites[1][world::LeftStrip], crumbs);
    EXPECT_EQ(boulder.oneShot, 1);
    EXPECT_EQ(boulder.lastFrame, 7);
    gamestate::CrumbsSprites.images[gamestate::FullSize][1] = nullptr;
}

TEST_F(SceneryChainTest, TheBearTargetUnlocksTheMachineGunAndOnlyTheCrossbowSparesTheBear) {
    Entity& bear = EntityTable[ix::Bear];
    bear.kind = kind::Bear;
    bear.active = 1;
    bear.state = 0;
    Entity& target = PlaceSolid(ix::BearTarget1, kind::BearTarget, 2, 300, 179, 7);
    Entity& other = PlaceSolid(ix::BearTarget2, kind::BearTarget, 2, 300, 179, 7);
    Select(world::Crossbow);
    EXPECT_EQ(ShootAt(target), 300);
    EXPECT_EQ(Weapon().machineGunAvailable, world::JustUnlocked);
    EXPECT_NE(bear.state, world::state::Hit) << "the bear keeps running";
    EXPECT_EQ(target.active, 1);

    gamestate::Round.score = 0;
    ShootMiddle(target);
    EXPECT_EQ(gamestate::Round.score, 525) << "300 x 1.75 in the middle plane";

    Select(world::Shotgun);
    EXPECT_EQ(ShootAt(other), 300);
    EXPECT_EQ(bear.state, world::state::Hit);
    EXPECT_EQ(bear.firstFrame, 26);
    EXPECT_EQ(target.active, 0);
    EXPECT_EQ(other.active, 0);
}

TEST_F(SceneryChainTest, TheStalkThenTheFallingAppleScoreTenAndTwoHundred) {
    Entity& stalk = PlaceSolid(ix::AppleStalk1, kind::AppleStalk, 1, 300, 150);
    stalk.linkedIndex = ix::AppleStalk1;
    Entity& apple = PlaceSolid(ix::AppleStalk1 + 1, kind::TreeApple, 1, 300, 160, 5);
    apple.linkedIndex = ix::AppleStalk1 + 1;
    Entity& otherApple = PlaceSolid(ix::AppleStalk1 + 3, kind::TreeApple, 1, 500, 160, 5);
    otherApple.linkedIndex = ix::AppleStalk1 + 3;
    PlaceSolid(ix::AppleStalk1 + 2, kind::AppleStalk, 1, 500, 150).linkedIndex =
        ix::AppleStalk1 + 2;

    EXPECT_EQ(ShootAt(otherApple), 5) << "an apple still on its stalk";
    EXPECT_EQ(otherApple.state, world::state::Hit);

    EXPECT_EQ(ShootAt(stalk), 10);
    EXPECT_EQ(stalk.active, 0);
    EXPECT_EQ(apple.state, world::FallingState);
    const float startY = apple.y;
    Step(apple, 16);
    Step(apple, 250);
    EXPECT_NEAR(apple.y - startY, 384.0f * 0.25f, 1.0f) << "384 pixels per second";
    EXPECT_EQ(ShootAt(apple), 200);
    EXPECT_EQ(apple.state, world::state::Hit);
}

TEST_F(SceneryChainTest, TheEyesInTheOakAreWorthFiftyTwentyAndTenFromTheTopDown) {
    world::LayoutField(backend_.Ticks());
    const int32_t points[3] = {50, 20, 10};
    float above = 0.0f;
    for (int i = 0; i < 3; ++i) {
        Entity& eyes = world::EntityAt(ix::TreeEyes1 + i);
        EXPECT_GT(eyes.y, above);
        above = eyes.y;
        eyes.setSprite(MakeBlockStrip(2, 40, 30, {0, 0, 40, 30}), world::LeftStrip,
                       world::NearPlane, 2);
        eyes.draw(&display_, 3200.0f, backend_.Ticks());
        EXPECT_EQ(ShootAt(eyes), points[i]) << "eyes " << i + 1;
    }
}

TEST_F(SceneryChainTest, TheClockInTheLastTenSecondsGivesTenSecondsAndLetsTheShotThrough) {
    gamestate::Round.RoundEnd = gamestate::Round.RoundClock + 8000;
    Entity& mushroom = PlaceSolid(ix::Mushroom1, kind::Mushroom, 1, 300, 200);
    Entity& clock = PlaceSolid(ix::Clock, kind::Clock, 1, 100, -100);
    Step(clock, 16);
    ASSERT_GT(clock.y, 0.0f) << "the clock shows itself in the last ten seconds";
    EXPECT_GE(clock.x, 1700.0f);
    // Bring it over the mushroom, as the random place might have put it there.
    clock.x = 300;
    clock.y = 200;
    Draw(clock);
    ShootMiddle(clock);
    EXPECT_EQ(gamestate::Round.RoundEnd, gamestate::Round.RoundClock + 18000);
    EXPECT_EQ(clock.y, 1000.0f);
    EXPECT_EQ(gamestate::Round.score, 100) << "the mushroom behind took the shot";
    EXPECT_LT(mushroom.verticalSpeed, 0.0f) << "it flies off";
}

TEST_F(SceneryChainTest, BellsReproduceTheMelodyNoteByNote) {
    gamestate::BellSequence& bells = gamestate::Round.bellSequence;
    const int32_t melody[4] = {2, 3, 1, 2};
    for (int i = 0; i < 4; ++i) bells.notes[i] = melody[i];
    // Bell kinds 43, 44, 45 carry the notes 3, 2, 1.
    Entity* bellOf[4] = {};
    bellOf[3] = &PlaceSolid(ix::Bell1, kind::Bell1, 3, 100, 100);
    bellOf[2] = &PlaceSolid(ix::Bell2, kind::Bell2, 3, 200, 100);
    bellOf[1] = &PlaceSolid(ix::Bell3, kind::Bell3, 3, 300, 100);

    EXPECT_EQ(ShootAt(*bellOf[1]), 0) << "the first bell starts the hints";
    EXPECT_NE(bells.times[0], gamestate::NotScheduled);
    EXPECT_EQ(bells.progress, 0);
    EXPECT_EQ(bells.inputPosition, 0);

    // Each shot, and where the player then stands in the melody and how much of it is
    // reproduced. A length is reached only when its last note is struck.
    struct Shot {
        int bell;
        int32_t position;
        int32_t length;
    };
    const Shot shots[] = {
        {2, 0, 1},                        // the first note: a length of one
        {2, 1, 1}, {1, 0, 1},             // the second note is 3: a wrong bell starts over
        {2, 1, 1}, {3, 0, 2},             // two notes
        {2, 1, 2}, {3, 2, 2}, {1, 0, 3},  // three
        {2, 1, 3}, {3, 2, 3}, {2, 0, 3},  // wrong at the third note
        {2, 1, 3}, {3, 2, 3}, {1, 3, 3}, {2, 0, 4},  // all four
    };
    int n = 0;
    for (const Shot& shot : shots) {
        SCOPED_TRACE(testing::Message() << "shot " << ++n << " on bell " << shot.bell);
        EXPECT_EQ(ShootAt(*bellOf[shot.bell]), 0) << "a bell scores nothing";
        EXPECT_EQ(bells.inputPosition, shot.position);
        EXPECT_EQ(bells.progress, shot.length);
    }
    // A complete melody takes no more notes, however often the bells are struck.
    for (int i = 0; i < 12; ++i) EXPECT_EQ(ShootAt(*bellOf[1 + i % 3]), 0);
    EXPECT_EQ(bells.progress, 4);
    EXPECT_EQ(bells.inputPosition, 0);
}

TEST_F(SceneryChainTest, TheSwitchBehindTheCoverSendsTheShockThatBringsTheRavensDown) {
    Entity& cover = PlaceSolid(ix::PowerBoxCover, kind::PowerBoxCover, 2, 300, 250);
    Entity& powerSwitch = PlaceSolid(ix::PowerSwitch, kind::PowerSwitch, 2, 300, 250);
    powerSwitch.active = 0;
    Entity& shock = PlaceSolid(ix::ElectricShock, kind::ElectricShock, 3, 100, 100, 3);
    shock.showOnly(2);
    Entity* ravens[4];
    for (int i = 0; i < 4; ++i) {
        ravens[i] = &PlaceSolid(ix::PowerLineRaven1 + i, kind::Raven, 3,
                                150 + 20.0f * static_cast<float>(i), 139, 6);
        ravens[i]->state = 1;
    }
    ravens[3]->state = world::state::Hit;

    Shoot(MiddleX(cover), MiddleY(cover));
    EXPECT_EQ(gamestate::Round.score, 50);
    EXPECT_EQ(cover.state, world::state::Hit);
    EXPECT_EQ(powerSwitch.active, 1);
    Draw(powerSwitch);
    EXPECT_EQ(ShootAt(powerSwitch), 300) << "three ravens still sit on the line";
    EXPECT_EQ(powerSwitch.active, 0);
    EXPECT_EQ(ravens[0]->firstFrame, 3) << "they twitch";
    EXPECT_EQ(shock.state, 2);
    for (int i = 0; i < 200 && shock.active; ++i) Step(shock, 20);
    EXPECT_EQ(shock.active, 0);
    for (Entity* raven : ravens) EXPECT_EQ(raven->state, world::state::Hit);
    EXPECT_EQ(ravens[0]->firstFrame, 3);
}

TEST_F(SceneryChainTest, TheMachineGunChipsTheSculptureAndLaunchesTheSilo) {
    Entity& sculpture = PlaceSolid(ix::Sculpture, kind::Sculpture, 1, 300, 312, 5);
    Entity& crumbs = PlaceSolid(ix::SculptureCrumbs, kind::Decoration, 1, 300, 312, 8);
    crumbs.active = 0;
    EXPECT_EQ(ShootAt(sculpture), 0) << "only the machine gun chips it";
    Select(world::MachineGun);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ShootAt(sculpture), world::HitWithoutPoints);
    EXPECT_EQ(crumbs.active, 1);
    EXPECT_EQ(ShootAt(sculpture), 500);
    EXPECT_EQ(sculpture.firstFrame, 4);
    EXPECT_EQ(ShootAt(sculpture), world::HitWithoutPoints);

    Entity& silo = PlaceSolid(ix::Silo, kind::Silo, 3, 400, 172, 3);
    EXPECT_EQ(ShootAt(silo), 500);
    EXPECT_EQ(ShootAt(silo), 0) << "already on its way";
    const float startY = silo.y;
    Step(silo, 500);
    EXPECT_LT(silo.y, startY);
}

TEST_F(SceneryChainTest, TheScarecrowTurnsWhenAnArmIsShotUnlessTheRavenSitsOnIt) {
    Entity& body = PlaceSolid(ix::Scarecrow, kind::Scarecrow, 1, 43, 190, 17);
    Entity& arm = PlaceSolid(ix::ScarecrowArm1, kind::ScarecrowArm1, 1, 154, 261, 2);
    Entity& otherArm = PlaceSolid(ix::ScarecrowArm2, kind::ScarecrowArm2, 1, 61, 262, 2);
    otherArm.showOnly(1);
    Entity& hat = PlaceSolid(ix::ScarecrowHat, kind::ScarecrowHat, 1, 120, 201, 2);
    Entity& raven =
        PlaceSolid(ix::PerchedRaven, kind::Raven, 1, world::RavenPerch.x, world::RavenPerch.y, 6);
    EXPECT_EQ(ShootAt(arm), 0) << "the raven on it keeps it still";
    raven.active = 0;
    EXPECT_EQ(ShootAt(arm), 10);
    EXPECT_EQ(body.state, 6);
    for (int i = 0; i < 50 && body.state == 6; ++i) Step(body, 16);
    EXPECT_EQ(body.state, 1);
    EXPECT_EQ(body.firstFrame, 4);
    EXPECT_EQ(otherArm.firstFrame, 0);
    EXPECT_EQ(ShootAt(hat), 250);
    EXPECT_EQ(arm.active, 0);
    EXPECT_EQ(otherArm.active, 0);
    EXPECT_LT(hat.verticalSpeed, 0.0f);
}

}  // namespace
