// Recorded rounds as the game keeps and plays them: what a round inherits comes back whole or
// not at all, a round played in this process replays to the same state without touching the
// player's files, and the save folder keeps the last round and the rounds of the entries.
#include "app/round_recording.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
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
#include "support/play_directory.h"

namespace {

namespace fs = std::filesystem;
using platform::replay::RecordingBackend;
using platform::replay::ReplayBackend;

std::string ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Every file under `folder` with its contents.
std::map<std::string, std::string> FilesUnder(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && !entry.is_symlink())
            files[fs::relative(entry.path(), folder).string()] = ReadAll(entry.path());
    }
    return files;
}

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
    WriteAll(folder / "good.tqround", good);
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
        WriteAll(path, c.bytes);
        message.clear();
        EXPECT_FALSE(app::LoadRecordedRound(path.string(), message)) << c.says;
        EXPECT_NE(message.find(c.says), std::string::npos) << message;
        EXPECT_NE(message.find(path.string()), std::string::npos) << message;
    }
}

// The autoplayer plays one round and closes the game.
struct AutoplayedRound : platform::HeadlessBackend::FrameHooks {
    driver::Autoplayer player{1};
    void BeforeFrame(platform::HeadlessBackend& backend, int frame) override {
        backend.AdvanceTime(33);
        player.BeforeFrame(backend, frame);
        if (frame > 20000) backend.PostClose();
    }
    void AfterFrame(platform::HeadlessBackend&, int) override {}
};

struct Stepping : platform::HeadlessBackend::FrameHooks {
    void BeforeFrame(platform::HeadlessBackend& backend, int) override { backend.AdvanceTime(33); }
    void AfterFrame(platform::HeadlessBackend&, int) override {}
};

TEST(RecordedRounds, ARoundIsKeptWithItsEntryAndReplaysWithoutTouchingAFile) {
    testing_support::PlayDirectory dir;
    const fs::path folder = dir.Path();
    const fs::path chosen = folder / "chosen.tqround";
    int32_t score = 0;
    int32_t entryScore = 0;
    {
        platform::HeadlessBackend backend;
        AutoplayedRound round;
        backend.SetFrameHooks(&round);
        RecordingBackend recorder(backend);
        platform::SetBackend(&recorder);
        app::RunSettings settings;
        settings.recording.recorder = &recorder;
        settings.recording.recordPath = chosen.string();
        settings.recording.keepRounds = true;
        ASSERT_EQ(app::GameMain(settings), 0);
        platform::SetBackend(nullptr);
        score = gamestate::Round.score;
        entryScore = presentation::Menu->highScores.scores[0];
    }
    ASSERT_GT(score, 0);
    ASSERT_EQ(entryScore, score);

    const std::string recorded = ReadAll(chosen);
    ASSERT_FALSE(recorded.empty());
    EXPECT_EQ(ReadAll(folder / "rounds" / "last.tqround"), recorded);
    const fs::path entryRound =
        folder / "rounds" /
        (persistence::EntryDigest(score, driver::Autoplayer::PlayerName) + "-1.tqround");
    EXPECT_EQ(ReadAll(entryRound), recorded) << "the round behind the new entry";

    // An entry that has left the table takes its round with it.
    const fs::path lostRound = folder / "rounds" / (std::string(32, 'a') + "-1.tqround");
    WriteAll(lostRound, recorded);

    const std::map<std::string, std::string> before = FilesUnder(folder);
    {
        // Put back even when a check below fails, so that no later test runs without files.
        struct Untouched {
            Untouched() { persistence::SetPlayerFilesUntouched(true); }
            ~Untouched() { persistence::SetPlayerFilesUntouched(false); }
        } untouched;
        std::string message;
        std::optional<platform::replay::RoundFile> file =
            app::LoadRecordedRound(chosen.string(), message);
        ASSERT_TRUE(file) << message;
        platform::HeadlessBackend backend;
        Stepping stepping;
        backend.SetFrameHooks(&stepping);
        ReplayBackend replay(backend, std::move(*file), ReplayBackend::Pace::AsFastAsPossible);
        platform::SetBackend(&replay);
        app::RunSettings settings;
        settings.recording.replay = &replay;
        settings.drawFrames = false;
        EXPECT_EQ(app::GameMain(settings), 0);
        platform::SetBackend(nullptr);
        EXPECT_FALSE(replay.Diverged()) << replay.Divergence();
        EXPECT_TRUE(replay.Finished());
        EXPECT_EQ(gamestate::Round.score, score);
        EXPECT_EQ(presentation::Menu->highScores.scores[0], score);
    }
    EXPECT_EQ(FilesUnder(folder), before) << "a replay writes nothing";
    app::ResetGame();

    // The next round kept removes the rounds of entries no longer in the table.
    {
        platform::HeadlessBackend backend;
        AutoplayedRound round;
        backend.SetFrameHooks(&round);
        RecordingBackend recorder(backend);
        platform::SetBackend(&recorder);
        app::RunSettings settings;
        settings.recording.recorder = &recorder;
        settings.recording.keepRounds = true;
        ASSERT_EQ(app::GameMain(settings), 0);
        platform::SetBackend(nullptr);
    }
    EXPECT_FALSE(fs::exists(lostRound));
    EXPECT_TRUE(fs::exists(entryRound)) << "its entry is still in the table";
    app::ResetGame();
}

}  // namespace
