#include "flow/game_frame.h"

#include "display/display_device.h"
#include "flow/controller_buttons.h"
#include "flow/game_screen.h"
#include "flow/menu_screen.h"
#include "gamestate/devices.h"
#include "gamestate/frame_timing.h"
#include "gamestate/game_state.h"
#include "platform/platform.h"
#include "presentation/screen_surfaces.h"

namespace flow {

namespace {

constexpr uint32_t StartScreenMs = 4000;

HRESULT StartScreenFrame() {
    uint32_t now = platform::Ticks();
    if (gamestate::Game.StartScreenTime == 0) gamestate::Game.StartScreenTime = now;
    // No input is read: a click does not shorten the start screen.
    if (now - gamestate::Game.StartScreenTime > StartScreenMs)
        gamestate::Game.GameScreen = gamestate::MenuEntryScreen;
    gamestate::Display->DrawSurface(0, 0, presentation::StartScreenSurface, nullptr);
    return gamestate::Display->ShowFrame();
}

}  // namespace

namespace {

HRESULT RunScreen(platform::Point cursor) {
    if (gamestate::Game.GameScreen >= gamestate::GamePlayScreen) return GamePlayFrame(cursor);
    if (gamestate::Game.GameScreen == gamestate::StartScreen) return StartScreenFrame();
    if (gamestate::Game.GameScreen == gamestate::MenuEntryScreen) MenuEntry();
    return MenuScreenFrame(cursor);
}

}  // namespace

HRESULT GameFrame() {
    gamestate::UpdateFrameTiming();
    gamestate::Game.ClickPoint = gamestate::ScreenPoint{};
    platform::Point cursor = platform::CursorPos();
    if (!gamestate::Display) return E_POINTER;
    const HRESULT hr = RunScreen(cursor);
    platform::SetTextInputWanted(TypingAName());
    return hr;
}

}  // namespace flow
