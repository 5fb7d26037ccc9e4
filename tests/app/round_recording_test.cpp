// What a recorded round inherits comes back whole or not at all, and a recording the game cannot
// play is refused with a message that names it and says why.
#include "app/round_recording.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/application.h"
#include "app/asset_fingerprint.h"
#include "app/game_reset.h"
#include "app/round_inheritance.h"
#include "autoplayer.h"
#include "gamestate/game_state.h"
#include "gamestate/round_state.h"
#include "gamestate/rules_random.h"
#include "persistence/atomic_file.h"
#include "persistence/high_scores.h"
#include "platform/headless/headless_backend.h"
#include "presentation/main_menu.h"
#include "support/file_bytes.h"
#include "support/play_directory.h"

namespace {

using testing_support::WriteFileBytes;

namespace fs = std::filesystem;
using platform::replay::RecordingBackend;
using platform::replay::ReplayBackend;

class InheritanceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app::ResetGame();
        presentation::CreateMainMenu();
    }
    void TearDown() override { app::ResetGame(); }
    testing_support::PlayDirectory dir_;
};

TEST_F(InheritanceTest, ComesBackWholeOrNotAtAll) {
    presentation::MainMenu& menu = *presentation::Menu;
    gamestate::SeedRand(77);
    for (int i = 0; i < 5; ++i) gamestate::Rand();
    gamestate::Game.GameScreen = gamestate::GamePlayScreen;
    gamestate::Game.CameraX = 1234.5f;
    gamestate::Game.LeftButtonLatch = true;
    menu.sequencePosition = presentation::MainMenu::TrophySequenceLength;
    menu.highScores.scores[0] = 900;
    std::snprintf(menu.highScores.names[0], persistence::HighScoreFieldSize, "Jörg");
    const int32_t nextNumber = [] {
        gamestate::RulesRandom copy = gamestate::Random;
        return copy.Next();
    }();
    const std::string coded = app::CaptureRoundInheritance();
    const uint64_t digest = app::RulesDigest();

    // A previous round's leftovers and another generator position are all put back.
    gamestate::SeedRand(5);
    gamestate::Game = gamestate::GameState{};
    gamestate::Round.score = 4711;
    menu.sequencePosition = 0;
    menu.highScores = persistence::HighScoreTable{};
    ASSERT_TRUE(app::ApplyRoundInheritance(coded));
    EXPECT_EQ(gamestate::Game.CameraX, 1234.5f);
    EXPECT_TRUE(gamestate::Game.LeftButtonLatch);
    EXPECT_EQ(menu.sequencePosition, presentation::MainMenu::TrophySequenceLength);
    EXPECT_EQ(menu.highScores.scores[0], 900);
    EXPECT_STREQ(menu.highScores.names[0], "Jörg");
    EXPECT_EQ(gamestate::Round.score, 0) << "the rest of the rules start afresh";
    EXPECT_EQ(app::RulesDigest(), digest);
    EXPECT_EQ(gamestate::Rand(), nextNumber);

    // Short, long, or with a generator position no game reaches: refused, and nothing changes.
    gamestate::Game.CameraX = 99.0f;
    std::string tooFar = coded;
    tooFar[4 + 7] = '\x7f';  // the highest byte of the count of numbers drawn
    for (const std::string& bad :
         {coded.substr(0, coded.size() - 1), coded + '\0', tooFar, std::string()}) {
        EXPECT_FALSE(app::ApplyRoundInheritance(bad)) << bad.size();
        EXPECT_EQ(gamestate::Game.CameraX, 99.0f);
    }
}

TEST_F(InheritanceTest, ABadRecordingIsRefusedWithAMessageThatNamesIt) {
    const fs::path folder = dir_.Path();
    std::string message;
    EXPECT_FALSE(app::LoadRecordedRound((folder / "missing.tqround").string(), message));
    EXPECT_NE(message.find("kann nicht gelesen werden"), std::string::npos) << message;

    platform::replay::RoundFile file;
    file.gameVersion = "1.0.0";
    file.assetFingerprint = app::AssetFingerprint(folder);
    const std::string good = platform::replay::EncodeRoundFile(file);
    WriteFileBytes(folder / "good.tqround", good);
    EXPECT_TRUE(app::LoadRecordedRound((folder / "good.tqround").string(), message)) << message;

    struct Case {
        std::string bytes;
        const char* says;
    };
    platform::replay::RoundFile otherPack = file;
    otherPack.assetFingerprint ^= 1;
    platform::replay::RoundFile otherFormat = file;
    otherFormat.formatVersion += 1;
    const Case cases[] = {
        {"score.dat, not a round", "keine aufgenommene Runde"},
        {good.substr(0, good.size() - 3), "beschädigt"},
        {platform::replay::EncodeRoundFile(otherFormat), "anderen Fassung"},
        {platform::replay::EncodeRoundFile(otherPack), "anderen Bildern und Klängen"},
    };
    for (const Case& c : cases) {
        const fs::path path = folder / "bad.tqround";
        WriteFileBytes(path, c.bytes);
        message.clear();
        EXPECT_FALSE(app::LoadRecordedRound(path.string(), message)) << c.says;
        EXPECT_NE(message.find(c.says), std::string::npos) << message;
        EXPECT_NE(message.find(path.string()), std::string::npos) << message;
    }
}

}  // namespace
