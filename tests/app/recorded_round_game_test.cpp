// Recorded rounds as the game keeps and plays them: a round played in this process replays to the
// same state without touching the player's files, and the save folder keeps the last round and
// the rounds of the entries for as long as the entries stay in the table.
#include "app/round_recording.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
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

using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

namespace fs = std::filesystem;
using platform::replay::RecordingBackend;
using platform::replay::ReplayBackend;

// Every file under `folder` with its contents.
std::map<std::string, std::string> FilesUnder(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && !entry.is_symlink())
            files[fs::relative(entry.path(), folder).string()] = ReadFileBytes(entry.path());
    }
    return files;
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

    const std::string recorded = ReadFileBytes(chosen);
    ASSERT_FALSE(recorded.empty());
    EXPECT_EQ(ReadFileBytes(folder / "rounds" / "last.tqround"), recorded);
    const fs::path entryRound =
        folder / "rounds" /
        (persistence::EntryDigest(score, driver::Autoplayer::PlayerName) + "-1.tqround");
    EXPECT_EQ(ReadFileBytes(entryRound), recorded) << "the round behind the new entry";

    // An entry that has left the table takes its round with it.
    const fs::path lostRound = folder / "rounds" / (std::string(32, 'a') + "-1.tqround");
    WriteFileBytes(lostRound, recorded);

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
