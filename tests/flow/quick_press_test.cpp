// Input as players give it: quick clicks and taps that go down and up between two frames, a button
// still held when the menu appears, Alt+X on every screen. The whole game runs on the headless
// backend in a folder without pictures or sounds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <utility>
#include <vector>

#include "gamestate/game_state.h"
#include "gamestate/round_state.h"
#include "persistence/high_scores.h"
#include "presentation/main_menu.h"
#include "support/game_harness.h"
#include "support/in_directory.h"
#include "support/temp_dir.h"
#include "world/weapon.h"

namespace {

using platform::HeadlessBackend;
using testing_support::GameStartButton;
using testing_support::InMenu;
using testing_support::Playing;
using testing_support::SoundButton;
using testing_support::TypingAName;
namespace vk = platform::vk;

class QuickPressTest : public ::testing::Test {
  protected:
    void SetUp() override { harness_.stepMs = 50; }

    // Runs the game for at most `frames` frames, `step` before each; returns the exit code.
    int Run(int frames, const std::function<void(HeadlessBackend&, int)>& step) {
        return harness_.Run(frames, step);
    }
    // Before each frame: from the menu, a quick click starts a game; once the round plays,
    // `inRound` takes over.
    std::function<void(HeadlessBackend&, int)> IntoARound(
        std::function<void(HeadlessBackend&, int)> inRound) {
        return [inRound](HeadlessBackend& backend, int frame) {
            if (InMenu() && presentation::Menu->slide == 0.0f) {
                backend.SetCursor(GameStartButton.x, GameStartButton.y);
                if (frame % 4 == 0) backend.Click(vk::LButton);
            } else if (Playing()) {
                inRound(backend, frame);
            }
        };
    }
    // Plays into a round that ends with a place in the table, types "Ida" and leaves the name
    // entry by `leave`, called on each frame of the entry from its sixth on; then the file must
    // hold the name, whether the game closed or went on.
    void ExpectTheNameSavedWhenLeft(const std::function<void(HeadlessBackend&, int)>& leave);
    std::string Ini() const {
        std::ifstream file(dir_ / "tannenquirl.ini");
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    testing_support::TempDir dir_;
    testing_support::InDirectory inside_{dir_.Path()};
    testing_support::GameHarness harness_;
};

TEST_F(QuickPressTest, QuickClicksPressMenuButtonsFireAndReload) {
    bool soundClicked = false;
    int roundFrames = 0;
    int roundsAfterShot = -1, roundsAfterReload = -1;
    Run(200, [&](HeadlessBackend& backend, int frame) {
        if (InMenu() && !soundClicked) {
            backend.SetCursor(SoundButton.x, SoundButton.y);
            backend.Click(vk::LButton);
            soundClicked = true;
            return;
        }
        IntoARound([&](HeadlessBackend& b, int) {
            ++roundFrames;
            const world::Weapon& weapon = *world::PlayerWeapon;
            if (roundFrames == 20) b.Click(vk::LButton);
            if (roundFrames == 21) roundsAfterShot = weapon.roundsLeft;
            if (roundFrames == 30) b.Click(vk::RButton);
            if (roundFrames == 31) roundsAfterReload = weapon.roundsLeft;
        })(backend, frame);
    });
    EXPECT_NE(Ini().find("sound=0"), std::string::npos) << "the sound button took the click";
    ASSERT_GT(roundFrames, 31) << "a quick click on the game start button starts a game";
    EXPECT_EQ(roundsAfterShot, 4) << "a quick click fires";
    EXPECT_EQ(roundsAfterReload, 5) << "a quick right click reloads";
}

TEST_F(QuickPressTest, AQuickTapOfAWeaponKeySelectsTheWeapon) {
    int roundFrames = 0;
    int32_t selected = 0;
    Run(200, IntoARound([&](HeadlessBackend& backend, int) {
            ++roundFrames;
            if (roundFrames == 10) world::PlayerWeapon->crossbowAvailable = world::Unlocked;
            if (roundFrames == 20) backend.Click('2');
            if (roundFrames == 21) selected = world::PlayerWeapon->selected;
        }));
    EXPECT_EQ(selected, world::Crossbow);
}

TEST_F(QuickPressTest, AQuickTapOfEscapeLeavesTheRound) {
    int roundFrames = 0;
    int tappedAt = -1, leftAt = -1;
    Run(200, [&](HeadlessBackend& backend, int frame) {
        if (tappedAt >= 0) {
            if (leftAt < 0 && !Playing()) leftAt = frame;
            return;
        }
        IntoARound([&](HeadlessBackend& b, int f) {
            if (++roundFrames < 20) return;
            b.Click(vk::Escape);
            tappedAt = f;
        })(backend, frame);
    });
    ASSERT_GE(tappedAt, 0);
    ASSERT_GE(leftAt, 0) << "still in the round";
    EXPECT_EQ(leftAt - tappedAt, 2) << "seen down on its frame, released on the next";
}

TEST_F(QuickPressTest, AQuickTapOfReturnEndsTheName) {
    int roundFrames = 0;
    int typingFrames = 0;
    bool typedAName = false;
    bool ended = false;
    Run(300, [&](HeadlessBackend& backend, int frame) {
        if (TypingAName()) {
            typedAName = true;
            ++typingFrames;
            if (typingFrames == 3) backend.QueueText("Ida");
            if (typingFrames == 6) backend.Click(vk::Return);
            return;
        }
        if (typedAName) {
            ended = true;
            return;
        }
        IntoARound([&](HeadlessBackend&, int) {
            if (++roundFrames == 10) {
                gamestate::Round.score = 1234;
                gamestate::Round.RoundEnd = gamestate::Round.RoundClock;
            }
        })(backend, frame);
    });
    ASSERT_TRUE(typedAName) << "the round's end opens the name entry";
    EXPECT_TRUE(ended) << "a quick Return ends it";
    EXPECT_EQ(presentation::Menu->highScores.editIndex, -1);
    EXPECT_STREQ(presentation::Menu->highScores.names[0], "Ida");
}

void QuickPressTest::ExpectTheNameSavedWhenLeft(
    const std::function<void(HeadlessBackend&, int)>& leave) {
    auto storedName = [] {
        persistence::HighScoreTable stored;
        persistence::LoadHighScores(stored, "score.dat");
        return std::string(stored.names[0]);
    };
    int roundFrames = 0;
    int typingFrames = 0;
    std::optional<std::string> stored;
    Run(600, [&](HeadlessBackend& backend, int frame) {
        if (TypingAName()) {
            ++typingFrames;
            if (typingFrames == 3) backend.QueueText("Ida");
            if (typingFrames >= 6) leave(backend, typingFrames);
            return;
        }
        if (typingFrames > 0) {
            // Left, and the game goes on: the file already holds the name.
            if (!stored) {
                stored = storedName();
                backend.PostClose();
            }
            return;
        }
        IntoARound([&](HeadlessBackend&, int) {
            if (++roundFrames == 10) {
                gamestate::Round.score = 1234;
                gamestate::Round.RoundEnd = gamestate::Round.RoundClock;
            }
        })(backend, frame);
    });
    ASSERT_GE(typingFrames, 6) << "the round's end opens the name entry";
    if (!stored) stored = storedName();
    EXPECT_EQ(*stored, "Ida");
}

TEST_F(QuickPressTest, ATypedNameIsSavedWhenEscapeClosesTheGame) {
    ExpectTheNameSavedWhenLeft([](HeadlessBackend& backend, int typingFrame) {
        backend.SetKey(vk::Escape, typingFrame == 6);
    });
}

TEST_F(QuickPressTest, ATypedNameIsSavedWhenAltXClosesTheGame) {
    ExpectTheNameSavedWhenLeft([](HeadlessBackend& backend, int typingFrame) {
        backend.SetKey(vk::Menu, true);
        backend.SetKey('X', typingFrame == 6);
    });
}

TEST_F(QuickPressTest, ATypedNameIsSavedWhenTheWindowIsClosed) {
    ExpectTheNameSavedWhenLeft([](HeadlessBackend& backend, int typingFrame) {
        if (typingFrame == 6) backend.PostClose();
    });
}

TEST_F(QuickPressTest, ATypedNameIsSavedWhenAClickBesideTheBackButtonEndsTheEntry) {
    // Once the back button takes clicks again, 1.5 s after the round's end.
    ExpectTheNameSavedWhenLeft([](HeadlessBackend& backend, int typingFrame) {
        backend.SetCursor(600, 300);
        if (typingFrame == 40) backend.Click(vk::LButton);
    });
}

TEST_F(QuickPressTest, AClickDuringALoadThatOutlastsTheHoldDoesNotFire) {
    // A 30 Hz display (a remote desktop): the loading screen's steps alone take over 3 s.
    harness_.Backend().SetPresentMs(33);
    int loadingFrame = -1;
    int roundFrames = 0;
    int32_t roundsLeft = -1;
    Run(300, [&](HeadlessBackend& backend, int frame) {
        if (loadingFrame < 0 && gamestate::Game.GameScreen == gamestate::GamePlayScreen &&
            !gamestate::Game.LevelLoaded) {
            loadingFrame = frame;
        }
        if (loadingFrame >= 0 && frame == loadingFrame + 1) {
            ASSERT_GE(backend.Ticks() - gamestate::Game.StartScreenTime, 3000u) << "a long load";
            backend.Click(vk::LButton);  // made while the level loaded
        }
        IntoARound([&](HeadlessBackend&, int) {
            if (++roundFrames == 10) roundsLeft = world::PlayerWeapon->roundsLeft;
        })(backend, frame);
    });
    ASSERT_GE(loadingFrame, 0);
    EXPECT_EQ(roundsLeft, 5) << "no shot";
}

TEST_F(QuickPressTest, AButtonHeldAsTheMenuAppearsDoesNotClickIt) {
    int menuFrames = 0;
    int32_t screenWhileHeld = -2;
    Run(150, [&](HeadlessBackend& backend, int) {
        backend.SetCursor(GameStartButton.x, GameStartButton.y);
        if (!InMenu()) {
            backend.SetKey(vk::LButton, gamestate::Game.GameScreen <= gamestate::MenuEntryScreen);
            return;
        }
        ++menuFrames;
        if (menuFrames == 10) screenWhileHeld = gamestate::Game.GameScreen;
        if (menuFrames == 10) backend.SetKey(vk::LButton, false);
        if (menuFrames == 12) backend.SetKey(vk::LButton, true);
    });
    EXPECT_EQ(screenWhileHeld, gamestate::MenuScreen) << "held since the start screen";
    EXPECT_EQ(gamestate::Game.GameScreen, gamestate::GamePlayScreen) << "pressed again in the menu";
}

// Alt held, then the X key tapped, on `screen`; the game must end at once with exit code 0.
void ExpectAltXCloses(testing_support::GameHarness& harness, const std::function<bool()>& onScreen,
                      const std::function<void(HeadlessBackend&, int)>& getThere,
                      const char* screen) {
    int pressedAt = -1;
    const int code = harness.Run(400, [&](HeadlessBackend& backend, int frame) {
        if (pressedAt >= 0) return;
        if (onScreen()) {
            backend.SetKey(vk::Menu, true);
            backend.Click('X');
            pressedAt = frame;
            return;
        }
        if (getThere) getThere(backend, frame);
    });
    ASSERT_GE(pressedAt, 0) << screen << " never reached";
    EXPECT_EQ(code, 0) << screen;
    EXPECT_LE(harness.FramesRun(), pressedAt + 1) << screen << ": no frame after Alt+X";
}

TEST_F(QuickPressTest, AltXClosesTheGameFromTheStartScreen) {
    ExpectAltXCloses(
        harness_, [] { return gamestate::Game.GameScreen == gamestate::StartScreen; }, {},
        "start screen");
}

TEST_F(QuickPressTest, AltXClosesTheGameFromTheMenu) {
    ExpectAltXCloses(harness_, InMenu, {}, "menu");
}

TEST_F(QuickPressTest, AltXClosesTheGameWhileALevelLoads) {
    ExpectAltXCloses(
        harness_,
        [] { return gamestate::Game.GameScreen == gamestate::GamePlayScreen && !Playing(); },
        IntoARound([](HeadlessBackend&, int) {}), "the hold before a round");
}

TEST_F(QuickPressTest, AltXClosesTheGameDuringARound) {
    ExpectAltXCloses(harness_, Playing, IntoARound([](HeadlessBackend&, int) {}), "round");
}

TEST_F(QuickPressTest, AltXClosesTheGameWhileANameIsTyped) {
    int roundFrames = 0;
    ExpectAltXCloses(harness_, TypingAName, IntoARound([&](HeadlessBackend&, int) {
                         if (++roundFrames == 5) {
                             gamestate::Round.score = 99;
                             gamestate::Round.RoundEnd = gamestate::Round.RoundClock;
                         }
                     }),
                     "name entry");
}

TEST_F(QuickPressTest, TheGameWantsTypedTextOnlyWhileANameIsTyped) {
    // Each change of the wish, with the screen it was made on.
    std::vector<std::pair<bool, bool>> changes;  // wanted, typing a name
    int roundFrames = 0;
    int typingFrames = 0;
    Run(300, [&](HeadlessBackend& backend, int frame) {
        const bool wanted = backend.TextInputWanted();
        if (changes.empty() || changes.back().first != wanted)
            changes.emplace_back(wanted, TypingAName());
        if (TypingAName() && ++typingFrames == 5) backend.Click(vk::Return);
        if (typingFrames > 0) return;
        IntoARound([&](HeadlessBackend&, int) {
            if (++roundFrames == 8) {
                gamestate::Round.score = 50;
                gamestate::Round.RoundEnd = gamestate::Round.RoundClock;
            }
        })(backend, frame);
    });
    ASSERT_GE(typingFrames, 5);
    EXPECT_EQ(changes,
              (std::vector<std::pair<bool, bool>>{{false, false}, {true, true}, {false, false}}))
        << "not on the start screen, the menu or in the round; from the name entry to its end";
}

TEST(HeadlessCursor, AWarpStaysOnTheScreen) {
    platform::HeadlessBackend backend;
    backend.WarpCursor(900, 700);
    EXPECT_EQ(backend.CursorPos().x, 799);
    EXPECT_EQ(backend.CursorPos().y, 599);
    backend.WarpCursor(-5, -1);
    EXPECT_EQ(backend.CursorPos().x, 0);
    EXPECT_EQ(backend.CursorPos().y, 0);
    backend.WarpCursor(800, 600);
    EXPECT_EQ(backend.CursorPos().x, 799);
    EXPECT_EQ(backend.CursorPos().y, 599);
    backend.WarpCursor(123, 456);
    EXPECT_EQ(backend.CursorPos().x, 123);
    EXPECT_EQ(backend.CursorPos().y, 456);
}

}  // namespace
