#include "flow/game_frame.h"

#include "app/application.h"
#include "display/display_device.h"
#include "flow/game_screen.h"
#include "flow/game_state.h"
#include "flow/menu_screen.h"
#include "platform/platform.h"
#include "presentation/screen_surfaces.h"

namespace flow {

namespace {

constexpr uint32_t StartScreenMs = 4000;

HRESULT StartScreenFrame() {
    uint32_t now = platform::Ticks();
    if (StartScreenTime == 0) StartScreenTime = now;
    // No input is read: a click does not shorten the start screen.
    if (now - StartScreenTime > StartScreenMs) GameScreen = MenuEntryScreen;
    app::Display->DrawSurface(0, 0, presentation::StartScreenSurface, nullptr);
    return app::Display->ShowFrame();
}

}  // namespace

HRESULT GameFrame(uint32_t) {
    app::UpdateFrameTiming();
    ClickPoint = ScreenPoint{};
    platform::Point cursor = platform::CursorPos();
    if (!app::Display) return E_POINTER;
    if (GameScreen >= GamePlayScreen) return GamePlayFrame(cursor);
    if (GameScreen == StartScreen) return StartScreenFrame();
    if (GameScreen == MenuEntryScreen) MenuEntry();
    return MenuScreenFrame(cursor);
}

}  // namespace flow
