#include "app/game_reset.h"

#include "app/application.h"
#include "display/display_device.h"
#include "flow/controls.h"
#include "gamestate/asset_catalogue.h"
#include "gamestate/devices.h"
#include "gamestate/frame_timing.h"
#include "gamestate/game_state.h"
#include "gamestate/pause.h"
#include "gamestate/point_popups.h"
#include "gamestate/round_state.h"
#include "presentation/bitmap_font.h"
#include "presentation/level_assets.h"
#include "presentation/loading_screen.h"
#include "presentation/main_menu.h"
#include "sound/sound_system.h"
#include "world/bell_notes.h"
#include "world/entity.h"
#include "world/shot.h"
#include "world/weapon.h"

namespace app {

void ResetGame() {
    // The music thread reads the menu's options: it ends before anything else goes.
    sound::ResetSoundSystem();
    flow::ResetControls();
    world::ReleaseHitSounds();
    world::ReleaseBellNotes();
    gamestate::ReleaseEffectSounds();
    gamestate::ReleaseWholeFileMusic();
    presentation::ReleaseMenu();
    presentation::ReleaseFonts();
    presentation::ReleaseAllSurfaces();
    presentation::ResetLoadingScreen();
    world::ReleaseWeapon();
    world::ClearEntityTable();
    gamestate::Display.reset();
    gamestate::Game = gamestate::GameState{};
    gamestate::Round = gamestate::RoundState{};
    gamestate::PetalsShot = 0;
    gamestate::Pause = gamestate::PauseState{};
    gamestate::ClearPointPopups();
    gamestate::ResetFrameTiming();
    Shell = ShellState{};
}

}  // namespace app
