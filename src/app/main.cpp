// The game's entry point on the real machine: the command line, the SDL2 backend, then the
// program itself. `tannenquirl --help` lists the options.
//
// The SDL2 backend is wrapped so that every round played is recorded; a replay wraps it instead
// with the recorded answers.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

#include "app/application.h"
#include "app/command_line.h"
#include "app/data_directory.h"
#include "persistence/atomic_file.h"
#include "platform/sdl/sdl_backend.h"

namespace {

int Replay(platform::SdlBackend& backend, const std::string& path) {
    std::string message;
    std::optional<platform::replay::RoundFile> file = app::LoadRecordedRound(path, message);
    if (!file) {
        platform::SetBackend(&backend);
        platform::ShowMessageBox(message.c_str(), "Tannenquirl Rauze", true);
        platform::SetBackend(nullptr);
        return app::ExitBadRecording;
    }
    platform::replay::ReplayBackend replay(backend, std::move(*file),
                                           platform::replay::ReplayBackend::Pace::RecordedClock);
    platform::SetBackend(&replay);
    app::RunSettings settings;
    settings.recording.replay = &replay;
    int code = app::GameMain(settings);
    platform::SetBackend(nullptr);
    if (replay.Diverged()) {
        platform::SetBackend(&backend);
        platform::ShowMessageBox(app::ReplayDivergedMessage(replay).c_str(), "Tannenquirl Rauze",
                                 true);
        platform::SetBackend(nullptr);
        return app::ExitBadRecording;
    }
    return code;
}

// Files named on the command line are where the player meant, not in the data directory.
std::string FromHere(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return path.empty() || ec ? path : absolute.string();
}

}  // namespace

int main(int argc, char** argv) {
    const app::CommandLine commandLine = app::ParseCommandLine(argc, argv);
    if (!commandLine.error.empty()) {
        std::fprintf(stderr, "tannenquirl: %s\nTry 'tannenquirl --help'.\n",
                     commandLine.error.c_str());
        return app::UsageExitCode;
    }
    if (commandLine.help || commandLine.version) {
        std::fputs((commandLine.help ? app::HelpText() : app::VersionText()).c_str(), stdout);
        return 0;
    }
    // A replay leaves the player's files as they are, from the first look for them on.
    if (!commandLine.replayPath.empty()) persistence::SetPlayerFilesUntouched(true);
    const std::string replayPath = FromHere(commandLine.replayPath);
    const std::string recordPath = FromHere(commandLine.recordPath);
    app::EnterDataDirectory(argv[0]);
    platform::SdlBackend backend;
    if (!replayPath.empty()) return Replay(backend, replayPath);

    platform::replay::RecordingBackend recorder(backend);
    platform::SetBackend(&recorder);
    app::RunSettings settings;
    settings.panorama = commandLine.panorama;
    settings.recording.recorder = &recorder;
    settings.recording.recordPath = recordPath;
    settings.recording.keepRounds = true;
    int code = app::GameMain(settings);
    platform::SetBackend(nullptr);
    return code;
}
