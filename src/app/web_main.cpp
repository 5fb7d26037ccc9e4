// The game's entry point in a web page: the saves live in /saves (the browser's IndexedDB), the
// pictures and sounds in /data, where the page unpacks them, then the browser backend and the
// program itself. The page asks for the whole hunting ground with "?panorama" in its address.
#include <emscripten.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/application.h"
#include "gamestate/game_state.h"
#include "persistence/save_directory.h"
#include "platform/web/web_backend.h"

// The page's settings (web_backend.js reads them from the page's address).
EM_JS(int, tq_setting, (const char* name), { return Module.tqWeb.setting(UTF8ToString(name)); });
// Reads the saves from IndexedDB into /saves, which from then on is written back after every
// change; false when the browser keeps no storage for the page (the saves last for the visit).
EM_ASYNC_JS(int, tq_mount_saves, (const char* folder),
            { return (await Module.tqWeb.saves.mount(UTF8ToString(folder))) ? 1 : 0; });
// The page starts the game as soon as the start screen's picture is there; the rest of the
// pictures and sounds arrive while it shows.
EM_JS(int, tq_whole_pack_here, (), { return Module.tqWeb.wholePackHere() ? 1 : 0; });
EM_ASYNC_JS(void, tq_wait_for_whole_pack, (), { await Module.tqWeb.wholePack(); });
// The game has ended: the saves are written back and the page offers to start again.
EM_JS(void, tq_game_ended, (int code), { Module.tqWeb.gameEnded(code); });

int main() {
    // Emscripten's C library starts with every permission masked (umask 0777): a save written
    // with the usual permissions could not even be read back. The usual mask instead.
    umask(022);
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
    platform::SetBackend(&backend);
    app::RunSettings run;
    run.panorama = tq_setting("panorama") != 0;
    const int code = app::GameMain(run);
    platform::SetBackend(nullptr);
    tq_game_ended(code);
    return code;
}
