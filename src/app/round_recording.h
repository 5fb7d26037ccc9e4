// Recorded rounds, as the game sees them: when a recording begins and ends, what it holds, where
// it is kept, and how a recorded round is set up to be played back.
//
// Every round the game plays is recorded from the click that starts it to the moment its score
// has been offered to the high-score table and any name typed. The recording is kept in the save
// folder as "rounds/last.tqround"; a round that earned a high-score entry is also kept as
// "rounds/<entry digest>-<n>.tqround" for as long as its entry stays in the table. Every
// `CheckpointFrames` frames, and at the end, the recording notes a digest of the rules' state, so
// that a replay that goes another way is caught where it happens.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/replay/recording_backend.h"
#include "platform/replay/replay_backend.h"
#include "platform/replay/round_file.h"

namespace app {

constexpr int CheckpointFrames = 120;
// Where the save folder keeps the recorded rounds, and the name of the last one.
constexpr const char* RoundsFolderName = "rounds";
constexpr const char* LastRoundFileName = "last.tqround";
constexpr const char* RoundFileExtension = ".tqround";

// How one run records or replays. At most one of `recorder` and `replay` is set.
struct RoundRecordingSetup {
    platform::replay::RecordingBackend* recorder = nullptr;
    // Not empty: every recorded round is also written here.
    std::string recordPath;
    // The rounds are kept in the save folder (the real game; not the driver, which runs in a
    // test's data folder).
    bool keepRounds = false;
    platform::replay::ReplayBackend* replay = nullptr;
    // Whether every picture and sound is there yet (a web page unpacks most of them while its
    // start screen shows): the pack's fingerprint is read only then. Empty: from the start.
    std::function<bool()> packArrived;
};

// Installs the run's setup; the game's reset takes it away again.
void SetRoundRecording(const RoundRecordingSetup& setup);
void ResetRoundRecording();

// The end of every frame: begins a recording when this frame started a round (the screen was
// `screenBefore`), notes a checkpoint when one is due and ends the recording when the round and
// its entry are over.
void RoundFrameEnded(int32_t screenBefore);
// The game is closing: a recording still running ends here, with the game as it stands.
void RoundRecordingGameClosed();

// Sets the game up where the recorded round began and starts the replay. False, with a message
// for the player in `message`, when the recording cannot be played.
bool BeginReplay(std::string& message);

// Reads a recorded round from `path` and checks that this game can play it back. Nothing, with
// a message for the player in `message`, when it cannot.
std::optional<platform::replay::RoundFile> LoadRecordedRound(const std::string& path,
                                                             std::string& message);

// What the player is told when a replay went another way than the recorded round.
std::string ReplayDivergedMessage(const platform::replay::ReplayBackend& replay);

// The save folder's recorded rounds; `entryDigest` empty gives the last round's file.
std::string RoundsFolder();

}  // namespace app
