#include "world/entity.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "gamestate/pause.h"
#include "gamestate/rules_random.h"
#include "world/world_fixture.h"

namespace {

using world::Entity;
using world::EntityTable;

class EntityTest : public world_testing::WorldTest {
  protected:
    // An active entity of `kind` in `plane` with one left-facing strip of `frames` frames of
    // 40x30, last drawn at the current time.
    Entity& MakeEntity(int index, int32_t kind, int plane, float x, float y, int frames = 8) {
        Entity& e = world::EntityAt(index);
        e.setSprite(MakeStrip(frames, 40, 30, 0x00202020), world::LeftStrip, plane, frames);
        e.kind = kind;
        e.plane = plane;
        e.x = x;
        e.y = y;
        e.active = 1;
        e.lastUpdateMs = backend_.Ticks();
        return e;
    }
    // One frame of the entity `ms` later.
    void Step(Entity& e, uint32_t ms, float planeCamera = 1600.0f) {
        backend_.AdvanceTime(ms);
        e.update(static_cast<int>(planeCamera), backend_.Ticks());
        e.draw(&display_, planeCamera, backend_.Ticks());
    }
};

TEST_F(EntityTest, TableHasThreeGroupsAndConstructionLeavesSlotsFreeForSpawning) {
    EXPECT_EQ(world::EntityCount, 300);
    EXPECT_EQ(world::NearGroup.last - world::NearGroup.first + 1, 50);
    EXPECT_EQ(world::MidGroup.last - world::MidGroup.first + 1, 125);
    EXPECT_EQ(world::FarGroup.last - world::FarGroup.first + 1, 100);
    for (const Entity& e : EntityTable) {
        EXPECT_EQ(e.spawnable, 1);
        EXPECT_EQ(e.active, 0);
    }
    Entity& e = MakeEntity(60, world::kind::Boar, 2, 100, 100);
    e.state = 10;
    e.frame = 3.5f;
    e.hitCount = 2;
    e.spawnable = 0;
    e.resetEntity();
    EXPECT_EQ(e.state, 0);
    EXPECT_EQ(e.frame, 0.0f);
    EXPECT_EQ(e.hitCount, 0);
    EXPECT_EQ(e.active, 0);
    EXPECT_EQ(e.spawnable, 1);
    EXPECT_EQ(e.kind, world::kind::Boar) << "the reset keeps what it does not clear";
    EXPECT_NE(e.sprites[2][world::LeftStrip], nullptr);
}

TEST_F(EntityTest, SetSpriteRefusesAMissingBitmapAndKeysAndMeasuresAStrip) {
    Entity& e = EntityTable[5];
    EXPECT_FALSE(e.setSprite(nullptr, world::LeftStrip, 1, 6));
    EXPECT_EQ(e.frameCounts[1][world::LeftStrip], 0);
    CBitmapSurface* strip = MakeStrip(6, 25, 10, 0x00404040);
    EXPECT_FALSE(strip->HasKeyColour());
    ASSERT_TRUE(e.setSprite(strip, world::LeftStrip, 1, 6));
    EXPECT_TRUE(strip->HasKeyColour());
    EXPECT_EQ(e.frameWidth[1], 25);
    EXPECT_EQ(e.frameCounts[1][world::LeftStrip], 6);
    EXPECT_EQ(e.sprites[1][world::LeftStrip], strip);
}

TEST_F(EntityTest, RandomSignFollowsTheParityOfTheDraw) {
    gamestate::SeedRand(99);
    const int first = gamestate::Rand();
    gamestate::SeedRand(99);
    EXPECT_EQ(world::randomSign(), (first % 2) ? 1 : -1);
}

TEST_F(EntityTest, WorldWrapsAt4800) {
    // A flying duck at 4790 moving right by 20 pixels continues at 10.
    Entity& duck = MakeEntity(60, world::kind::Duck, 2, 4790, 250);
    duck.direction = 12;  // 144 pixels per second
    Step(duck, 139);
    EXPECT_NEAR(duck.x, 4790.0f + 20.016f - 4800.0f, 0.01f);
    // Moving left past 0 comes back at the right end.
    Entity& apple = MakeEntity(61, world::kind::Apple, 2, -15, 300);
    Step(apple, 16);
    EXPECT_FLOAT_EQ(apple.x, 4785.0f);
}

TEST_F(EntityTest, DrawCutsAtTheLeftEdgeAndShowsTheSeamNeighbourLeftOfTheCamera) {
    // Camera 100: an entity at 4780 lies 120 pixels left of the screen.
    Entity& e = MakeEntity(10, world::kind::Decoration, 1, 4780, 100, 4);
    e.frame = 2.0f;
    e.firstFrame = e.lastFrame = 2;
    display_.ClearBackBuffer(0);
    e.draw(&display_, 100.0f, backend_.Ticks());
    EXPECT_EQ(e.screenX, 0);
    EXPECT_EQ(e.clipLeft, 120);
    EXPECT_FLOAT_EQ(e.x, 4780.0f) << "the seam shift lasts only for the draw";
    // Frame 2 starts at 80 in the strip; the first 120 pixels are cut, which is more than the
    // frame: nothing shows.
    EXPECT_EQ(e.sourceRect.left, 80 + 120);
    EXPECT_EQ(PixelAt(0, 110), 0);

    // Camera 4500: an entity at 100 is drawn at 400.
    Entity& f = MakeEntity(11, world::kind::Decoration, 1, 100, 100, 4);
    f.draw(&display_, 4500.0f, backend_.Ticks());
    EXPECT_EQ(f.screenX, 400);

    // Cut by 10 pixels: the rest of frame 0 shows from the left edge.
    Entity& g = MakeEntity(12, world::kind::Decoration, 1, 1590, 200, 4);
    display_.ClearBackBuffer(0);
    g.draw(&display_, 1600.0f, backend_.Ticks());
    EXPECT_EQ(g.screenX, 0);
    EXPECT_EQ(g.clipLeft, 10);
    EXPECT_EQ(g.sourceRect.left, 10);
    EXPECT_EQ(g.sourceRect.right, 40);
    EXPECT_NE(PixelAt(29, 210), 0);
    EXPECT_EQ(PixelAt(30, 210), 0);

    // Cut at the right edge.
    Entity& h = MakeEntity(13, world::kind::Decoration, 1, 2380, 300, 4);
    h.draw(&display_, 1600.0f, backend_.Ticks());
    EXPECT_EQ(h.screenX, 780);
    EXPECT_EQ(h.sourceRect.right, 20);
    EXPECT_NE(PixelAt(799, 310), 0);
}

TEST_F(EntityTest, SceneryOfTheFarAndMiddlePlanesCrossesTheSeamWithItsLayer) {
    // The middle layer repeats after 4560 pixels: with its scroll at 0, scenery at 4550 shows its
    // last 30 columns at the left edge, as the layer's own tile 6 does.
    Entity& stone = MakeEntity(84, world::kind::CaveStone, 2, 4550, 225);
    display_.ClearBackBuffer(0);
    stone.draw(&display_, 0.0f, backend_.Ticks());
    EXPECT_EQ(stone.screenX, 0);
    EXPECT_EQ(stone.clipLeft, 10);
    EXPECT_NE(PixelAt(29, 230), 0);
    EXPECT_FLOAT_EQ(stone.x, 4550.0f) << "back where it stands after the draw";
    // The far layer repeats after 4320.
    Entity& bell = MakeEntity(184, world::kind::Bell1, 3, 4300, 146);
    bell.draw(&display_, 5.0f, backend_.Ticks());
    EXPECT_EQ(bell.screenX, 0);
    EXPECT_EQ(bell.clipLeft, 25);
    EXPECT_FLOAT_EQ(bell.x, 4300.0f);
    // Animals stand in the world, whose seam lies at 4800 whatever their plane.
    Entity& boar = MakeEntity(60, world::kind::Boar, 2, 4790, 300);
    boar.draw(&display_, 10.0f, backend_.Ticks());
    EXPECT_EQ(boar.screenX, 0);
    EXPECT_EQ(boar.clipLeft, 19) << "(4790 - 4800) x 0.95 - 10";
    EXPECT_FLOAT_EQ(boar.x, 4790.0f);
}

TEST_F(EntityTest, AnimalsUseTheParallaxOfTheirPlane) {
    Entity& mid = MakeEntity(60, world::kind::Boar, 2, 2001, 300);
    mid.draw(&display_, 1520.0f, backend_.Ticks());
    EXPECT_EQ(mid.screenX, 380) << "2001 x 0.95 = 1900.95";
    Entity& far = MakeEntity(180, world::kind::Boar, 3, 2001, 250);
    far.draw(&display_, 1440.0f, backend_.Ticks());
    EXPECT_EQ(far.screenX, 360) << "2001 x 0.9 = 1800.9";
    // Scenery in the far plane stands in layer coordinates.
    Entity& bell = MakeEntity(184, world::kind::Bell1, 3, 2000, 146);
    bell.draw(&display_, 1440.0f, backend_.Ticks());
    EXPECT_EQ(bell.screenX, 560);
}

TEST_F(EntityTest, WalkingSpeedsAreDividedByThePlane) {
    // A walking boar: 20 / 3 = 6 units (72 px/s) far, 10 units (120 px/s) in the middle.
    Entity& far = MakeEntity(180, world::kind::Boar, 3, 1000, 250, 13);
    far.state = world::state::Walking;
    far.timer = 100.0f;
    Step(far, 1000);
    EXPECT_EQ(std::abs(far.direction), 6);
    EXPECT_NEAR(std::abs(far.x - 1000.0f), 72.0f, 0.01f);

    Entity& mid = MakeEntity(60, world::kind::Boar, 2, 1000, 300, 13);
    mid.state = world::state::Walking;
    mid.timer = 100.0f;
    Step(mid, 1000);
    EXPECT_EQ(std::abs(mid.direction), 10);
    EXPECT_NEAR(std::abs(mid.x - 1000.0f), 120.0f, 0.01f);

    // Slow walk: 4 / 2 = 2 units.
    mid.state = world::state::SlowWalk;
    Step(mid, 500);
    EXPECT_EQ(std::abs(mid.direction), 2);
}

TEST_F(EntityTest, ABoarCarriesItsAppleFrameByFrame) {
    Entity& boar = MakeEntity(60, world::kind::Boar, 2, 1000, 300, 13);
    Entity& apple = MakeEntity(61, world::kind::Apple, 2, 0, 0, 13);
    boar.linkedIndex = 61;
    boar.state = world::state::Walking;
    boar.timer = 100.0f;
    boar.playFrames(0, 7);
    Step(boar, 250);
    backend_.AdvanceTime(100);
    boar.update(1600, backend_.Ticks());
    EXPECT_EQ(apple.x, boar.x);
    EXPECT_EQ(apple.y, boar.y);
    EXPECT_EQ(apple.direction, boar.direction);
    EXPECT_EQ(apple.frame, boar.frame);
    EXPECT_EQ(apple.firstFrame, boar.shownFrame());
    EXPECT_EQ(apple.lastFrame, boar.shownFrame());
}

TEST_F(EntityTest, ALoopWrapsBySubtractingTheSpanSoItGoesOnAtFrameOne) {
    Entity& e = MakeEntity(60, world::kind::Duck, 2, 1000, 250);
    e.playFrames(0, 7);
    e.frame = 7.5f;
    e.draw(&display_, 1520.0f, backend_.Ticks() + 100);  // +1.2 frames: 8.7
    EXPECT_EQ(e.shownFrame(), 1);
    EXPECT_NEAR(e.frame, 1.7f, 1e-4f);

    // A whole cycle at 12 frames per second from 0 visits 1..7 and then 1 again, never 0.
    e.frame = 0.0f;
    uint32_t t = e.lastUpdateMs;
    bool sawZeroAfterFirstCycle = false;
    for (int i = 0; i < 40; ++i) {
        t += 50;
        e.draw(&display_, 1520.0f, t);
        if (i > 12 && e.shownFrame() == 0) sawZeroAfterFirstCycle = true;
        EXPECT_LE(e.shownFrame(), 7);
    }
    EXPECT_FALSE(sawZeroAfterFirstCycle);

    // A single frame stays put however far it ran.
    e.showOnly(3);
    e.frame = 9.0f;
    e.draw(&display_, 1520.0f, t);
    EXPECT_EQ(e.frame, 3.0f);
}

TEST_F(EntityTest, AnAnimationLeftAloneForDaysComesBackAtOnce) {
    Entity& e = MakeEntity(12, world::kind::Decoration, 1, 1700, 100);
    e.playFrames(0, 7);
    e.lastUpdateMs = 0;
    e.draw(&display_, 1600.0f, 3'000'000'000u);  // five weeks of frames in one step
    EXPECT_GE(e.shownFrame(), 0);
    EXPECT_LE(e.shownFrame(), 7);
}

TEST_F(EntityTest, MinimisingFreezesTheWorldWithoutAJumpAfterwards) {
    Entity& boar = MakeEntity(60, world::kind::Boar, 2, 1000, 300, 13);
    boar.state = world::state::Walking;
    boar.timer = 5.0f;
    boar.direction = 10;
    boar.playFrames(0, 7);
    gamestate::Pause.MinimizedInGame = true;
    Step(boar, 20000);
    EXPECT_EQ(boar.x, 1000.0f);
    EXPECT_EQ(boar.timer, 5.0f);
    EXPECT_EQ(boar.frame, 0.0f);
    EXPECT_EQ(boar.lastUpdateMs, backend_.Ticks()) << "the draw still takes the time";
    gamestate::Pause.MinimizedInGame = false;
    Step(boar, 100);
    EXPECT_NEAR(boar.x, 1012.0f, 0.01f) << "only the 100 ms since the last frame count";
    EXPECT_NEAR(boar.timer, 4.9f, 1e-4f);
    EXPECT_NEAR(boar.frame, 1.2f, 1e-4f);
}

TEST_F(EntityTest, AHitAnimalStopsOnItsLastFrameSinksAndGoesWhenBelowTheScreen) {
    Entity& e = MakeEntity(60, world::kind::Quail, 2, 1700, 500, 14);
    e.state = world::state::Hit;
    e.playFrames(9, 13);
    e.frame = 12.9f;
    e.draw(&display_, 1615.0f, backend_.Ticks() + 100);
    EXPECT_EQ(e.frame, 13.0f);
    EXPECT_NEAR(e.sinkOffset, 7.2f, 1e-4f) << "72 pixels per second in plane 2";
    // The update leaves a hit animal alone.
    const float x = e.x;
    e.update(1600, backend_.Ticks() + 200);
    EXPECT_EQ(e.x, x);
    // 1.2 s later the top is at 500 + 7.2 + 86.4 = 593: a strip of rows is still on screen.
    e.draw(&display_, 1615.0f, backend_.Ticks() + 1300);
    EXPECT_EQ(e.active, 1);
    // 0.1 s later it is at 600, below the last row.
    e.draw(&display_, 1615.0f, backend_.Ticks() + 1400);
    EXPECT_EQ(e.active, 0);
}

TEST_F(EntityTest, APlayOnceEffectEndsOnFrameSeven) {
    Entity& e = MakeEntity(49, world::kind::DynamiteBlast, 1, 1700, 300);
    e.playFrames(0, 7);
    e.oneShot = 1;
    e.frame = 7.2f;
    e.update(1600, backend_.Ticks());
    EXPECT_EQ(e.active, 0);
}

TEST_F(EntityTest, AnEntityWithoutPicturesDrawsNothingAndCannotBreak) {
    Entity& bear = EntityTable[87];
    bear.kind = world::kind::Bear;
    bear.plane = 2;
    bear.active = 1;
    bear.playFrames(0, 5);
    bear.lastUpdateMs = backend_.Ticks();
    display_.ClearBackBuffer(0);
    bear.draw(&display_, 1520.0f, backend_.Ticks() + 500);
    EXPECT_EQ(bear.sourceRect.right, 0);
    EXPECT_EQ(bear.active, 1);
}

TEST_F(EntityTest, FramesBeyondTheFirstStripComeFromTheContinuationOfTheFacing) {
    Entity& e = MakeEntity(60, world::kind::Boar, 2, 1700, 300, 13);
    CBitmapSurface* left2 = MakeStrip(13, 40, 30, 0x00303030);
    CBitmapSurface* right1 = MakeStrip(13, 40, 30, 0x00404040);
    e.setSprite(left2, world::LeftContinuation, 2, 13);
    e.setSprite(right1, world::RightStrip, 2, 13);
    e.showOnly(20);
    e.state = world::state::Hit;
    e.direction = -10;
    e.draw(&display_, 1615.0f, backend_.Ticks());
    EXPECT_EQ(e.sourceRect.left, 7 * 40) << "frame 20 is frame 7 of the second strip";
    // Facing right without a right continuation falls back to slot 1 with the same offset.
    e.direction = 10;
    e.draw(&display_, 1615.0f, backend_.Ticks());
    EXPECT_EQ(e.sourceRect.left, 7 * 40);
}

}  // namespace
