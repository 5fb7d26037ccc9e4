// One shot against the entities: the pixel shown decides, the entity on top takes the shot,
// sinking animals are passed over, points by plane and weapon, the shotgun's spread, the
// dynamite's limits and its blast.
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "gamestate/point_popups.h"
#include "gamestate/round_state.h"
#include "world/level_layout.h"
#include "world/shot_fixture.h"
#include "world/spawning.h"

namespace {

using world::Entity;
using world::EntityTable;
namespace kind = world::kind;

class ShotResolutionTest : public world_testing::ShotTest {};

TEST_F(ShotResolutionTest, ATransparentPixelInsideTheBoxMissesAndTheShotGoesOnBehind) {
    // A hare in front whose frame is transparent but for its right half, over a boar.
    Entity& boar = PlaceSolid(60, kind::Boar, 2, 200, 300);
    Entity& hare =
        Place(100, kind::Hare, 2, MakeBlockStrip(1, 40, 30, {20, 0, 40, 30}), 1, 200, 300);
    ASSERT_EQ(hare.screenX, boar.screenX);
    Select(world::Crossbow);  // no spread: the shot stays where it is

    Shoot(hare.screenX + 5, 310);
    EXPECT_NE(hare.state, world::state::Hit) << "the transparent part of the hare";
    EXPECT_EQ(boar.state, world::state::Hit) << "the boar behind takes the shot";
    EXPECT_EQ(gamestate::Game.LayerHit, gamestate::EntityHit);
    EXPECT_EQ(gamestate::Round.score, 35) << "20 points, crossbow in the middle plane";

    Shoot(hare.screenX + 25, 310);
    EXPECT_EQ(hare.state, world::state::Hit);
    EXPECT_EQ(hare.firstFrame, 25);
    EXPECT_EQ(hare.lastFrame, 29);
}

TEST_F(ShotResolutionTest, TheAppleOnABoarIsHitFirstAndVanishesWhileTheBoarWalksOn) {
    Entity& boar = PlaceSolid(60, kind::Boar, 2, 200, 300);
    boar.state = world::state::Walking;
    boar.linkedIndex = 61;
    Entity& apple = PlaceSolid(61, kind::Apple, 2, 200, 300);
    Shoot(MiddleX(apple), MiddleY(apple));
    EXPECT_EQ(gamestate::Round.score, 160) << "80 x plane";
    EXPECT_EQ(apple.active, 0);
    EXPECT_EQ(boar.state, world::state::Walking);
    EXPECT_EQ(boar.linkedIndex, -1) << "the freed slot must not be steered by the boar";
    EXPECT_EQ(gamestate::PointPopups[0].value, 160);
    EXPECT_EQ(gamestate::PointPopups[0].y, static_cast<float>(MiddleY(apple) - 50));
}

TEST_F(ShotResolutionTest, ABoarCarriesItsAppleDownWithIt) {
    Entity& boar = PlaceSolid(60, kind::Boar, 2, 200, 300);
    boar.linkedIndex = 61;
    Entity& apple = PlaceSolid(61, kind::Apple, 2, 600, 300);
    Shoot(MiddleX(boar), MiddleY(boar));
    EXPECT_EQ(boar.state, world::state::Hit);
    EXPECT_EQ(apple.state, world::state::Hit);
}

TEST_F(ShotResolutionTest, ASinkingAnimalIsNotOfferedTheShot) {
    Entity& below = PlaceSolid(60, kind::Hare, 2, 200, 300);
    Entity& sinking = PlaceSolid(100, kind::Boar, 2, 200, 300);
    sinking.state = world::state::Hit;
    Shoot(MiddleX(sinking), MiddleY(sinking));
    EXPECT_EQ(below.state, world::state::Hit);
    EXPECT_EQ(gamestate::Round.score, 60) << "the hare, 30 x plane 2";
}

TEST_F(ShotResolutionTest, EveryAnimalInEveryPlaneIsWorthItsPointsWithEveryWeapon) {
    // What one hit scores through the shot loop: far animals are worth more, the crossbow weighs
    // the planes (x 1.75 in the middle, x 0.5 far, cut to whole points), the dynamite cannot
    // reach the far plane nor the apple or the raven, and its duck is worth nothing.
    struct Case {
        int32_t kind;
        int plane;
        int32_t shotgun, crossbow, dynamite, machineGun;
    };
    const Case cases[] = {
        {kind::Boar, 2, 20, 35, 20, 20},     {kind::Boar, 3, 30, 15, 0, 30},
        {kind::Apple, 2, 160, 280, 0, 160},  {kind::Apple, 3, 240, 120, 0, 240},
        {kind::Duck, 2, 20, 35, 0, 20},      {kind::Duck, 3, 30, 15, 0, 30},
        {kind::Raven, 2, 10, 17, 0, 10},     {kind::Raven, 3, 10, 5, 0, 10},
        {kind::Mole, 2, 100, 175, 100, 100}, {kind::Mole, 3, 150, 75, 0, 150},
        {kind::Deer, 2, 200, 350, 200, 200}, {kind::Deer, 3, 200, 100, 0, 200},
        {kind::Quail, 2, 80, 140, 80, 80},   {kind::Quail, 3, 120, 60, 0, 120},
        {kind::Hare, 2, 60, 105, 60, 60},    {kind::Hare, 3, 90, 45, 0, 90},
    };
    for (const Case& c : cases) {
        const std::pair<int32_t, int32_t> byWeapon[] = {{world::Shotgun, c.shotgun},
                                                        {world::Crossbow, c.crossbow},
                                                        {world::Dynamite, c.dynamite},
                                                        {world::MachineGun, c.machineGun}};
        for (const auto& [weapon, points] : byWeapon) {
            SCOPED_TRACE(testing::Message()
                         << "kind " << c.kind << ", plane " << c.plane << ", weapon " << weapon);
            gamestate::Round.score = 0;
            gamestate::Round.streakKind = 0;
            gamestate::Round.streakCount = 0;
            Select(weapon);
            Entity& animal = PlaceSolid(c.plane == 2 ? 60 : 200, c.kind, c.plane, 200, 300);
            Shoot(MiddleX(animal), MiddleY(animal));
            EXPECT_EQ(gamestate::Round.score, points);
            animal = Entity{};
        }
    }
}

TEST_F(ShotResolutionTest, TheShotgunFindsAHareTwelvePixelsAwayAndTheCrossbowDoesNot) {
    // Only a 4-pixel column at the hare's left edge is opaque.
    CBitmapSurface* strip = MakeBlockStrip(1, 40, 30, {0, 0, 4, 30});
    Entity& hare = Place(60, kind::Hare, 2, strip, 1, 200, 300);
    const int opaqueX = hare.screenX + 1;

    Select(world::Crossbow);
    Shoot(opaqueX + 12, 310);
    EXPECT_NE(hare.state, world::state::Hit);
    EXPECT_EQ(gamestate::Round.score, 0);

    Select(world::Shotgun);
    Shoot(opaqueX + 12, 310);
    EXPECT_EQ(hare.state, world::state::Hit) << "the retry 12 pixels to the left";
    EXPECT_EQ(gamestate::Round.score, 60);
}

TEST_F(ShotResolutionTest, TheShotgunSpreadDoesNotReachScenery) {
    Entity& bottle =
        Place(47, kind::Bottle, 1, MakeBlockStrip(5, 40, 30, {0, 0, 4, 30}), 5, 200, 300);
    Shoot(bottle.screenX + 13, 310);
    EXPECT_NE(bottle.state, world::state::Hit);
}

TEST_F(ShotResolutionTest, ABackgroundLayerInFrontStopsTheShot) {
    Entity& mid = PlaceSolid(60, kind::Boar, 2, 200, 300);
    Entity& near = PlaceSolid(10, kind::Mushroom, 1, 400, 300);
    EXPECT_EQ(world::testShot(mid, MiddleX(mid), MiddleY(mid), gamestate::NearLayerHit), 0);
    EXPECT_EQ(world::testShot(mid, MiddleX(mid), MiddleY(mid), gamestate::MidLayerHit), 20);
    EXPECT_EQ(world::testShot(near, MiddleX(near), MiddleY(near), gamestate::NearLayerHit), 100);
}

TEST_F(ShotResolutionTest, TheTestedPixelIsThePixelShownWhenTheSpriteIsCutAtTheLeftEdge) {
    // 40 pixels wide, opaque only in its right half; drawn 10 pixels left of the screen.
    CBitmapSurface* strip = MakeBlockStrip(1, 40, 30, {20, 0, 40, 30});
    Entity& bottle = Place(47, kind::Bottle, 1, strip, 1, -10, 300);
    ASSERT_EQ(bottle.clipLeft, 10);
    ASSERT_EQ(bottle.screenX, 0);
    // Screen x 12 shows frame column 22 (opaque); without the cut it would be column 12.
    EXPECT_EQ(world::testShot(bottle, 12, 310, gamestate::NoLayerHit), 100);
    bottle.state = 0;
    bottle.playFrames(0, 0);
    EXPECT_EQ(world::testShot(bottle, 5, 310, gamestate::NoLayerHit), 0)
        << "column 15: transparent";
    EXPECT_EQ(world::testShot(bottle, 30, 310, gamestate::NoLayerHit), 0)
        << "right of the shown part";
}

TEST_F(ShotResolutionTest, TheDynamiteCannotReachTheFarPlaneNorMiddlePlaneObjects) {
    Select(world::Dynamite);
    Entity& farBoar = PlaceSolid(200, kind::Boar, 3, 200, 300);
    Entity& midTarget = PlaceSolid(86, kind::BearTarget, 2, 300, 150);
    Entity& duck = PlaceSolid(100, kind::Duck, 2, 500, 100);
    Entity& stone = PlaceSolid(84, kind::CaveStone, 2, 100, 100);
    EXPECT_EQ(ShootAt(farBoar), 0);
    EXPECT_NE(farBoar.state, world::state::Hit);
    EXPECT_EQ(ShootAt(midTarget), 0);
    EXPECT_EQ(ShootAt(duck), 0) << "hit, but a duck is worth nothing to the dynamite";
    EXPECT_NE(duck.state, world::state::Hit);
    EXPECT_EQ(ShootAt(stone), 0) << "the stone is blown away and the shot goes on";
    EXPECT_EQ(stone.state, world::state::Hit);
    EXPECT_EQ(stone.oneShot, 1);
}

TEST_F(ShotResolutionTest, TheDynamiteTurnsWhatItHitsIntoAnExplosionThatEndsOnItsSeventhFrame) {
    CBitmapSurface* blast = MakeBlockStrip(9, 60, 50, {0, 0, 60, 50});
    gamestate::ExplosionSprites.images[gamestate::HalfSize][1] = blast;
    Select(world::Dynamite);
    Entity& boar = PlaceSolid(60, kind::Boar, 2, 200, 300);
    Shoot(MiddleX(boar), MiddleY(boar));
    EXPECT_EQ(gamestate::Round.score, 20);
    EXPECT_EQ(boar.sprites[2][world::LeftStrip], blast);
    EXPECT_EQ(boar.frameCounts[2][world::LeftStrip], 9);
    EXPECT_EQ(boar.firstFrame, 0);
    EXPECT_EQ(boar.lastFrame, 8);
    EXPECT_EQ(boar.oneShot, 1);
    // Centred on the boar's frame, bottoms aligned: 20 - 30 sideways, 30 - 50 up.
    EXPECT_FLOAT_EQ(boar.x, 190.0f);
    EXPECT_FLOAT_EQ(boar.y, 280.0f);
    for (int i = 0; i < 20 && boar.active; ++i) Step(boar, 60);
    EXPECT_EQ(boar.active, 0);
    gamestate::ExplosionSprites.images[gamestate::HalfSize][1] = nullptr;
}

// A slot freed by an animal is taken by the next spawn; nothing of the old animal may stay.
class ReusedSlotTest : public ShotResolutionTest {
  protected:
    void SetUp() override {
        ShotResolutionTest::SetUp();
        for (int image : {1, 2, 4, 5}) {
            gamestate::BoarSprites.images[gamestate::HalfSize][image] =
                MakeBlockStrip(13, 20, 10, {0, 0, 20, 10});
        }
        for (int image : {1, 4}) {
            gamestate::HareSprites.images[gamestate::FullSize][image] =
                MakeBlockStrip(30, 20, 10, {0, 0, 20, 10});
        }
        gamestate::ExplosionSprites.images[gamestate::HalfSize][1] =
            MakeBlockStrip(9, 60, 50, {0, 0, 60, 50});
    }
    void TearDown() override {
        // The strips belong to the fixture.
        gamestate::BoarSprites = {};
        gamestate::HareSprites = {};
        gamestate::ExplosionSprites = {};
        ShotResolutionTest::TearDown();
    }
    // Lets the entity live on for `ms` in steps of 50 ms, or until it is gone.
    void Live(Entity& e, uint32_t ms) {
        for (uint32_t t = 0; t < ms && e.active; t += 50) Step(e, 50);
    }
};

TEST_F(ReusedSlotTest, AnAnimalInTheSlotOfAnExplosionLivesOnPastItsSeventhFrame) {
    Select(world::Dynamite);
    Entity& mole = PlaceSolid(world::MidGroup.first, kind::Mole, 2, 200, 300, 20);
    Shoot(MiddleX(mole), MiddleY(mole));
    ASSERT_EQ(mole.oneShot, 1) << "it explodes";
    Live(mole, 2000);
    ASSERT_EQ(mole.active, 0) << "the explosion ended on its seventh frame";

    std::srand(7);
    world::spawnAnimal(2, 1, kind::Boar, false);
    Entity& boar = EntityTable[world::MidGroup.first];
    ASSERT_EQ(boar.kind, kind::Boar);
    EXPECT_EQ(boar.oneShot, 0);
    EXPECT_EQ(boar.sprites[2][world::LeftStrip], gamestate::BoarSprites.at(gamestate::HalfSize, 1));
    EXPECT_EQ(boar.frameCounts[2][world::LeftStrip], 13);
    EXPECT_EQ(boar.sinkOffset, 0.0f);
    EXPECT_EQ(boar.hitCount, 0);
    // A minute of walking and standing: its walk shows frame 7 again and again.
    bool showedSeven = false;
    for (int i = 0; i < 1200 && boar.active; ++i) {
        Step(boar, 50);
        showedSeven = showedSeven || boar.shownFrame() == 7;
    }
    EXPECT_TRUE(showedSeven);
    EXPECT_EQ(boar.active, 1) << "a boar does not vanish at frame 7 of its walk";
}

TEST_F(ReusedSlotTest, AHareInTheSlotOfASunkMoleRunsAtAHaresSpeed) {
    Entity& mole = PlaceSolid(world::MidGroup.first, kind::Mole, 2, 200, 300, 20);
    mole.state = world::state::Walking;
    mole.direction = 20;  // a mole's speed in the middle plane
    Shoot(MiddleX(mole), MiddleY(mole));
    ASSERT_EQ(mole.state, world::state::Hit);
    Live(mole, 20000);
    ASSERT_EQ(mole.active, 0) << "it sank out of sight";

    std::srand(7);
    world::spawnAnimal(2, 1, kind::Hare, false);
    Entity& hare = EntityTable[world::MidGroup.first];
    ASSERT_EQ(hare.kind, kind::Hare);
    EXPECT_EQ(hare.direction, 0) << "it picks its own speed";
    Step(hare, 50);
    EXPECT_GE(std::abs(hare.direction), 11 / 2);
    EXPECT_LE(std::abs(hare.direction), 14 / 2) << "(11..14) / plane, not the mole's 20";
}

TEST_F(ShotResolutionTest, DynamiteIntoTheSkyUsesNoRoundAndOnTheGroundPlacesTheBlast) {
    Select(world::Dynamite);
    gamestate::Game.CameraX = 1800.0f;
    backend_.SetCursor(300, 450);
    backend_.SetKey(platform::vk::LButton, true);
    gamestate::Round.RoundClock += 1000;
    flow::RunControls();
    EXPECT_TRUE(flow::ThrowRequested);
    EXPECT_EQ(Weapon().roundsLeft, 1);
    flow::RunShotLoop();  // nothing stopped the throw: the sky
    EXPECT_EQ(Weapon().roundsLeft, 1);
    EXPECT_EQ(EntityTable[world::entity_index::DynamiteBlast].active, 0);

    backend_.SetKey(platform::vk::LButton, false);
    flow::RunControls();
    backend_.SetKey(platform::vk::LButton, true);
    flow::RunControls();
    gamestate::Game.LayerHit = gamestate::NearLayerHit;  // the ground of the near layer
    flow::RunShotLoop();
    EXPECT_EQ(Weapon().roundsLeft, 0);
    const Entity& blast = EntityTable[world::entity_index::DynamiteBlast];
    EXPECT_EQ(blast.active, 1);
    EXPECT_EQ(blast.oneShot, 1);
    EXPECT_FLOAT_EQ(blast.x, 300.0f + 1800.0f - 100.0f);
    EXPECT_FLOAT_EQ(blast.y, 350.0f);
    EXPECT_EQ(blast.lastFrame, 7);
}

TEST_F(ShotResolutionTest, WithEveryPointLabelInUseAHitStillScores) {
    for (int i = 0; i < gamestate::PointPopupCount; ++i) {
        gamestate::AddPointPopup(1, 0, 0.0f, 0);
    }
    Entity& hare = PlaceSolid(60, kind::Hare, 3, 200, 300);
    Shoot(MiddleX(hare), MiddleY(hare));
    EXPECT_EQ(gamestate::Round.score, 90);
}

TEST_F(ShotResolutionTest, TheFifthBoarInARowAddsTheStreakBonusToItsLabel) {
    for (int i = 0; i < 5; ++i) {
        Entity& boar = PlaceSolid(60 + i, kind::Boar, 2, 200, 300);
        Shoot(MiddleX(boar), MiddleY(boar));
        boar.active = 0;
    }
    EXPECT_EQ(gamestate::Round.score, 5 * 20 + 100);
    EXPECT_EQ(gamestate::PointPopups[4].value, 120);
}

TEST_F(ShotResolutionTest, TheRavenOnTheScarecrowBurstsAndOthersFall) {
    CBitmapSurface* crumbs = MakeBlockStrip(8, 30, 20, {0, 0, 30, 20});
    gamestate::CrumbsSprites.images[gamestate::FullSize][1] = crumbs;
    Entity& perched = PlaceSolid(world::entity_index::PerchedRaven, kind::Raven, 1,
                                 world::RavenPerch.x, world::RavenPerch.y, 6);
    Entity& flying = PlaceSolid(177, kind::Raven, 3, 300, 139, 6);
    EXPECT_EQ(ShootAt(perched), 10);
    EXPECT_EQ(perched.state, world::state::Hit);
    EXPECT_EQ(perched.sprites[1][world::LeftStrip], crumbs);
    EXPECT_EQ(ShootAt(flying), 10);
    EXPECT_EQ(flying.firstFrame, 3);
    gamestate::CrumbsSprites.images[gamestate::FullSize][1] = nullptr;
}

}  // namespace
