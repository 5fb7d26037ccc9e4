// The game screen frame by frame: loading, the hold, the round start with its population, the
// round clock across a minimise, the stage check and the round end.
#include "flow/game_screen.h"
#include "gamestate/devices.h"
#include "gamestate/frame_timing.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/application.h"
#include "display/colour.h"
#include "flow/camera.h"
#include "flow/game_frame.h"
#include "flow/timed_spawn.h"
#include "presentation/loading_screen.h"
#include "support/in_directory.h"
#include "world/level_layout.h"
#include "world/world_fixture.h"

namespace {

using world::EntityTable;

class PlayingFrameTest : public world_testing::WorldTest {
  protected:
    void SetUp() override {
        WorldTest::SetUp();
        gamestate::Display = std::make_unique<CDisplayDevice>();
        ASSERT_EQ(gamestate::Display->OpenFullScreen(800, 600, 16), 0);
        gamestate::Game.GameScreen = gamestate::GamePlayScreen;
        gamestate::Game.StartScreenTime = 0;
        gamestate::Game.LevelLoaded = false;
        presentation::LoadingStepsShown = 0;
    }

    void Frame(uint32_t ms = 16) {
        backend_.AdvanceTime(ms);
        app::RunFrame();
    }
    // Frames until the round has started; returns the tick count of its start.
    uint32_t StartPlaying() {
        while (gamestate::Round.RoundEnd == 0) {
            Frame();
            if (backend_.Ticks() > 200000) ADD_FAILURE() << "the round never started";
        }
        return gamestate::Round.RoundEnd - gamestate::RoundLengthMs;
    }
    // Frames until the game leaves for the menu; returns the tick count of that frame.
    uint32_t PlayUntilTheEnd() {
        while (gamestate::Game.GameScreen == gamestate::GamePlayScreen) {
            Frame();
            if (backend_.Ticks() > 1000000) {
                ADD_FAILURE() << "the round never ended";
                break;
            }
        }
        return backend_.Ticks();
    }

    testing_support::InDirectory inside_{dir_.Path()};
};

TEST_F(PlayingFrameTest, LoadingThenAThreeSecondHoldThenTheRound) {
    const uint32_t start = backend_.Ticks() + 16;
    Frame();
    EXPECT_TRUE(gamestate::Game.LevelLoaded);
    EXPECT_EQ(gamestate::Game.StartScreenTime, start);
    EXPECT_EQ(presentation::LoadingStepsShown, 148) << "a first load shows every step";
    EXPECT_EQ(EntityTable[world::entity_index::Scarecrow].kind, world::kind::Scarecrow)
        << "the scenery is placed";
    const int presents = backend_.PresentCount();
    while (backend_.Ticks() + 16 - start < 3000) {
        Frame();
        EXPECT_EQ(gamestate::Round.RoundEnd, 0u);
    }
    EXPECT_EQ(backend_.PresentCount(), presents) << "nothing is drawn during the hold";
    Frame();
    EXPECT_EQ(gamestate::Game.StartScreenTime, gamestate::NotScheduled);
    EXPECT_EQ(gamestate::Round.RoundEnd, backend_.Ticks() + 90000);
    EXPECT_EQ(gamestate::Round.QuotaStage, 1);
    EXPECT_EQ(backend_.PresentCount(), presents + 1);
}

TEST_F(PlayingFrameTest, TheRoundStartsWithHalfOfEachQuotaInBothPlanes) {
    StartPlaying();
    for (int position = 0; position < gamestate::QuotaCount; ++position) {
        const int32_t kind = gamestate::QuotaKinds[position];
        const int expected = gamestate::Round.quotas[position] / 2;
        for (world::EntityGroup group : {world::MidGroup, world::FarGroup}) {
            int count = 0;
            for (int i = group.first; i <= group.last; ++i) {
                count += world::EntityAt(i).active && world::EntityAt(i).kind == kind;
            }
            EXPECT_EQ(count, expected) << "kind " << kind << " in group from " << group.first;
        }
    }
}

TEST_F(PlayingFrameTest, ARoundWithoutInputEndsAfterNinetySecondsInTheMenu) {
    const uint32_t start = StartPlaying();
    const uint32_t end = PlayUntilTheEnd();
    EXPECT_GT(end, start + 90000);
    EXPECT_LE(end, start + 90000 + 16);
    EXPECT_EQ(gamestate::Game.GameScreen, gamestate::MenuEntryScreen);
}

TEST_F(PlayingFrameTest, ARoundMinimisedForTwentySecondsEndsTwentySecondsLater) {
    const uint32_t start = StartPlaying();
    while (backend_.Ticks() < start + 30000) Frame();
    platform::Event minimise;
    minimise.type = platform::EventType::Size;
    minimise.sizeKind = platform::SizeKind::Minimized;
    app::WindowProc(minimise);
    ASSERT_TRUE(gamestate::Pause.MinimizedInGame);
    backend_.AdvanceTime(20000);  // no frames run while minimised
    platform::Event restore = minimise;
    restore.sizeKind = platform::SizeKind::Restored;
    app::WindowProc(restore);
    platform::Event move;
    move.type = platform::EventType::Move;
    app::WindowProc(move);

    Frame();
    EXPECT_FALSE(gamestate::Pause.MinimizedInGame);
    EXPECT_FALSE(gamestate::Pause.Pausing);
    EXPECT_EQ(gamestate::Pause.PausedTotal, 20016u);
    EXPECT_EQ(gamestate::Round.RoundClock, backend_.Ticks() - 20016);
    const uint32_t end = PlayUntilTheEnd();
    EXPECT_GT(end, start + 110016);
    EXPECT_LE(end, start + 110016 + 16);
}

// What a window's return costs the round: the round time left before and after the frames a
// test runs. Presents are paced to a 60 Hz display, as the steps of a reload are.
class ComingBackTest : public PlayingFrameTest {
  protected:
    void SetUp() override {
        PlayingFrameTest::SetUp();
        StartPlaying();
        for (int i = 0; i < 60; ++i) Frame();
        backend_.SetPresentMs(16);
        stepsBefore_ = presentation::LoadingStepsShown;
        leftBefore_ = TimeLeft();
    }
    static uint32_t TimeLeft() { return gamestate::Round.RoundEnd - gamestate::Round.RoundClock; }
    uint32_t RoundTimeGone() const { return leftBefore_ - TimeLeft(); }
    int stepsBefore_ = 0;
    uint32_t leftBefore_ = 0;
};

TEST_F(ComingBackTest, AWindowThatGetsTheFocusBackPlaysOnAtOnce) {
    // The backend reports the focus going elsewhere as a minimise, its return as a restore and a
    // move to (0, 0).
    platform::Event event;
    event.type = platform::EventType::Size;
    event.sizeKind = platform::SizeKind::Minimized;
    app::WindowProc(event);
    backend_.AdvanceTime(10000);
    event.sizeKind = platform::SizeKind::Restored;
    app::WindowProc(event);
    event.type = platform::EventType::Move;
    app::WindowProc(event);
    for (int i = 0; i < 3; ++i) Frame();
    EXPECT_EQ(presentation::LoadingStepsShown, stepsBefore_) << "no picture was lost";
    EXPECT_LE(RoundTimeGone(), 3 * 32u) << "no more than three frames take";
}

TEST_F(ComingBackTest, ADisplayThatLostItsPicturesReloadsThemOnPausedTime) {
    backend_.LoseSurfacesOnNextPresent();
    for (int i = 0; i < 3; ++i) Frame();
    // Every picture again: the first load's steps without the three of placing the scenery.
    EXPECT_EQ(presentation::LoadingStepsShown, stepsBefore_ + 145);
    EXPECT_LE(RoundTimeGone(), 3 * 32u) << "no more than three frames take";
}

TEST_F(PlayingFrameTest, AButtonHeldAcrossTheRoundsStartDoesNotFire) {
    // Pressed on the menu's start button and held through the loading and the hold.
    backend_.SetKey(platform::vk::LButton, true);
    StartPlaying();
    for (int i = 0; i < 10; ++i) Frame();
    ASSERT_NE(world::PlayerWeapon, nullptr);
    EXPECT_EQ(world::PlayerWeapon->roundsLeft, 5);
    backend_.SetKey(platform::vk::LButton, false);
    Frame();
    backend_.SetKey(platform::vk::LButton, true);
    Frame();
    EXPECT_EQ(world::PlayerWeapon->roundsLeft, 4) << "a press made in the round fires";
}

TEST_F(PlayingFrameTest, AFulfilledStageExtendsTheRoundAndMarksTheSigns) {
    StartPlaying();
    const uint32_t roundEnd = gamestate::Round.RoundEnd;
    for (int32_t& quota : gamestate::Round.quotas) quota = quota > 0 ? 0 : quota;
    Frame();
    EXPECT_EQ(gamestate::Round.QuotaStage, 2);
    EXPECT_EQ(gamestate::Round.RoundEnd, roundEnd + 90000);
    EXPECT_EQ(gamestate::Round.stageMessageEnd, gamestate::Round.RoundClock + 1500);
    const world::Entity& meadowSign = EntityTable[world::entity_index::MeadowSign];
    EXPECT_EQ(meadowSign.firstFrame, 1);
    EXPECT_EQ(meadowSign.lastFrame, 1);
    EXPECT_EQ(EntityTable[world::entity_index::ForestSign].firstFrame, 0);
    ASSERT_NE(world::PlayerWeapon, nullptr);
    EXPECT_EQ(world::PlayerWeapon->dynamiteAvailable, world::Locked);

    for (int32_t& quota : gamestate::Round.quotas) quota = quota > 0 ? 0 : quota;
    Frame();
    EXPECT_EQ(gamestate::Round.QuotaStage, 3);
    EXPECT_EQ(gamestate::Round.RoundEnd, roundEnd + 180000);
    EXPECT_EQ(EntityTable[world::entity_index::ForestSign].firstFrame, 1);
    EXPECT_EQ(EntityTable[world::entity_index::FieldSign].firstFrame, 1);
}

TEST_F(PlayingFrameTest, TheDynamiteArrivesWithItsBannerWhenTheThirdStagesMessageEnds) {
    // The dynamite's information panel, a plain colour that the back buffer keeps exactly.
    constexpr COLORREF PanelColour = 0x0000F800;
    StartPlaying();
    CBitmapSurface*& panel = gamestate::ScenePictures[gamestate::DynamiteInfoPicture];
    panel = MakeStrip(1, 392, 54, PanelColour);
    // The panel belongs to the fixture.
    struct Unset {
        CBitmapSurface*& slot;
        ~Unset() { slot = nullptr; }
    } unset{panel};
    auto bannerShown = [&] {
        return backend_.LastFrame()[110 * 800 + 300] == ColourRefToRgb565(PanelColour);
    };
    auto fulfilStage = [] {
        for (int32_t& quota : gamestate::Round.quotas) quota = quota > 0 ? 0 : quota;
    };
    // The second stage brings no dynamite, not even once its message has gone.
    fulfilStage();
    Frame();
    ASSERT_EQ(gamestate::Round.QuotaStage, 2);
    const uint32_t secondMessageEnd = gamestate::Round.stageMessageEnd;
    while (gamestate::Round.RoundClock < secondMessageEnd + 500) {
        Frame();
        ASSERT_EQ(world::PlayerWeapon->dynamiteAvailable, world::Locked);
        ASSERT_FALSE(bannerShown());
    }
    fulfilStage();
    Frame();
    ASSERT_EQ(gamestate::Round.QuotaStage, 3);
    const uint32_t messageEnd = gamestate::Round.stageMessageEnd;

    // While the stage is announced the dynamite waits: no banner, no fanfare.
    while (gamestate::Round.RoundClock + 16 < messageEnd) {
        Frame();
        EXPECT_EQ(world::PlayerWeapon->dynamiteAvailable, world::Locked);
        EXPECT_FALSE(bannerShown());
    }
    // The first frame after it: the fanfare plays (availability 1 becomes 2 on that frame) and
    // the banner shows, for its whole 1500 ms.
    Frame();
    ASSERT_GE(gamestate::Round.RoundClock, messageEnd);
    EXPECT_EQ(world::PlayerWeapon->dynamiteAvailable, world::Unlocked);
    const uint32_t arrived = backend_.Ticks();
    EXPECT_EQ(world::PlayerWeapon->unlockBannerUntil[world::Dynamite],
              static_cast<int32_t>(arrived + 1500));
    EXPECT_TRUE(bannerShown());
    while (backend_.Ticks() + 16 < arrived + 1500) {
        Frame();
        EXPECT_TRUE(bannerShown()) << backend_.Ticks() - arrived << " ms after it came";
    }
    Frame();
    EXPECT_FALSE(bannerShown());
}

TEST_F(PlayingFrameTest, AFailedPresentOfTheLoadingScreenLoadsOnceAndStartsTheRoundOnce) {
    backend_.LoseSurfacesOnNextPresent();
    Frame();
    EXPECT_FALSE(gamestate::Game.LevelLoaded) << "the loading screen was not shown";
    EXPECT_EQ(presentation::LoadingStepsShown, 0) << "no level to restore yet";
    Frame();
    EXPECT_TRUE(gamestate::Game.LevelLoaded) << "the next frame shows it again and loads";
    EXPECT_EQ(presentation::LoadingStepsShown, 148);

    // The round starts once, 3000 ms after that load began, on the loaded level.
    int starts = 0;
    uint32_t roundEnd = 0;
    for (int i = 0; i < 600; ++i) {
        Frame();
        if (gamestate::Round.RoundEnd != roundEnd) {
            roundEnd = gamestate::Round.RoundEnd;
            ++starts;
            EXPECT_TRUE(gamestate::Game.LevelLoaded);
        }
    }
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(presentation::LoadingStepsShown, 148) << "one load in all";
}

TEST_F(PlayingFrameTest, EscapeLeavesForTheMenuOnItsRelease) {
    StartPlaying();
    backend_.SetKey(platform::vk::Escape, true);
    Frame();
    EXPECT_EQ(gamestate::Game.GameScreen, gamestate::GamePlayScreen);
    backend_.SetKey(platform::vk::Escape, false);
    Frame();
    EXPECT_EQ(gamestate::Game.GameScreen, gamestate::MenuEntryScreen);
    EXPECT_FALSE(gamestate::Game.EscLatch);
}

TEST_F(PlayingFrameTest, TheCameraScrollsInWholePixelsWithinItsLimits) {
    StartPlaying();
    gamestate::AverageFrameTime = 16.0f;
    flow::ScrollCamera(0);
    EXPECT_EQ(gamestate::Game.CameraX, 1600.0f) << "stopped at the lower limit";
    gamestate::Game.CameraX = 1700.0f;
    flow::ScrollCamera(0);
    EXPECT_EQ(gamestate::Game.CameraX, 1684.0f) << "16 pixels a frame at the left edge";
    flow::ScrollCamera(300);
    EXPECT_EQ(gamestate::Game.CameraX, 1684.0f) << "200..600 does not scroll";
    flow::ScrollCamera(199);
    EXPECT_EQ(gamestate::Game.CameraX, 1683.0f) << "a fraction to the left still moves a pixel";
    flow::ScrollCamera(601);
    EXPECT_EQ(gamestate::Game.CameraX, 1683.0f) << "a fraction to the right is lost";
    for (int i = 0; i < 100; ++i) flow::ScrollCamera(799);
    EXPECT_EQ(gamestate::Game.CameraX, 2300.0f);
    EXPECT_EQ(gamestate::Game.FarScroll, 2070.0f);
    EXPECT_EQ(gamestate::Game.MidScroll, 2185.0f);
}

TEST_F(PlayingFrameTest, TimedSpawnsComeEvery600MsButNotAfterAMinimise) {
    gamestate::Game.SpawnTimer = 0;
    flow::TimedSpawn();
    EXPECT_EQ(gamestate::Game.SpawnTimer, backend_.Ticks())
        << "the first call only starts the timer";
    const uint32_t started = gamestate::Game.SpawnTimer;
    backend_.AdvanceTime(1900);
    flow::TimedSpawn();
    flow::TimedSpawn();
    flow::TimedSpawn();
    flow::TimedSpawn();
    EXPECT_EQ(gamestate::Game.SpawnTimer, started + 1800) << "one spawn per call while behind";
    gamestate::Pause.MinimizedInGame = true;
    backend_.AdvanceTime(60000);
    flow::TimedSpawn();
    EXPECT_EQ(gamestate::Game.SpawnTimer, backend_.Ticks()) << "a minimised game does not catch up";
}

TEST_F(PlayingFrameTest, TheRavenComesBackToTheScarecrowAliveNowAndThen) {
    world::Entity& raven = EntityTable[world::entity_index::PerchedRaven];
    raven.kind = world::kind::Raven;
    raven.plane = 1;
    raven.state = world::state::Hit;  // shot and crumbled on its last visit
    raven.playFrames(0, 7);
    raven.frame = 7.0f;
    raven.oneShot = 1;
    raven.sinkOffset = 300.0f;
    gamestate::Game.CameraX = 1600.0f;
    gamestate::Game.SpawnTimer = 1;
    int ticks = 0;
    while (!raven.active && ticks < 5000) {
        backend_.AdvanceTime(600);
        flow::TimedSpawn();
        ++ticks;
    }
    ASSERT_EQ(raven.active, 1) << "one tick in fifty brings it";
    EXPECT_EQ(raven.x, world::RavenPerch.x);
    EXPECT_EQ(raven.y, world::RavenPerch.y);
    EXPECT_EQ(raven.state, 0);
    EXPECT_EQ(raven.oneShot, 0);
    EXPECT_EQ(raven.sinkOffset, 0.0f);
    EXPECT_EQ(raven.frame, 0.0f);
    raven.update(1600, backend_.Ticks() + 100);
    EXPECT_EQ(raven.active, 1);

    // Near the world's seam it stays away.
    raven.active = 0;
    gamestate::Game.CameraX = 4100.0f;
    for (int i = 0; i < 500; ++i) {
        backend_.AdvanceTime(600);
        flow::TimedSpawn();
    }
    EXPECT_EQ(raven.active, 0);
}

}  // namespace
