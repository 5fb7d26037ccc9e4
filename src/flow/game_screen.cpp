#include "flow/game_screen.h"

#include "display/display_device.h"
#include "flow/bell_hints.h"
#include "flow/camera.h"
#include "flow/controller_buttons.h"
#include "flow/controls.h"
#include "flow/game_frame.h"
#include "flow/round_lifecycle.h"
#include "flow/timed_spawn.h"
#include "gamestate/asset_catalogue.h"
#include "gamestate/devices.h"
#include "gamestate/frame_timing.h"
#include "gamestate/game_state.h"
#include "gamestate/pause.h"
#include "presentation/background.h"
#include "presentation/hud.h"
#include "presentation/info_banner.h"
#include "presentation/level_assets.h"
#include "presentation/menu_link.h"
#include "presentation/screen_surfaces.h"
#include "sound/sound.h"
#include "world/bell_notes.h"
#include "world/entity.h"
#include "world/scenery.h"
#include "world/shot.h"
#include "world/weapon.h"

namespace flow {

namespace {

constexpr uint32_t HoldBeforeRoundMs = 3000;

// Updates and draws every active entity of `group`, all with the same time read once before
// the loop. Returns that time.
uint32_t UpdateAndDrawGroup(CDisplayDevice* display, world::EntityGroup group, float scroll) {
    const uint32_t now = platform::Ticks();
    const int camera = static_cast<int>(gamestate::Game.CameraX);
    for (int i = group.first; i <= group.last; ++i) {
        world::Entity& entity = world::EntityAt(i);
        if (entity.active != 1) continue;
        entity.update(camera, now);
        entity.draw(display, scroll, now);
    }
    return now;
}

void LeaveToMenu() {
    gamestate::Game.EscLatch = false;
    gamestate::Game.GameScreen = gamestate::MenuEntryScreen;
    if (presentation::CurrentMusicOptions().StreamMusic == 0) {
        if (gamestate::GameMusic) gamestate::GameMusic->StopSound();
        if (gamestate::MenuMusic) {
            if (CSoundBuffer* buffer = gamestate::MenuMusic->BufferAt(0)) buffer->SetVolume(0);
        }
    }
}

// Escape acts when it is released, so a key still held from the menu does nothing.
void TestEscape() {
    if (EscapeDownInRound()) {
        gamestate::Game.EscLatch = true;
    } else if (gamestate::Game.EscLatch) {
        LeaveToMenu();
    }
}

// The sounds that are made on their first play, and the round's music, are read with the level,
// so that no frame of the round waits for a file.
void PrepareSoundsOfTheRound() {
    PrepareRoundMusic();
    PrepareControlSounds();
    world::PrepareHitSounds();
    world::PrepareBellNotes();
    world::PrepareScenerySounds();
}

HRESULT LoadLevel(CDisplayDevice* display) {
    // The hold before the round counts from here, so it includes the loading time.
    gamestate::Game.StartScreenTime = platform::Ticks();
    display->DrawSurface(0, 0, presentation::LoadingScreenSurface, nullptr);
    const HRESULT hr = display->ShowFrame();
    if (Failed(hr)) {
        // No hold runs for a level that is not loaded: the next frame shows the loading screen
        // again and loads then, and the round starts once, after that load.
        gamestate::Game.StartScreenTime = 0;
        return hr;
    }
    presentation::LoadLevelAssets(display, true);
    PrepareSoundsOfTheRound();
    gamestate::Game.LevelLoaded = true;
    return hr;
}

}  // namespace

HRESULT GamePlayFrame(platform::Point) {
    CDisplayDevice* display = gamestate::Display.get();

    // The hold before the round: the loading screen stays up and nothing is read, not even
    // Escape. A press made while loading or holding never fires: the round starts with the
    // button taken as pressed.
    if (gamestate::Game.StartScreenTime != 0 &&
        gamestate::Game.StartScreenTime != gamestate::NotScheduled) {
        if (platform::Ticks() - gamestate::Game.StartScreenTime < HoldBeforeRoundMs) return S_OK;
        StartRound();
        gamestate::Game.StartScreenTime = gamestate::NotScheduled;
    }

    AccountPause();
    display->ClearBackBuffer(0);
    TestEscape();
    TestRoundEnd();
    if (!gamestate::Game.LevelLoaded) return LoadLevel(display);
    if (gamestate::AverageFrameTime == 0.0f) return S_OK;

    CheckQuotaStage();
    const platform::Point cursor = RunControls();
    ScrollCamera(cursor.x);
    TimedSpawn();

    presentation::DrawBackgroundLayer(display, gamestate::FarLayer);
    UpdateAndDrawGroup(display, world::FarGroup, gamestate::Game.FarScroll);
    presentation::DrawBackgroundLayer(display, gamestate::MidLayer);
    UpdateAndDrawGroup(display, world::MidGroup, gamestate::Game.MidScroll);
    presentation::DrawBackgroundLayer(display, gamestate::NearLayer);
    const uint32_t nearTime =
        UpdateAndDrawGroup(display, world::NearGroup, gamestate::Game.CameraX);

    PlayBellHints(nearTime);
    RunShotLoop();
    presentation::DrawHud(display);
    DrawCrosshair(cursor.x, cursor.y);
    world::DrawPlayerWeapon(display, cursor.x - 21, cursor.y - 21);
    PlayUnlockFanfare();
    presentation::DrawInfoBanner(display, nearTime);

    const HRESULT hr = display->ShowFrame();
    if (Succeeded(hr) && gamestate::Pause.Pausing) EndPause();
    return hr;
}

}  // namespace flow
