// What the page's tests and measurements read from the running game (window.tq in page.js):
// its state as tqdriver writes it, and where a shot would hit something.
#include <emscripten.h>

#include <string>

#include "autoplayer.h"
#include "game_state_json.h"
#include "gamestate/frame_timing.h"
#include "platform/web/web_backend.h"

namespace {

const platform::web::WebBackend* Web() {
    return static_cast<const platform::web::WebBackend*>(platform::CurrentBackend());
}

}  // namespace

// The game's state as JSON, as tqdriver's --state writes it.
extern "C" EMSCRIPTEN_KEEPALIVE const char* tq_test_state() {
    static std::string json;
    json = driver::GameStateJson(Web() ? Web()->FrameIndex() : -1);
    return json.c_str();
}

// The point where a shot would hit the best target in sight now, as x | y << 16; -1 when there
// is none. The built-in player of tqdriver chooses it.
extern "C" EMSCRIPTEN_KEEPALIVE int tq_test_aim() {
    static const driver::Autoplayer player(0);
    const platform::Point cursor = platform::CursorPos();
    const driver::Autoplayer::Aim aim =
        player.ChooseTarget(cursor.x, cursor.y, gamestate::AverageFrameTime);
    if (aim.index < 0) return -1;
    return aim.x | (aim.y << 16);
}
