// Placeholder until the menu lands: the entry switches straight to the menu screen, and the
// menu frame shows black with the crosshair; a click starts a game and Escape closes.
#include "flow/menu_screen.h"

#include "app/application.h"
#include "display/display_device.h"
#include "flow/game_frame.h"
#include "flow/game_state.h"
#include "presentation/screen_surfaces.h"

namespace flow {

void MenuEntry() {
    LevelLoaded = false;
    StartScreenTime = 0;
    SpawnTimer = 0;
    CameraX = 1600.0f;
    if (!presentation::LoadingScreenSurface) presentation::LoadLoadingScreen(app::Display);
    if (!presentation::IngameSheet) presentation::LoadIngameSheet(app::Display);
    GameScreen = MenuScreen;
}

HRESULT MenuScreenFrame(platform::Point cursor) {
    if (platform::KeyDown(platform::vk::Escape)) {
        EscLatch = true;
    } else if (EscLatch) {
        platform::PostClose();
    }
    bool down = platform::KeyDown(platform::vk::LButton);
    if (!down) {
        LeftButtonLatch = false;
    } else if (!LeftButtonLatch) {
        LeftButtonLatch = true;
        GameScreen = GamePlayScreen;
    }
    app::Display->ClearBackBuffer(0);
    DrawCrosshair(cursor.x, cursor.y);
    return app::Display->ShowFrame();
}

}  // namespace flow
