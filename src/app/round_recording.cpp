#include "app/round_recording.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "app/asset_fingerprint.h"
#include "app/command_line.h"
#include "app/round_inheritance.h"
#include "flow/menu_screen.h"
#include "gamestate/game_state.h"
#include "persistence/atomic_file.h"
#include "persistence/high_scores.h"
#include "persistence/save_directory.h"
#include "presentation/main_menu.h"

namespace app {

namespace {

namespace fs = std::filesystem;
using platform::replay::RoundFile;

struct RecordingState {
    enum class Mode { Idle, Recording, Replaying };
    RoundRecordingSetup setup;
    Mode mode = Mode::Idle;
    int frames = 0;                       // frames since the round began
    int32_t entryRow = -1;                // the high-score entry this round earned; -1 none
    std::optional<uint64_t> fingerprint;  // of the pack this run plays with, once known
};

RecordingState State;

uint64_t PackFingerprint() {
    if (!State.fingerprint) State.fingerprint = AssetFingerprint(fs::current_path());
    return *State.fingerprint;
}

// The round is over, its score has been offered to the table and a name typed for it, or the
// player has closed the table without an entry.
bool RoundAndEntryOver() {
    if (gamestate::Game.GameScreen >= gamestate::GamePlayScreen) return false;
    const presentation::MainMenu* menu = presentation::Menu;
    if (gamestate::Game.GameScreen != gamestate::MenuScreen || !menu) return false;
    if (persistence::NameEntryOpen(menu->highScores)) {
        State.entryRow = menu->highScores.editIndex;
        return false;
    }
    return menu->highScores.pendingScore == 0 ||
           menu->windowShown != presentation::MainMenu::HighScoresWindow;
}

std::string EntryRoundName(const std::string& digest, int number) {
    return digest + "-" + std::to_string(number) + RoundFileExtension;
}

// The rounds behind entries that are no longer in the table go with them. Entries with the same
// name and score share a digest; the files of that digest are numbered, and as many are kept as
// the table has such entries.
void RemoveRoundsOfLostEntries(const fs::path& folder, const persistence::HighScoreTable& table) {
    std::vector<std::string> digests;
    for (int i = 0; i < persistence::HighScoreCount; ++i) {
        if (table.scores[i] != 0)
            digests.push_back(persistence::EntryDigest(table.scores[i], table.names[i]));
    }
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        const size_t dash = name.find('-');
        if (dash != 32 || entry.path().extension() != RoundFileExtension) continue;
        const std::string digest = name.substr(0, dash);
        const int number = std::atoi(name.c_str() + dash + 1);
        const auto kept = std::count(digests.begin(), digests.end(), digest);
        if (number > kept) fs::remove(entry.path(), ec);
    }
}

void KeepRound(const std::string& bytes) {
    if (!State.setup.keepRounds || persistence::PlayerFilesUntouched()) return;
    const fs::path folder = RoundsFolder();
    std::error_code ec;
    fs::create_directories(folder, ec);
    persistence::ReplaceFileAtomically((folder / LastRoundFileName).string(), bytes);
    const presentation::MainMenu* menu = presentation::Menu;
    if (!menu) return;
    const persistence::HighScoreTable& table = menu->highScores;
    if (State.entryRow >= 0 && State.entryRow < persistence::HighScoreCount) {
        const auto row = static_cast<size_t>(State.entryRow);
        const std::string digest = persistence::EntryDigest(table.scores[row], table.names[row]);
        int number = 1;
        while (fs::exists(folder / EntryRoundName(digest, number), ec)) ++number;
        persistence::WriteNewFile((folder / EntryRoundName(digest, number)).string(), bytes);
    }
    RemoveRoundsOfLostEntries(folder, table);
}

void BeginRecording() {
    const std::string inheritance = CaptureRoundInheritance();
    if (inheritance.empty()) return;
    // The recorded game starts from the same state a replay will build from the inheritance.
    ApplyRoundInheritance(inheritance);
    RoundFile header;
    header.gameVersion = GameVersion();
    header.assetFingerprint = PackFingerprint();
    header.inheritance = inheritance;
    State.setup.recorder->Begin(std::move(header));
    State.mode = RecordingState::Mode::Recording;
    State.frames = 0;
    State.entryRow = -1;
}

void EndRecording() {
    State.mode = RecordingState::Mode::Idle;
    const std::string bytes = platform::replay::EncodeRoundFile(State.setup.recorder->End());
    if (!State.setup.recordPath.empty() &&
        !persistence::ReplaceFileAtomically(State.setup.recordPath, bytes)) {
        platform::DebugOutput(
            ("Cannot write the recorded round to " + State.setup.recordPath + "\n").c_str());
    }
    KeepRound(bytes);
}

std::string ProblemMessage(platform::replay::RoundFileProblem problem, const std::string& path) {
    using platform::replay::RoundFileProblem;
    switch (problem) {
        case RoundFileProblem::NotARound:
            return path + " ist keine aufgenommene Runde.";
        case RoundFileProblem::OtherFormat:
            return "Die Runde " + path +
                   " wurde von einer anderen Fassung des Spiels aufgenommen und kann nicht "
                   "abgespielt werden.";
        case RoundFileProblem::TooLarge:
        case RoundFileProblem::Damaged:
        case RoundFileProblem::None:
            break;
    }
    return "Die aufgenommene Runde " + path + " ist beschädigt.";
}

}  // namespace

void SetRoundRecording(const RoundRecordingSetup& setup) {
    State = RecordingState{};
    State.setup = setup;
}

void ResetRoundRecording() {
    State = RecordingState{};
}

void RoundFrameEnded(int32_t screenBefore) {
    // Reading the whole pack takes a moment: it is done while the start screen stands still,
    // not when the player clicks for a round.
    if (State.setup.recorder && !State.fingerprint &&
        gamestate::Game.GameScreen == gamestate::StartScreen &&
        (!State.setup.packArrived || State.setup.packArrived()))
        PackFingerprint();
    if (State.mode == RecordingState::Mode::Idle) {
        if (State.setup.recorder && screenBefore < gamestate::GamePlayScreen &&
            gamestate::Game.GameScreen == gamestate::GamePlayScreen)
            BeginRecording();
        return;
    }
    ++State.frames;
    const bool over = RoundAndEntryOver();
    if (over || State.frames % CheckpointFrames == 0) platform::Checkpoint(RulesDigest());
    if (!over) return;
    if (State.mode == RecordingState::Mode::Recording) {
        EndRecording();
    } else {
        State.mode = RecordingState::Mode::Idle;
    }
}

void RoundRecordingGameClosed() {
    if (State.mode == RecordingState::Mode::Idle) return;
    platform::Checkpoint(RulesDigest());
    if (State.mode == RecordingState::Mode::Recording) EndRecording();
    State.mode = RecordingState::Mode::Idle;
}

bool BeginReplay(std::string& message) {
    platform::replay::ReplayBackend* replay = State.setup.replay;
    if (!replay) return false;
    if (!ApplyRoundInheritance(replay->File().inheritance)) {
        message = "Die aufgenommene Runde ist beschädigt.";
        return false;
    }
    // What the menu had loaded when the round was started from it.
    flow::LoadScreensAndFonts();
    State.mode = RecordingState::Mode::Replaying;
    State.frames = 0;
    replay->Start();
    return true;
}

std::optional<RoundFile> LoadRecordedRound(const std::string& path, std::string& message) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string bytes;
    if (in) {
        // One byte over the limit is enough to know the file is too long.
        const auto size = static_cast<size_t>(std::max<std::streamoff>(in.tellg(), 0));
        bytes.resize(std::min(size, platform::replay::LongestRoundFile + 1));
        in.seekg(0);
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        bytes.resize(static_cast<size_t>(in.gcount()));
    }
    if (!in) {
        message = "Die aufgenommene Runde " + path + " kann nicht gelesen werden.";
        return std::nullopt;
    }
    platform::replay::RoundFileProblem problem{};
    std::optional<RoundFile> file = platform::replay::DecodeRoundFile(bytes, problem);
    if (!file) {
        message = ProblemMessage(problem, path);
        return std::nullopt;
    }
    if (file->assetFingerprint != PackFingerprint()) {
        message = "Die Runde " + path +
                  " wurde mit anderen Bildern und Klängen gespielt und kann mit diesen nicht "
                  "abgespielt werden.";
        return std::nullopt;
    }
    return file;
}

std::string ReplayDivergedMessage(const platform::replay::ReplayBackend& replay) {
    return "Die Wiedergabe ist von der aufgenommenen Runde abgewichen (" + replay.Divergence() +
           "). Sie wurde mit Version " + replay.File().gameVersion + " aufgenommen.";
}

std::string RoundsFolder() {
    const std::string& saves = persistence::SaveDirectory();
    return (saves.empty() ? fs::path(RoundsFolderName) : fs::path(saves) / RoundsFolderName)
        .string();
}

}  // namespace app
