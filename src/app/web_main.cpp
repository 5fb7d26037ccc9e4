// The game's entry point in a web page: the saves live in /saves (the browser's IndexedDB), the
// pictures and sounds in /data, where the page unpacks them, then the browser backend and the
// program itself. As on Linux, every round played is recorded (and kept with the saves), and a
// recorded round the page was given ("?replay=URL" or "?watch=NAME" in its address) is played
// back instead. The page asks for the whole hunting ground with "?panorama".
#include <emscripten.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>

#include "app/application.h"
#include "app/round_recording.h"
#include "gamestate/game_state.h"
#include "persistence/atomic_file.h"
#include "persistence/save_directory.h"
#include "platform/web/web_backend.h"

// The page's settings (web_backend.js reads them from the page's address).
EM_JS(int, tq_setting, (const char* name), { return Module.tqWeb.setting(UTF8ToString(name)); });
// Where the page put the recorded round to play back: its length in bytes (0: none), the path
// written into `buffer` when it fits.
EM_JS(int, tq_replay_path, (char* buffer, int size), {
    const path = Module.tqWeb.replayPath();
    stringToUTF8(path, buffer, size);
    return lengthBytesUTF8(path);
});
// Reads the saves from IndexedDB into /saves, which from then on is written back after every
// change; false when the browser keeps no storage for the page (the saves last for the visit).
EM_ASYNC_JS(int, tq_mount_saves, (const char* folder),
            { return (await Module.tqWeb.saves.mount(UTF8ToString(folder))) ? 1 : 0; });
// The page starts the game as soon as the start screen's picture is there; the rest of the
// pictures and sounds arrive while it shows.
EM_JS(int, tq_whole_pack_here, (), { return Module.tqWeb.wholePackHere() ? 1 : 0; });
EM_ASYNC_JS(void, tq_wait_for_whole_pack, (), { await Module.tqWeb.wholePack(); });
// The game's loop has ended, and its state is still as the last frame left it.
EM_JS(void, tq_loop_ended, (), { Module.tqWeb.loopEnded(); });
// The game has ended: the saves are written back and the page offers to start again.
EM_JS(void, tq_game_ended, (int code), { Module.tqWeb.gameEnded(code); });

namespace {

constexpr const char* Caption = "Tannenquirl Rauze";

std::string ReplayPath() {
    char buffer[512];
    const int length = tq_replay_path(buffer, sizeof buffer);
    return length > 0 && length < static_cast<int>(sizeof buffer) ? std::string(buffer)
                                                                  : std::string();
}

// The game's loop has ended: the canvas shows its last frame, and the page may look at its state.
std::function<void()> LoopEnded(platform::web::WebBackend& backend) {
    return [&backend] {
        backend.LoopEnded();
        tq_loop_ended();
    };
}

int Play(platform::web::WebBackend& backend, bool panorama) {
    platform::replay::RecordingBackend recorder(backend);
    platform::SetBackend(&recorder);
    app::RunSettings run;
    run.panorama = panorama;
    run.recording.recorder = &recorder;
    run.recording.keepRounds = true;
    run.recording.packArrived = [] { return tq_whole_pack_here() != 0; };
    const int code = app::GameMain(run, LoopEnded(backend));
    platform::SetBackend(nullptr);
    return code;
}

int Replay(platform::web::WebBackend& backend, const std::string& path) {
    // The round was played with the whole pack, and is checked against it.
    if (!tq_whole_pack_here()) tq_wait_for_whole_pack();
    std::string message;
    std::optional<platform::replay::RoundFile> file = app::LoadRecordedRound(path, message);
    if (!file) {
        backend.ShowMessageBox(message.c_str(), Caption, true);
        return app::ExitBadRecording;
    }
    // The page paces the frames as it always does; the recorded clock is the game's.
    platform::replay::ReplayBackend replay(backend, std::move(*file),
                                           platform::replay::ReplayBackend::Pace::AsFastAsPossible);
    platform::SetBackend(&replay);
    app::RunSettings run;
    run.recording.replay = &replay;
    const int code = app::GameMain(run, LoopEnded(backend));
    platform::SetBackend(nullptr);
    if (replay.Diverged()) {
        backend.ShowMessageBox(app::ReplayDivergedMessage(replay).c_str(), Caption, true);
        return app::ExitBadRecording;
    }
    return code;
}

}  // namespace

int main() {
    // Emscripten's C library starts with every permission masked (umask 0777): a save written
    // with the usual permissions could not even be read back. The usual mask instead.
    umask(022);
    const std::string replayPath = ReplayPath();
    // A replay leaves the player's files as they are.
    if (!replayPath.empty()) persistence::SetPlayerFilesUntouched(true);
    constexpr const char* SaveFolder = "/saves";
    const bool savesKept = tq_mount_saves(SaveFolder);
    if (chdir("/data") != 0) {
        tq_game_ended(app::ExitNoDisplayMode);
        return app::ExitNoDisplayMode;
    }
    persistence::SetSaveDirectory(SaveFolder, savesKept);

    platform::web::PageSettings settings;
    settings.virtualStepMs = tq_setting("virtual");
    settings.fast = tq_setting("fast") != 0;
    platform::web::WebBackend backend(settings);
    // Nothing but the start screen is drawn or heard before everything has arrived.
    backend.SetBeforeFrame([] {
        if (gamestate::Game.GameScreen != gamestate::StartScreen && !tq_whole_pack_here())
            tq_wait_for_whole_pack();
    });
    const int code = replayPath.empty() ? Play(backend, tq_setting("panorama") != 0)
                                        : Replay(backend, replayPath);
    tq_game_ended(code);
    return code;
}
