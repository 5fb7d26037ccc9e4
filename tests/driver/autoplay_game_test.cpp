// tqdriver --autoplay plays a whole round on the real pictures: it finds targets through the
// game's own state, hits them, fulfils quotas, and at the round end types its name into the
// high-score table, which lands in score.dat.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include "app/application.h"
#include "autoplayer.h"
#include "gamestate/game_state.h"
#include "persistence/high_scores.h"
#include "sound/sound_system.h"
#include "sound/wave_reader.h"
#include "support/file_bytes.h"
#include "support/game_harness.h"
#include "support/state_json.h"
#include "world/world_fixture.h"

namespace {

using testing_support::NumberAfter;
using testing_support::ReadFileBytes;

// The generated pictures and sounds, with score.dat and the options written beside them.
void LinkAssetPack(const world_testing::TempDirectory& data) {
    std::filesystem::create_directory_symlink(std::filesystem::path(TQ_DATA_DIR) / "grafik",
                                              data.Path() / "grafik");
    std::filesystem::create_directory_symlink(std::filesystem::path(TQ_DATA_DIR) / "sounds",
                                              data.Path() / "sounds");
}

TEST(Autoplay, AWholeRoundScoresFulfilsQuotasAndEntersTheNameInTheHighScores) {
    world_testing::TempDirectory data;
    LinkAssetPack(data);
    const std::string state = data / "end.json";
    // Without a frame count the autoplayer plays one round and closes the game.
    const std::string command = std::string(TQ_DRIVER_PATH) + " --data " + data.Path().string() +
                                " --autoplay --step 33 --state " + state + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    const std::string end = ReadFileBytes(state);
    ASSERT_FALSE(end.empty());
    EXPECT_EQ(NumberAfter(end, "screen"), 1) << "back in the menu";
    const long long score = NumberAfter(end, "score");
    EXPECT_GT(score, 0);
    EXPECT_GE(NumberAfter(end, "stage"), 2) << "at least one set of quotas fulfilled";
    EXPECT_NE(end.find("\"editing\":false"), std::string::npos) << "the name was entered";

    persistence::HighScoreTable table;
    persistence::LoadHighScores(table, data / "score.dat");
    EXPECT_EQ(table.scores[0], score);
    EXPECT_STREQ(table.names[0], driver::Autoplayer::PlayerName);
}

TEST(Autoplay, OnTheWholeHuntingGroundEveryWeaponIsUnlockedAndFired) {
    world_testing::TempDirectory data;
    LinkAssetPack(data);
    const std::string state = data / "end.json";
    // The blossoms of the meadow unlock the crossbow, the third stage the dynamite, the bear's
    // target in the field the machine gun.
    const std::string command = std::string(TQ_DRIVER_PATH) + " --data " + data.Path().string() +
                                " --autoplay --panorama --step 33 --state " + state +
                                " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    const std::string end = ReadFileBytes(state);
    ASSERT_FALSE(end.empty());
    EXPECT_NE(end.find("\"panorama\":true"), std::string::npos);
    EXPECT_EQ(NumberAfter(end, "screen"), 1) << "back in the menu";
    EXPECT_GT(NumberAfter(end, "score"), 0);
    EXPECT_GE(NumberAfter(end, "stage"), 3) << "the third stage brings the dynamite";
    for (const char* weapon : {"crossbow", "dynamite", "machineGun"}) {
        std::smatch match;
        ASSERT_TRUE(std::regex_search(
            end, match, std::regex("\"weapon\":\\{[^}]*\"" + std::string(weapon) + "\":(\\d+)")));
        EXPECT_EQ(std::stoi(match[1]), 2) << weapon << " unlocked";
    }
    std::smatch fired;
    ASSERT_TRUE(std::regex_search(end, fired, std::regex("\"shotsFired\":\\{([^}]*)\\}")));
    for (const char* weapon : {"shotgun", "crossbow", "dynamite", "machineGun"}) {
        EXPECT_GT(NumberAfter(fired[1], weapon), 0) << weapon << " fired";
    }
}

// Reading a sound file takes milliseconds; no frame of a round may wait for one. The sounds made
// on their first play and the round's music are read with the level.
TEST(Autoplay, ARoundReadsNoSoundFileAfterItsLevelLoad) {
    world_testing::TempDirectory data;
    for (const char* folder : {"grafik", "sounds"}) {
        std::filesystem::create_directory_symlink(std::filesystem::path(TQ_DATA_DIR) / folder,
                                                  data.Path() / folder);
    }
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(data.Path());
    struct Round : platform::HeadlessBackend::FrameHooks {
        driver::Autoplayer player{1};
        bool playing = false;
        uint64_t filesAtStart = 0;
        uint64_t filesInPlay = 0;
        size_t soundsStarted = 0;
        int frames = 0;
        void BeforeFrame(platform::HeadlessBackend& backend, int frame) override {
            backend.AdvanceTime(16);
            player.BeforeFrame(backend, frame);
            backend.RenderAudio(44100 * 16 / 1000);
            if (frame > 40000) backend.PostClose();
        }
        void AfterFrame(platform::HeadlessBackend&, int) override {
            const bool inRound = gamestate::Game.GameScreen == gamestate::GamePlayScreen &&
                                 gamestate::Game.StartScreenTime == gamestate::NotScheduled;
            if (inRound && !playing) filesAtStart = CWaveReader::FilesOpened();
            if (inRound) {
                filesInPlay = CWaveReader::FilesOpened() - filesAtStart;
                soundsStarted = sound::RecentlyStartedSounds().size();
                ++frames;
            }
            playing = inRound;
        }
    } round;
    testing_support::GameHarness harness;
    harness.Backend().SetFrameHooks(&round);
    app::GameMain();
    harness.Backend().SetFrameHooks(nullptr);
    std::filesystem::current_path(previous);
    EXPECT_GT(round.frames, 5000) << "a whole round";
    EXPECT_GT(round.soundsStarted, 100u) << "shots, hits, reloads, bells and music";
    EXPECT_EQ(round.filesInPlay, 0u);
}

}  // namespace
