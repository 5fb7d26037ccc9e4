#include "app/application.h"

#include "app/game_reset.h"
#include "app/sound_startup.h"
#include "display/display_device.h"
#include "flow/game_frame.h"
#include "gamestate/devices.h"
#include "gamestate/game_state.h"
#include "gamestate/pause.h"
#include "gamestate/rules_random.h"
#include "persistence/high_scores.h"
#include "persistence/save_directory.h"
#include "presentation/bitmap_font.h"
#include "presentation/level_assets.h"
#include "presentation/main_menu.h"
#include "presentation/screen_surfaces.h"
#include "sound/file_failures.h"
#include "world/weapon.h"

namespace app {

ShellState Shell;

namespace {

constexpr const char* DisplayModeMessage = "This display card does not support 800x600x16. ";
constexpr const char* DisplayFailedMessage = "DirectDraw init failed. Tannenquirl wird beendet";
constexpr const char* SavesLostMessage =
    "Highscores und Einstellungen können nicht gespeichert werden.";

// The window goes: every picture, then the display itself.
void ReleaseDisplay() {
    presentation::ReleaseAllSurfaces();
    gamestate::Display.reset();
}

}  // namespace

HRESULT InitApplication(int* exitCode) {
    gamestate::SeedRand(platform::Ticks());
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
    return S_OK;
}

HRESULT InitDisplay() {
    gamestate::Display = std::make_unique<CDisplayDevice>();
    HRESULT hr = gamestate::Display->OpenFullScreen(800, 600, 16);
    if (Failed(hr)) {
        platform::ShowMessageBox(DisplayModeMessage, "Tannenquirl", true);
        return hr;
    }
    if (presentation::Menu) presentation::Menu->display = gamestate::Display.get();
    presentation::ReloadSurface(gamestate::Display.get(), presentation::StartScreenSurface,
                                presentation::StartScreenFile, 800, 600, CLR_INVALID);
    return S_OK;
}

HRESULT RunFrame() {
    RefillMusicBetweenFrames();
    const int32_t screenBefore = gamestate::Game.GameScreen;
    // A failed sound file is reported here, between frames, once; the box is modal.
    sound::ShowFileFailures();
    HRESULT hr = flow::GameFrame();
    if (Failed(hr) && hr != DDERR_SURFACELOST) return hr;
    if (hr == DDERR_SURFACELOST) {
        // Clear first, so that one frame never restores twice.
        Shell.RestorePending = false;
        RestoreSurfaces();
    }
    if (Shell.RestorePending) {
        RestoreSurfaces();
        Shell.RestorePending = false;
    }
    RoundFrameEnded(screenBefore);
    return S_OK;
}

HRESULT RestoreSurfaces() {
    CDisplayDevice* display = gamestate::Display.get();
    if (!display) return E_POINTER;
    // A window that merely comes back (from a minimise, or with the focus) still has every
    // picture: nothing is reloaded and play goes on at once.
    HRESULT hr = display->RestoreAllSurfaces();
    if (hr != S_OK) return hr;
    // Reloading every picture takes seconds; they are not the player's.
    if (gamestate::Game.GameScreen == gamestate::GamePlayScreen)
        gamestate::BeginPause(platform::Ticks());
    presentation::LoadLoadingScreen(display);
    if (presentation::Menu) presentation::Menu->LoadMenuBitmaps();
    presentation::LoadIngameSheet(display);
    presentation::ReleaseFonts();
    presentation::CreateMissingFonts(display);
    // A level that is not loaded yet has nothing to restore: its loading frame loads it whole.
    if (gamestate::Game.GameScreen >= gamestate::GamePlayScreen && gamestate::Game.LevelLoaded)
        presentation::LoadLevelAssets(display, false);
    world::RestoreWeapon(display);
    return S_OK;
}

void WindowProc(const platform::Event& event) {
    switch (event.type) {
        case platform::EventType::Close:
            // A name being typed is kept as it stands, however the game is closed.
            if (presentation::Menu && persistence::NameEntryOpen(presentation::Menu->highScores))
                persistence::EndNameEntry(presentation::Menu->highScores);
            // Closing destroys the window: every picture and the display go, then the loop ends.
            ReleaseDisplay();
            platform::PostQuit(ExitClosed);
            if (platform::CurrentBackend()) platform::CurrentBackend()->CloseWindow();
            break;
        case platform::EventType::Move:
            if (event.x == 0 && event.y == 0 && gamestate::Pause.MinimizedInGame)
                Shell.RestorePending = true;
            break;
        case platform::EventType::Size:
            // Losing the focus and then minimising reports the game gone twice: the pause of
            // the first goes on.
            if (event.sizeKind == platform::SizeKind::Minimized &&
                gamestate::Game.GameScreen == gamestate::GamePlayScreen) {
                gamestate::BeginPause(platform::Ticks());
            }
            Shell.AppActive = (event.sizeKind == platform::SizeKind::MaxHide ||
                               event.sizeKind == platform::SizeKind::Minimized)
                                  ? 0
                                  : 1;
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
        } else if (Shell.AppActive == 1) {
            RunFrame();
        } else {
            platform::WaitEvent();
        }
    }
}

void Shutdown() {
    StopMusicWorker();
    StopSoundOutput();
    ReleaseDisplay();
}

int GameMain(const RunSettings& settings, const std::function<void()>& onLoopEnd) {
    // A run in a process that has run the game before starts as the first one did.
    ResetGame();
    SetRoundRecording(settings.recording);
    if (settings.panorama) gamestate::Game.PanoramaMode = true;
    gamestate::SeedRand(platform::Ticks());
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
    gamestate::Display->SetDrawing(settings.drawFrames);
    if (settings.recording.replay) {
        std::string message;
        if (!BeginReplay(message)) {
            platform::ShowMessageBox(message.c_str(), "Tannenquirl Rauze", true);
            Shutdown();
            return ExitBadRecording;
        }
    } else if (!persistence::SaveDirectoryWritable()) {
        // Saves that cannot be written fail quietly each time; the player is told once, here.
        platform::ShowMessageBox(SavesLostMessage, "Tannenquirl Rauze", true);
    }
    int code = RunMessageLoop();
    RoundRecordingGameClosed();
    if (onLoopEnd) onLoopEnd();
    Shutdown();
    return code;
}

}  // namespace app
