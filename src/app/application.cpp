#include "app/application.h"

#include <cstdlib>

#include "app/sound_startup.h"
#include "display/display_device.h"
#include "flow/game_frame.h"
#include "gamestate/devices.h"
#include "gamestate/frame_timing.h"
#include "gamestate/game_state.h"
#include "gamestate/pause.h"
#include "persistence/high_scores.h"
#include "persistence/save_directory.h"
#include "presentation/bitmap_font.h"
#include "presentation/level_assets.h"
#include "presentation/main_menu.h"
#include "presentation/screen_surfaces.h"
#include "sound/file_failures.h"
#include "world/weapon.h"

namespace app {

int AppActive = 0;
uint32_t LastFrameTime = 0;
bool RestorePending = false;

namespace {

constexpr const char* DisplayModeMessage = "This display card does not support 800x600x16. ";
constexpr const char* DisplayFailedMessage = "DirectDraw init failed. Tannenquirl wird beendet";
constexpr const char* SavesLostMessage =
    "Highscores und Einstellungen können nicht gespeichert werden.";

}  // namespace

void ResetApplicationState() {
    AppActive = 0;
    LastFrameTime = 0;
    RestorePending = false;
    gamestate::ResetFrameTiming();
}

HRESULT InitApplication(int* exitCode) {
    std::srand(platform::Ticks());
    if (!platform::CurrentBackend() ||
        !platform::CurrentBackend()->OpenWindow("Tannenquirl Rauze")) {
        if (exitCode) *exitCode = ExitNoWindow;
        return E_FAIL;
    }
    if (Failed(StartSoundOutput())) {
        platform::ShowMessageBox("Error initializing DirectSound.", "Tannenquirl Rauze", true);
        if (exitCode) *exitCode = ExitNoSound;
        return E_FAIL;
    }
    StartMusicWorker();
    gamestate::ResetFrameTiming();
    return S_OK;
}

HRESULT InitDisplay() {
    gamestate::Display = new CDisplayDevice();
    HRESULT hr = gamestate::Display->OpenFullScreen(800, 600, 16);
    if (Failed(hr)) {
        platform::ShowMessageBox(DisplayModeMessage, "Tannenquirl", true);
        return hr;
    }
    if (presentation::Menu) presentation::Menu->display = gamestate::Display;
    presentation::ReloadSurface(gamestate::Display, presentation::StartScreenSurface,
                                presentation::StartScreenFile, 800, 600, CLR_INVALID);
    return S_OK;
}

HRESULT RunFrame() {
    RefillMusicBetweenFrames();
    // A failed sound file is reported here, between frames, once; the box is modal.
    sound::ShowFileFailures();
    uint32_t now = platform::Ticks();
    uint32_t elapsed = now - LastFrameTime;
    LastFrameTime = now;
    HRESULT hr = flow::GameFrame(elapsed);
    if (Failed(hr) && hr != DDERR_SURFACELOST) return hr;
    if (hr == DDERR_SURFACELOST) {
        // Clear first, so that one frame never restores twice.
        RestorePending = false;
        RestoreSurfaces();
    }
    if (RestorePending) {
        RestoreSurfaces();
        RestorePending = false;
    }
    return S_OK;
}

HRESULT RestoreSurfaces() {
    if (!gamestate::Display) return E_POINTER;
    // A window that merely comes back (from a minimise, or with the focus) still has every
    // picture: nothing is reloaded and play goes on at once.
    HRESULT hr = gamestate::Display->RestoreAllSurfaces();
    if (hr != S_OK) return hr;
    // Reloading every picture takes seconds; they are not the player's.
    if (gamestate::GameScreen == gamestate::GamePlayScreen)
        gamestate::BeginPause(platform::Ticks());
    presentation::LoadLoadingScreen(gamestate::Display);
    if (presentation::Menu) presentation::Menu->LoadMenuBitmaps();
    presentation::LoadIngameSheet(gamestate::Display);
    presentation::ReleaseFonts();
    presentation::CreateMissingFonts(gamestate::Display);
    // A level that is not loaded yet has nothing to restore: its loading frame loads it whole.
    if (gamestate::GameScreen >= gamestate::GamePlayScreen && gamestate::LevelLoaded)
        presentation::LoadLevelAssets(gamestate::Display, false);
    world::RestoreWeapon(gamestate::Display);
    return S_OK;
}

void WindowProc(const platform::Event& event) {
    switch (event.type) {
        case platform::EventType::Close:
            // A name being typed is kept as it stands, however the game is closed.
            if (presentation::Menu && persistence::NameEntryOpen(presentation::Menu->highScores))
                persistence::EndNameEntry(presentation::Menu->highScores);
            // Closing destroys the window: every picture goes, then the loop ends.
            presentation::ReleaseAllSurfaces(gamestate::Display);
            platform::PostQuit(ExitClosed);
            if (platform::CurrentBackend()) platform::CurrentBackend()->CloseWindow();
            break;
        case platform::EventType::Move:
            if (event.x == 0 && event.y == 0 && gamestate::MinimizedInGame) RestorePending = true;
            if (gamestate::Display) gamestate::Display->RefreshScreenRect();
            break;
        case platform::EventType::Size:
            // Losing the focus and then minimising reports the game gone twice: the pause of
            // the first goes on.
            if (event.sizeKind == platform::SizeKind::Minimized &&
                gamestate::GameScreen == gamestate::GamePlayScreen) {
                gamestate::BeginPause(platform::Ticks());
            }
            AppActive = (event.sizeKind == platform::SizeKind::MaxHide ||
                         event.sizeKind == platform::SizeKind::Minimized)
                            ? 0
                            : 1;
            if (gamestate::Display) gamestate::Display->RefreshScreenRect();
            break;
        case platform::EventType::ExitSizeMove:
            LastFrameTime = platform::Ticks();
            break;
        case platform::EventType::Quit:
            break;
    }
}

int RunMessageLoop() {
    for (;;) {
        platform::Event event;
        if (platform::PollEvent(event)) {
            if (event.type == platform::EventType::Quit) return event.code;
            WindowProc(event);
        } else if (AppActive == 1) {
            RunFrame();
        } else {
            platform::WaitEvent();
            LastFrameTime = platform::Ticks();
        }
    }
}

void Shutdown() {
    StopMusicWorker();
    StopSoundOutput();
    presentation::ReleaseAllSurfaces(gamestate::Display);
}

int GameMain(const std::function<void()>& onLoopEnd) {
    std::srand(platform::Ticks());
    // The menu exists before anything else: it reads the high scores and the options.
    presentation::CreateMainMenu();
    int failure = ExitNoWindow;
    if (Failed(InitApplication(&failure))) {
        Shutdown();
        return failure;
    }
    if (Failed(InitDisplay())) {
        platform::ShowMessageBox(DisplayFailedMessage, "Tannenquirl", true);
        Shutdown();
        return ExitNoDisplayMode;
    }
    // Saves that cannot be written fail quietly each time; the player is told once, here.
    if (!persistence::SaveDirectoryWritable())
        platform::ShowMessageBox(SavesLostMessage, "Tannenquirl Rauze", true);
    int code = RunMessageLoop();
    if (onLoopEnd) onLoopEnd();
    Shutdown();
    return code;
}

}  // namespace app
