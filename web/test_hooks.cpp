// What the page's tests and measurements read from the running game and how they play it
// (window.tq in page.js): its state as tqdriver writes it, where a shot would hit something, where
// the cursor is, and tqdriver's built-in player.
#include <emscripten.h>

#include <array>
#include <memory>
#include <string>

#include "autoplayer.h"
#include "game_state_json.h"
#include "gamestate/frame_timing.h"
#include "platform/headless/headless_backend.h"
#include "platform/web/web_backend.h"

namespace {

platform::web::WebBackend* Web() {
    return platform::web::WebBackend::Active();
}

// The hooks look at the game between its frames. What they ask the machine goes straight to the
// page's backend, so that a round being recorded keeps only what the game asked.
class AskingThePage {
  public:
    AskingThePage() : game_(platform::CurrentBackend()) {
        if (Web()) platform::SetBackend(Web());
    }
    ~AskingThePage() { platform::SetBackend(game_); }
    AskingThePage(const AskingThePage&) = delete;
    AskingThePage& operator=(const AskingThePage&) = delete;

  private:
    platform::Backend* game_;
};

// tqdriver's player in the page. It plays on a headless backend of its own, its hands: the keys
// they hold, where they point, what they type and a close they ask for go on to the page's
// backend as the player's would.
class PagePlayer {
  public:
    explicit PagePlayer(int rounds) : player_(rounds) {}

    void BeforeFrame(platform::web::WebBackend& web, int frame) {
        const platform::Point cursor = web.CursorPos();
        hands_.SetCursor(cursor.x, cursor.y);
        player_.BeforeFrame(hands_, frame);
        // The hands never begin a frame of their own, so they tell what is held, not what was
        // pressed since.
        for (int key = 1; key < platform::vk::Count; ++key) {
            const bool down = hands_.KeyDown(key);
            if (down == held_[static_cast<size_t>(key)]) continue;
            held_[static_cast<size_t>(key)] = down;
            web.ScriptKey(key, down);
        }
        const platform::Point aim = hands_.CursorPos();
        web.WarpCursor(aim.x, aim.y);
        const std::string text = hands_.TakeTypedText();
        if (!text.empty()) web.OnTypedText(text.c_str());
        if (hands_.closeAsked) web.PostClose();
        hands_.closeAsked = false;
    }

    const driver::Autoplayer& Player() const { return player_; }

  private:
    class Hands : public platform::HeadlessBackend {
      public:
        void PostClose() override { closeAsked = true; }
        bool closeAsked = false;
    };

    Hands hands_;
    driver::Autoplayer player_;
    std::array<bool, platform::vk::Count> held_{};
};

std::unique_ptr<PagePlayer> Autoplay;

}  // namespace

// The game's state as JSON, as tqdriver's --state writes it.
extern "C" EMSCRIPTEN_KEEPALIVE const char* tq_test_state() {
    static std::string json;
    const AskingThePage page;
    json = driver::GameStateJson(Web() ? Web()->FrameIndex() : -1,
                                 Autoplay ? &Autoplay->Player() : nullptr);
    return json.c_str();
}

// The point where a shot would hit the best target in sight now, as x | y << 16; -1 when there
// is none. The built-in player of tqdriver chooses it.
extern "C" EMSCRIPTEN_KEEPALIVE int tq_test_aim() {
    static const driver::Autoplayer player(0);
    if (!Web()) return -1;
    const platform::Point cursor = Web()->CursorPos();
    const driver::Autoplayer::Aim aim =
        player.ChooseTarget(cursor.x, cursor.y, gamestate::AverageFrameTime);
    if (aim.index < 0) return -1;
    return aim.x | (aim.y << 16);
}

// Where the game's cursor is now, as x | y << 16.
extern "C" EMSCRIPTEN_KEEPALIVE int tq_test_cursor() {
    if (!Web()) return 0;
    const platform::Point cursor = Web()->CursorPos();
    return cursor.x | (cursor.y << 16);
}

// Lets tqdriver's player play `rounds` rounds from now on (0: on and on), then close the game.
extern "C" EMSCRIPTEN_KEEPALIVE void tq_test_autoplay(int rounds) {
    if (!Web()) return;
    Autoplay = std::make_unique<PagePlayer>(rounds);
    Web()->SetInputScript(
        [](platform::web::WebBackend& web, int frame) { Autoplay->BeforeFrame(web, frame); });
}
