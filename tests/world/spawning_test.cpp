#include "world/spawning.h"

#include <gtest/gtest.h>

#include <vector>

#include "gamestate/rules_random.h"
#include "world/world_fixture.h"

namespace {

using world::Entity;
using world::EntityTable;

// The numbers the standard generator gives after `seed`.
std::vector<int> Draws(unsigned seed, int count) {
    gamestate::SeedRand(seed);
    std::vector<int> draws;
    for (int i = 0; i < count; ++i) draws.push_back(gamestate::Rand());
    return draws;
}

class SpawningTest : public world_testing::WorldTest {
  protected:
    void SetUp() override {
        WorldTest::SetUp();
        // Boar strips of 13 frames, 20 pixels wide at half size.
        auto& boar = gamestate::BoarSprites;
        for (int image : {1, 2, 4, 5}) {
            boar.images[gamestate::HalfSize][image] = MakeStrip(13, 20, 10, 0x00303030);
            boar.images[gamestate::QuarterSize][image] = MakeStrip(13, 10, 5, 0x00303030);
        }
        for (int image : {1, 2, 4, 5}) {
            gamestate::AppleSprites.images[gamestate::HalfSize][image] =
                MakeStrip(13, 20, 10, 0x00505050);
        }
    }
    void TearDown() override {
        // The strips belong to the fixture.
        gamestate::BoarSprites = {};
        gamestate::AppleSprites = {};
        WorldTest::TearDown();
    }

    int ActiveIn(world::EntityGroup group) {
        int n = 0;
        for (int i = group.first; i <= group.last; ++i) n += world::EntityAt(i).active;
        return n;
    }
};

TEST_F(SpawningTest, ABoarWithinReachOfTheCameraWrapsRoundTheWorld) {
    // Find a seed whose first offset draw is 1500 (after the one-in draw).
    unsigned seed = 1;
    while (Draws(seed, 2)[1] % 1600 != 1500) ++seed;
    gamestate::Game.CameraX = 4000.0f;
    gamestate::SeedRand(seed);
    world::spawnAnimal(2, 1, world::kind::Boar, false);
    const Entity& boar = EntityTable[world::MidGroup.first];
    ASSERT_EQ(boar.active, 1);
    EXPECT_FLOAT_EQ(boar.x, 700.0f) << "4000 + 1500 = 5500, wrapped";
    EXPECT_EQ(boar.kind, world::kind::Boar);
    EXPECT_EQ(boar.plane, 2);
    EXPECT_EQ(boar.hitPlane, 2);
    EXPECT_EQ(boar.state, world::state::Walking);
    EXPECT_EQ(boar.linkedIndex, -1);
    EXPECT_FLOAT_EQ(boar.y, 300.0f);
    EXPECT_EQ(boar.timer, 0.0f) << "the first update picks the first phase";
    EXPECT_EQ(boar.lastUpdateMs, backend_.Ticks());
    EXPECT_EQ(boar.sprites[2][world::RightContinuation],
              gamestate::BoarSprites.at(gamestate::HalfSize, 5));
    EXPECT_EQ(boar.frameCounts[2][world::LeftStrip], 13);
}

TEST_F(SpawningTest, AnimalsEnteringFromTheSideStartOffScreen) {
    gamestate::Game.CameraX = 1800.0f;
    unsigned odd = 1;
    while (Draws(odd, 2)[1] % 2 == 0) ++odd;  // the chance, then the side
    gamestate::SeedRand(odd);
    world::spawnAnimal(2, 1, world::kind::Boar, true);
    EXPECT_FLOAT_EQ(EntityTable[51].x, 1800.0f - 20.0f - 400.0f)
        << "one frame width and 400 pixels left of the camera";
    unsigned even = 1;
    while (Draws(even, 2)[1] % 2 == 1) ++even;
    gamestate::SeedRand(even);
    world::spawnAnimal(2, 1, world::kind::Boar, true);
    EXPECT_FLOAT_EQ(EntityTable[52].x, 3800.0f) << "2000 pixels right of the camera";
}

TEST_F(SpawningTest, SlotsAreTakenInPairsSoABoarCanAlwaysCarryAnApple) {
    // 51 free, 52 taken, 53 and 54 free: the pair starts at 53.
    EntityTable[52].active = 1;
    world::spawnAnimal(2, 1, world::kind::Boar, false);
    EXPECT_EQ(EntityTable[51].active, 0);
    EXPECT_EQ(EntityTable[53].active, 1);
    // Scenery slots are never used.
    EntityTable[54].spawnable = 0;
    world::spawnAnimal(2, 1, world::kind::Boar, false);
    EXPECT_EQ(EntityTable[55].active, 1);
}

TEST_F(SpawningTest, AFullRangeSpawnsNothingAndDrawsNoMoreNumbers) {
    for (int i = world::MidGroup.first; i <= world::MidGroup.last; i += 2)
        world::EntityAt(i).active = 1;
    const std::vector<int> reference = Draws(7, 3);
    gamestate::SeedRand(7);
    world::spawnAnimal(2, 1, 0, false);
    EXPECT_EQ(gamestate::Rand(), reference[2]) << "only the chance and the kind were drawn";
    EXPECT_EQ(ActiveIn(world::MidGroup), 63);
    // The last pair must lie wholly inside the range.
    EntityTable[174].active = 0;
    EntityTable[175].active = 0;
    world::spawnAnimal(2, 1, world::kind::Boar, false);
    EXPECT_EQ(EntityTable[174].active, 1);
}

TEST_F(SpawningTest, OnlyTheMiddleAndFarPlanesSpawnAndTheDeerIsAFarAnimal) {
    for (int plane : {0, 1, 4, 5}) world::spawnAnimal(plane, 1, world::kind::Boar, false);
    EXPECT_EQ(ActiveIn(world::NearGroup) + ActiveIn(world::MidGroup) + ActiveIn(world::FarGroup),
              0);
    world::spawnAnimal(2, 1, world::kind::Deer, false);
    EXPECT_EQ(ActiveIn(world::MidGroup), 0);
    EXPECT_EQ(EntityTable[world::FarGroup.first].kind, world::kind::Deer);
    EXPECT_EQ(EntityTable[world::FarGroup.first].plane, 3);
    // Kinds without a set-up leave the slot alone.
    world::spawnAnimal(2, 1, 9, false);
    EXPECT_EQ(ActiveIn(world::MidGroup), 0);
}

TEST_F(SpawningTest, ApplesRideOnBoarsOnlyFromTheSecondStage) {
    gamestate::Round.QuotaStage = 1;
    for (int i = 0; i < 60; ++i) world::spawnAnimal(2, 1, world::kind::Boar, false);
    for (const Entity& e : EntityTable) EXPECT_NE(e.kind, world::kind::Apple);

    world::ClearEntityTable();
    gamestate::Round.QuotaStage = 2;
    unsigned seed = 1;
    while (Draws(seed, 3)[2] % 20 != 0) ++seed;  // one-in, offset, apple chance
    gamestate::SeedRand(seed);
    world::spawnAnimal(2, 1, world::kind::Boar, false);
    const Entity& boar = EntityTable[51];
    const Entity& apple = EntityTable[52];
    EXPECT_EQ(boar.linkedIndex, 52);
    EXPECT_EQ(apple.kind, world::kind::Apple);
    EXPECT_EQ(apple.active, 1);
    EXPECT_EQ(apple.sprites[2][world::LeftStrip],
              gamestate::AppleSprites.at(gamestate::HalfSize, 1));
}

}  // namespace
