// The game keeps running whatever its files are like: missing or broken pictures and sounds,
// score and option files it cannot write, a minimise on any screen, and a save cut short.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "gamestate/game_state.h"
#include "gamestate/round_state.h"
#include "persistence/high_scores.h"
#include "presentation/main_menu.h"
#include "support/bmp_fixture.h"
#include "support/game_harness.h"
#include "support/in_directory.h"

namespace {

namespace fs = std::filesystem;
using platform::HeadlessBackend;
using platform::vk::LButton;
using testing_support::GameHarness;
using testing_support::InDirectory;

// What a player does in one visit: wait out the start screen, start a game, click and scroll a
// while in the round, let the round run out, type a name and press Return. The step is 50 ms.
struct Visit {
    std::vector<int> screens;  // GameScreen after every frame

    void Before(HeadlessBackend& backend, int frame) {
        backend.SetKey(LButton, false);
        backend.SetKey(platform::vk::Return, false);
        if (frame == 100) {  // the menu: "Spiel starten"
            backend.SetCursor(600, 222);
            backend.SetKey(LButton, true);
        }
        if (frame > 200 && frame < 1800 && frame % 7 == 0) {  // shooting around, scrolling
            backend.SetCursor((frame * 37) % 800, 150 + (frame * 13) % 400);
            backend.SetKey(LButton, true);
        }
        if (frame > 200 && frame < 1800 && frame % 50 == 0)
            backend.SetKey(platform::vk::RButton, frame % 100 == 0);
        if (frame == 2200) backend.QueueText("Jörg");
        if (frame == 2210) backend.SetKey(platform::vk::Return, true);
    }
    void After(HeadlessBackend&, int) { screens.push_back(gamestate::Game.GameScreen); }

    int Run(GameHarness& harness, int frames = 2300) {
        harness.stepMs = 50;
        return harness.Run(
            frames, [this](HeadlessBackend& b, int f) { Before(b, f); },
            [this](HeadlessBackend& b, int f) { After(b, f); });
    }
    bool Visited(int screen) const {
        return std::find(screens.begin(), screens.end(), screen) != screens.end();
    }
};

// Expects a visit that went from the start screen through a whole round back to the menu.
void ExpectWholeVisit(const Visit& visit, const GameHarness& harness, int code) {
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(visit.Visited(gamestate::MenuScreen));
    EXPECT_TRUE(visit.Visited(gamestate::GamePlayScreen));
    ASSERT_FALSE(visit.screens.empty());
    EXPECT_EQ(visit.screens.back(), gamestate::MenuScreen) << "the round ran out into the menu";
    EXPECT_GT(harness.FramesRun(), 2000);
}

TEST(Faults, AGameWithoutAnyPicturesOrSoundsStillRuns) {
    testing_support::TempDir dir;
    InDirectory here(dir.Path());
    GameHarness harness;
    Visit visit;
    int code = visit.Run(harness);
    ExpectWholeVisit(visit, harness, code);
}

TEST(Faults, MissingSoundsOrMissingPicturesAloneAreNoProblem) {
    for (const char* missing : {"sounds", "grafik"}) {
        testing_support::TempDir dir;
        for (const char* folder : {"grafik", "sounds"}) {
            if (std::string(folder) != missing)
                fs::create_directory_symlink(fs::path(TQ_DATA_DIR) / folder, dir.Path() / folder);
        }
        InDirectory here(dir.Path());
        GameHarness harness;
        Visit visit;
        int code = visit.Run(harness);
        SCOPED_TRACE(missing);
        ExpectWholeVisit(visit, harness, code);
    }
}

TEST(Faults, BrokenPicturesAndSoundsAreRefusedAndThePlayGoesOn) {
    ASSERT_TRUE(fs::exists(fs::path(TQ_DATA_DIR) / "grafik")) << "the asset pack is needed";
    testing_support::TempDir dir;
    // Every file cut short, and every fifth one replaced by noise.
    std::mt19937 random(99);
    int index = 0;
    for (const auto& entry : fs::recursive_directory_iterator(TQ_DATA_DIR)) {
        if (!entry.is_regular_file()) continue;
        fs::path relative = fs::relative(entry.path(), TQ_DATA_DIR);
        if (relative.string().rfind("grafik", 0) != 0 && relative.string().rfind("sounds", 0) != 0)
            continue;
        std::vector<char> bytes(std::min<uintmax_t>(entry.file_size() / 3 + 1, 200000));
        std::ifstream(entry.path(), std::ios::binary)
            .read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (++index % 5 == 0) {
            for (size_t i = 8; i < bytes.size(); ++i) bytes[i] = static_cast<char>(random());
        }
        fs::create_directories((dir.Path() / relative).parent_path());
        std::ofstream(dir.Path() / relative, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    InDirectory here(dir.Path());
    GameHarness harness;
    Visit visit;
    int code = visit.Run(harness);
    ExpectWholeVisit(visit, harness, code);
}

TEST(Faults, UnwritableScoreAndOptionFilesKeepEverythingInMemory) {
    testing_support::TempDir dir;
    // Directories where the files should be: no write can ever replace them.
    fs::create_directory(dir.Path() / "score.dat");
    fs::create_directory(dir.Path() / "tannenquirl.ini");
    InDirectory here(dir.Path());
    GameHarness harness;
    Visit visit;
    int musicBefore = -1, musicAfter = -1;
    harness.stepMs = 50;
    int code = harness.Run(
        2300,
        [&](HeadlessBackend& backend, int frame) {
            visit.Before(backend, frame);
            if (frame == 1500) gamestate::Round.score = 4321;  // the round went well
            if (frame == 90) musicBefore = presentation::Menu->MusicOn;
            if (frame == 95) {  // the music button
                backend.SetCursor(600, 420);
                backend.SetKey(LButton, true);
            }
            if (frame == 96) musicAfter = presentation::Menu->MusicOn;
        },
        [&](HeadlessBackend& backend, int frame) { visit.After(backend, frame); });
    EXPECT_EQ(code, 0);
    EXPECT_NE(musicBefore, musicAfter) << "the music switch works without its file";
    ASSERT_NE(presentation::Menu, nullptr);
    EXPECT_EQ(presentation::Menu->highScores.scores[0], 4321);
    EXPECT_STREQ(presentation::Menu->highScores.names[0], "J\xF6rg");
    EXPECT_TRUE(fs::is_directory(dir.Path() / "score.dat"));
}

TEST(Faults, AMinimiseOnEveryScreenIsSurvived) {
    testing_support::TempDir dir;
    for (const char* folder : {"grafik", "sounds"})
        fs::create_directory_symlink(fs::path(TQ_DATA_DIR) / folder, dir.Path() / folder);
    InDirectory here(dir.Path());
    GameHarness harness;
    harness.stepMs = 50;

    // The screens a visit passes, each minimised for a second the first time it shows.
    enum Stage { Start, Menu, Hold, Playing, Result, StageCount };
    auto stageNow = [] {
        if (gamestate::Game.GameScreen == gamestate::StartScreen) return Start;
        if (gamestate::Game.GameScreen == gamestate::GamePlayScreen)
            return gamestate::Game.StartScreenTime == gamestate::NotScheduled ? Playing : Hold;
        return gamestate::Round.RoundEnd != 0 ? Result : Menu;
    };
    bool minimised[StageCount] = {};
    int restoreAt = -1;
    bool started = false, typed = false;
    uint32_t roundClockAtMinimise = 0;
    bool roundClockHeld = true;
    int code = harness.Run(
        2600,
        [&](HeadlessBackend& backend, int frame) {
            backend.SetKey(LButton, false);
            backend.SetKey(platform::vk::Return, false);
            platform::Event event;
            if (frame == restoreAt) {
                event.type = platform::EventType::Size;
                event.sizeKind = platform::SizeKind::Restored;
                backend.QueueEvent(event);
                event.type = platform::EventType::Move;
                backend.QueueEvent(event);
                return;
            }
            if (restoreAt > frame) return;  // still minimised
            Stage stage = stageNow();
            if (!minimised[stage]) {
                minimised[stage] = true;
                restoreAt = frame + 20;
                if (stage == Playing) roundClockAtMinimise = gamestate::Round.RoundClock;
                event.type = platform::EventType::Size;
                event.sizeKind = platform::SizeKind::Minimized;
                backend.QueueEvent(event);
                return;
            }
            if (stage == Menu && !started) {
                started = true;
                backend.SetCursor(600, 222);
                backend.SetKey(LButton, true);
            }
            if (stage == Result && !typed) {
                typed = true;
                backend.QueueText("Pause");
                backend.SetKey(platform::vk::Return, true);
            }
        },
        [&](HeadlessBackend&, int frame) {
            // The first frame after the minimise in play shows the round clock where it stopped.
            if (frame == restoreAt && roundClockAtMinimise != 0) {
                roundClockHeld = gamestate::Round.RoundClock - roundClockAtMinimise < 200;
                roundClockAtMinimise = 0;
            }
        });
    EXPECT_EQ(code, 0);
    for (int stage = 0; stage < StageCount; ++stage) EXPECT_TRUE(minimised[stage]) << stage;
    EXPECT_TRUE(roundClockHeld) << "the minimised second does not count on the round clock";
    EXPECT_EQ(gamestate::Game.GameScreen, gamestate::MenuScreen);
}

TEST(Faults, AKilledSaveNeverLeavesAnUnreadableTable) {
    testing_support::TempDir dir;
    std::string path = dir / "score.dat";
    persistence::HighScoreTable first, second;
    for (int i = 0; i < persistence::HighScoreCount; ++i) {
        first.scores[i] = 1000 - i;
        second.scores[i] = 5000 - i;
        std::snprintf(first.names[i], sizeof first.names[i], "Erster %d", i);
        std::snprintf(second.names[i], sizeof second.names[i], "Zweiter %d", i);
    }
    ASSERT_TRUE(persistence::SaveHighScores(first, path));
    std::mt19937 random(5);
    for (int round = 0; round < 25; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves the two tables in turn as fast as it can until it is killed.
            for (int n = 0;; ++n) persistence::SaveHighScores(n % 2 ? first : second, path);
        }
        usleep(static_cast<useconds_t>(200 + random() % 3000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        persistence::HighScoreTable loaded;
        persistence::LoadHighScores(loaded, path);
        EXPECT_EQ(fs::file_size(path), 2080u);
        bool isFirst = loaded.scores[19] == first.scores[19];
        bool isSecond = loaded.scores[19] == second.scores[19];
        EXPECT_TRUE(isFirst || isSecond) << "all twenty entries survive, round " << round;
    }
}

}  // namespace
