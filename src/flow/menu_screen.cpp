#include "flow/menu_screen.h"

#include "display/display_device.h"
#include "flow/controller_buttons.h"
#include "flow/game_frame.h"
#include "gamestate/devices.h"
#include "gamestate/frame_timing.h"
#include "gamestate/game_state.h"
#include "gamestate/round_state.h"
#include "gamestate/sound_files.h"
#include "presentation/bitmap_font.h"
#include "presentation/main_menu.h"
#include "presentation/screen_surfaces.h"
#include "sound/music_stream.h"
#include "sound/sound_system.h"
#include "world/entity.h"

namespace flow {

namespace {

void PlayStreamedMenuMusic() {
    sound::OpenMusic(gamestate::sound_file::MenuTune);
    sound::PlayMusic(true);
}

// Creates the whole-file menu music if it is missing; true when it was already there or made.
bool EnsureMenuMusic(uint32_t creationFlags) {
    return sound::LoadSoundOnce(gamestate::MenuMusic, gamestate::sound_file::MenuTune,
                                creationFlags);
}

}  // namespace

void MenuEntry() {
    presentation::MainMenu* menu = presentation::Menu;
    if (!menu) return;
    menu->ResetMenu();

    gamestate::Game.LevelLoaded = false;
    gamestate::Game.StartScreenTime = 0;
    // The menu clicks only on a press that began in it: a button still held from the start
    // screen or the round has to be released first.
    gamestate::Game.LeftButtonLatch = true;
    gamestate::Game.SpawnTimer = 0;
    gamestate::Round.RoundEnd = 0;
    gamestate::Game.CameraX = 1600.0f;

    if (menu->StreamMusic == 1 && sound::MusicStream && menu->MusicOn == 0)
        sound::MusicStream->StopSound();
    if (menu->MusicOn == 0) {
        if (menu->StreamMusic == 1) {
            PlayStreamedMenuMusic();
        } else if (EnsureMenuMusic(DSBCAPS_CTRLVOLUME)) {
            gamestate::MenuMusic->StartSound(0, DSBPLAY_LOOPING);
        }
    }

    world::ResetEntityTable();

    CDisplayDevice* display = gamestate::Display.get();
    if (!presentation::LoadingScreenSurface) presentation::LoadLoadingScreen(display);
    if (!presentation::IngameSheet) presentation::LoadIngameSheet(display);
    presentation::CreateMissingFonts(display);

    menu->EnterMenu();
}

HRESULT MenuScreenFrame(platform::Point cursor) {
    presentation::MainMenu* menu = presentation::Menu;
    if (!menu) return E_POINTER;
    const bool leftDown = LeftButtonDown();
    if (leftDown) gamestate::Game.ClickPoint = gamestate::ScreenPoint{cursor.x, cursor.y};

    // Escape acts when it is released; the program is closing, so the latch stays set.
    if (platform::KeyDown(platform::vk::Escape)) {
        gamestate::Game.EscLatch = true;
    } else if (gamestate::Game.EscLatch) {
        platform::PostClose();
    }

    // Only the frame on which a press is first seen clicks.
    if (!leftDown) {
        gamestate::Game.LeftButtonLatch = false;
        gamestate::Game.ClickPoint = gamestate::ScreenPoint{};
    } else if (!gamestate::Game.LeftButtonLatch) {
        gamestate::Game.LeftButtonLatch = true;
        sound::StartWithRetries(menu->clickSound, 0);
    } else {
        gamestate::Game.ClickPoint = gamestate::ScreenPoint{};
    }

    // Keep the menu music running.
    if (menu->MusicOn == 0) {
        if (menu->StreamMusic == 1) {
            if (!sound::MusicStream || !sound::MusicStream->AnyBufferPlaying())
                PlayStreamedMenuMusic();
        } else if (!gamestate::MenuMusic) {
            if (EnsureMenuMusic(0)) gamestate::MenuMusic->StartSound(0, DSBPLAY_LOOPING);
        } else if (!gamestate::MenuMusic->AnyBufferPlaying()) {
            gamestate::MenuMusic->StartSound(0, DSBPLAY_LOOPING);
        }
    }

    menu->MenuFrame(cursor.x, cursor.y, gamestate::Game.ClickPoint.x, gamestate::Game.ClickPoint.y,
                    gamestate::AverageFrameTime);
    DrawCrosshair(cursor.x, cursor.y);
    return gamestate::Display->ShowFrame();
}

}  // namespace flow
