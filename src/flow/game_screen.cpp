#include "flow/game_screen.h"

#include "app/application.h"
#include "display/display_device.h"
#include "flow/game_frame.h"
#include "flow/game_state.h"
#include "presentation/level_assets.h"
#include "presentation/screen_surfaces.h"

namespace flow {

namespace {
constexpr uint32_t HoldBeforeRoundMs = 3000;
}

HRESULT GamePlayFrame(platform::Point cursor) {
    uint32_t now = platform::Ticks();
    if (StartScreenTime != 0) {
        if (now - StartScreenTime < HoldBeforeRoundMs) return S_OK;
        StartScreenTime = NotScheduled;
    }
    app::Display->ClearBackBuffer(0);
    if (platform::KeyDown(platform::vk::Escape)) {
        EscLatch = true;
    } else if (EscLatch) {
        EscLatch = false;
        GameScreen = MenuEntryScreen;
    }
    if (!LevelLoaded) {
        StartScreenTime = now;
        app::Display->DrawSurface(0, 0, presentation::LoadingScreenSurface, nullptr);
        HRESULT hr = app::Display->ShowFrame();
        if (Failed(hr)) return hr;
        presentation::LoadLevelAssets(app::Display, true);
        LevelLoaded = true;
        return hr;
    }
    if (app::AverageFrameTime == 0.0f) return S_OK;
    DrawCrosshair(cursor.x, cursor.y);
    return app::Display->ShowFrame();
}

}  // namespace flow
