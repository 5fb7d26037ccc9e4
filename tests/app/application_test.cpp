#include "app/application.h"

#include <gtest/gtest.h>

#include "display/display_device.h"
#include "flow/round_lifecycle.h"
#include "gamestate/devices.h"
#include "gamestate/frame_timing.h"
#include "gamestate/game_state.h"
#include "gamestate/pause.h"
#include "gamestate/round_state.h"
#include "presentation/screen_surfaces.h"
#include "support/bmp_fixture.h"
#include "support/game_harness.h"
#include "world/weapon.h"

namespace {

using testing_support::GameHarness;

platform::Event SizeEvent(platform::SizeKind kind) {
    platform::Event event;
    event.type = platform::EventType::Size;
    event.sizeKind = kind;
    return event;
}

platform::Event MoveEvent(int x, int y) {
    platform::Event event;
    event.type = platform::EventType::Move;
    event.x = x;
    event.y = y;
    return event;
}

TEST(FrameTiming, AverageStartsLowAndFollowsTheLast25Frames) {
    GameHarness harness;
    harness.Backend().SetTime(5000);
    gamestate::UpdateFrameTiming();
    EXPECT_EQ(gamestate::FrameRing()[0], 0) << "the first sample is 0 ms";
    EXPECT_FLOAT_EQ(gamestate::AverageFrameTime, 0.0f);
    for (int i = 0; i < 5; ++i) {
        harness.Backend().AdvanceTime(20);
        gamestate::UpdateFrameTiming();
    }
    EXPECT_FLOAT_EQ(gamestate::AverageFrameTime, 100.0f / 25.0f) << "unwritten slots count as 0";
    for (int i = 0; i < 25; ++i) {
        harness.Backend().AdvanceTime(10);
        gamestate::UpdateFrameTiming();
    }
    EXPECT_FLOAT_EQ(gamestate::AverageFrameTime, 10.0f) << "only the last 25 frames count";
    harness.Backend().AdvanceTime(260);
    gamestate::UpdateFrameTiming();
    EXPECT_FLOAT_EQ(gamestate::AverageFrameTime, (24 * 10 + 260) / 25.0f)
        << "one slow frame is smoothed";
}

TEST(WindowProcedure, MinimiseStartsAPauseOnlyDuringAGame) {
    GameHarness harness;
    harness.Backend().SetTime(7000);
    gamestate::Game.GameScreen = gamestate::MenuScreen;
    app::WindowProc(SizeEvent(platform::SizeKind::Minimized));
    EXPECT_EQ(app::Shell.AppActive, 0);
    EXPECT_FALSE(gamestate::Pause.MinimizedInGame);
    EXPECT_FALSE(gamestate::Pause.Pausing);
    app::WindowProc(MoveEvent(0, 0));
    EXPECT_FALSE(app::Shell.RestorePending) << "no restore after a minimise on the menu";

    app::WindowProc(SizeEvent(platform::SizeKind::Restored));
    EXPECT_EQ(app::Shell.AppActive, 1);
    gamestate::Game.GameScreen = gamestate::GamePlayScreen;
    app::WindowProc(SizeEvent(platform::SizeKind::Minimized));
    EXPECT_EQ(app::Shell.AppActive, 0);
    EXPECT_TRUE(gamestate::Pause.MinimizedInGame);
    EXPECT_TRUE(gamestate::Pause.Pausing);
    EXPECT_EQ(gamestate::Pause.PauseStart, 7000u);
    app::WindowProc(MoveEvent(5, 0));
    EXPECT_FALSE(app::Shell.RestorePending) << "only the move back to (0, 0) restores";
    app::WindowProc(MoveEvent(0, 0));
    EXPECT_TRUE(app::Shell.RestorePending);

    app::WindowProc(SizeEvent(platform::SizeKind::MaxHide));
    EXPECT_EQ(app::Shell.AppActive, 0);
    app::WindowProc(SizeEvent(platform::SizeKind::Maximized));
    EXPECT_EQ(app::Shell.AppActive, 1);
}

TEST(WindowProcedure, LosingFocusAndThenMinimisingKeepsThePauseThatRuns) {
    GameHarness harness;
    gamestate::Game.GameScreen = gamestate::GamePlayScreen;
    harness.Backend().SetTime(10000);
    app::WindowProc(SizeEvent(platform::SizeKind::Minimized));  // the focus went elsewhere
    harness.Backend().SetTime(40000);
    app::WindowProc(SizeEvent(platform::SizeKind::Minimized));  // then the window was minimised
    EXPECT_TRUE(gamestate::Pause.Pausing);
    EXPECT_EQ(gamestate::Pause.PauseStart, 10000u) << "the pause began when the game was left";

    // Back at 70000: the first frame presented ends the pause; all 60 s away are paused time.
    harness.Backend().SetTime(70000);
    app::WindowProc(SizeEvent(platform::SizeKind::Restored));
    app::WindowProc(MoveEvent(0, 0));
    flow::AccountPause();
    flow::EndPause();
    EXPECT_FALSE(gamestate::Pause.Pausing);
    EXPECT_EQ(gamestate::Pause.PausedTotal, 60000u);
    EXPECT_EQ(gamestate::Round.RoundClock, 10000u) << "the round clock stood still while away";
}

TEST(Startup, NoWindowEndsQuietlyWithItsOwnExitCode) {
    GameHarness harness;
    harness.Backend().SetWindowAvailable(false);
    EXPECT_EQ(harness.Run(10), app::ExitNoWindow);
    EXPECT_NE(app::ExitNoWindow, 0) << "a game that never ran did not end normally";
    EXPECT_TRUE(harness.Backend().MessageBoxes().empty());
    EXPECT_EQ(harness.Backend().PresentCount(), 0);
}

TEST(Startup, NoSoundOutputShowsItsMessageAndEnds) {
    GameHarness harness;
    harness.Backend().SetAudioAvailable(false);
    EXPECT_EQ(harness.Run(10), app::ExitNoSound);
    EXPECT_NE(app::ExitNoSound, 0);
    EXPECT_NE(app::ExitNoSound, app::ExitNoWindow) << "each cause has its own code";
    // The sound layer's own trace of the failing call comes first.
    ASSERT_FALSE(harness.Backend().MessageBoxes().empty());
    EXPECT_EQ(harness.Backend().MessageBoxes().back(),
              "Tannenquirl Rauze: Error initializing DirectSound.");
    EXPECT_EQ(harness.Backend().PresentCount(), 0);
}

TEST(StartScreen, LastsStrictlyMoreThan4000MsAndIgnoresClicks) {
    GameHarness harness;
    harness.stepMs = 1000;
    std::vector<int> screens;
    harness.Run(
        7,
        [](platform::HeadlessBackend& backend, int frame) {
            backend.SetKey(platform::vk::LButton, frame % 2 == 0);
        },
        [&](platform::HeadlessBackend&, int) { screens.push_back(gamestate::Game.GameScreen); });
    // Frame 0 notes the time; frames 1..4 are at most 4000 ms later; frame 5 is 5000 ms later.
    ASSERT_GE(screens.size(), 6u);
    for (size_t frame = 0; frame <= 3; ++frame)
        EXPECT_EQ(screens[frame], gamestate::StartScreen) << frame;
    EXPECT_EQ(screens[4], gamestate::StartScreen) << "exactly 4000 ms is not more than 4000 ms";
    EXPECT_NE(screens[5], gamestate::StartScreen);
}

TEST(StartScreen, ShowsTheStartPicture) {
    testing_support::TempDir dir;
    testing_support::WriteSolidBmp(dir.Path() / "grafik/screens/startscreen.bmp", 800, 600,
                                   0x00FF0000);
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    GameHarness harness;
    harness.Run(2);
    std::filesystem::current_path(previous);
    ASSERT_FALSE(harness.Backend().LastFrame().empty());
    EXPECT_EQ(harness.Backend().LastFrame()[0], 0x001F) << "blue";
    EXPECT_EQ(harness.Backend().LastFrame()[799 + 599 * 800], 0x001F);
}

TEST(RunFrame, ALostSurfaceRebuildsThePicturesAndClearsAPendingRestore) {
    testing_support::TempDir dir;
    testing_support::WriteSolidBmp(dir.Path() / "grafik/screens/loadingscreen.bmp", 800, 600, 0);
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    GameHarness harness;
    bool reloaded = false;
    harness.Run(
        4,
        [&](platform::HeadlessBackend& backend, int frame) {
            if (frame == 2) {
                delete presentation::LoadingScreenSurface;
                presentation::LoadingScreenSurface = nullptr;
                app::Shell.RestorePending = true;
                backend.LoseSurfacesOnNextPresent();
            }
        },
        [&](platform::HeadlessBackend&, int frame) {
            if (frame == 2) {
                reloaded = presentation::LoadingScreenSurface != nullptr;
                EXPECT_FALSE(app::Shell.RestorePending);
            }
        });
    std::filesystem::current_path(previous);
    EXPECT_TRUE(reloaded);
}

TEST(RunFrame, ALostSurfaceLetsTheWeaponFireAtOnceAndKeepsItsState) {
    testing_support::TempDir dir;
    testing_support::WriteSolidBmp(dir.Path() / "grafik/waffen/armbrust.bmp", 40, 30, 0x00336699);
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    GameHarness harness;
    bool checked = false;
    harness.Run(
        4,
        [&](platform::HeadlessBackend& backend, int frame) {
            if (frame == 2) {
                world::PrepareWeapon(gamestate::Display.get(), true);
                world::PlayerWeapon->selected = world::Crossbow;
                world::PlayerWeapon->crossbowAvailable = world::Unlocked;
                world::PlayerWeapon->roundsLeft = 2;
                world::PlayerWeapon->readyAtMs = 0xFFFFFF00u;
                delete world::PlayerWeapon->crossbowBitmap;
                world::PlayerWeapon->crossbowBitmap = nullptr;
                backend.LoseSurfacesOnNextPresent();
            }
        },
        [&](platform::HeadlessBackend&, int frame) {
            if (frame != 2) return;
            checked = true;
            const world::Weapon& weapon = *world::PlayerWeapon;
            EXPECT_EQ(weapon.readyAtMs, 0u);
            EXPECT_EQ(weapon.selected, world::Crossbow) << "no reset: the game goes on as it was";
            EXPECT_EQ(weapon.crossbowAvailable, world::Unlocked);
            EXPECT_EQ(weapon.roundsLeft, 2);
            EXPECT_NE(weapon.crossbowBitmap, nullptr) << "its picture is loaded again";
        });
    std::filesystem::current_path(previous);
    EXPECT_TRUE(checked);
}

TEST(MessageLoop, CloseEndsTheProgramAndReleasesTheDisplay) {
    GameHarness harness;
    EXPECT_EQ(harness.Run(5), 0);
    EXPECT_EQ(gamestate::Display, nullptr);
    EXPECT_EQ(harness.FramesRun(), 5);
    EXPECT_FALSE(harness.Backend().WindowOpen());
}

TEST(MessageLoop, NoFramesRunWhileMinimised) {
    GameHarness harness;
    int presentsAtMinimise = -1;
    int presentsAtRestore = -1;
    harness.Run(40, [&](platform::HeadlessBackend& backend, int frame) {
        if (frame == 10) {
            backend.QueueEvent(SizeEvent(platform::SizeKind::Minimized));
            presentsAtMinimise = backend.PresentCount();
        }
        if (frame == 30) {
            presentsAtRestore = backend.PresentCount();
            backend.QueueEvent(SizeEvent(platform::SizeKind::Restored));
            backend.QueueEvent(MoveEvent(0, 0));
        }
    });
    EXPECT_EQ(presentsAtRestore, presentsAtMinimise) << "no frames while minimised";
    EXPECT_EQ(harness.Backend().PresentCount(), presentsAtRestore + 10) << "frames 30..39";
}

}  // namespace
