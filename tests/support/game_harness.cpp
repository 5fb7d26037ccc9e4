#include "support/game_harness.h"

#include "app/application.h"
#include "flow/bell_hints.h"
#include "flow/controls.h"
#include "gamestate/asset_catalogue.h"
#include "gamestate/game_state.h"
#include "gamestate/pause.h"
#include "gamestate/point_popups.h"
#include "gamestate/round_state.h"
#include "presentation/level_assets.h"
#include "presentation/main_menu.h"
#include "presentation/screen_surfaces.h"
#include "sound/sound_system.h"
#include "world/bell_notes.h"
#include "world/entity.h"
#include "world/shot.h"
#include "world/weapon.h"

namespace testing_support {

void ResetAllGameState() {
    world::ReleaseHitSoundsForTests();
    flow::ResetControlsForTests();
    sound::ResetForTests();
    app::ResetApplicationState();
    presentation::ResetMenuForTests();
    presentation::ReleaseCatalogueForTests();
    presentation::ReleaseScreenSurfaces();
    world::ReleaseWeapon();
    world::ClearEntityTableForTests();
    gamestate::ClearPointPopups();
    gamestate::ResetRoundForTests();
    world::ReleaseBellNotesForTests();
    gamestate::ResetGameState();
    gamestate::ResetPauseState();
}

bool InMenu() {
    return gamestate::GameScreen == gamestate::MenuScreen;
}

bool Playing() {
    return gamestate::GameScreen == gamestate::GamePlayScreen &&
           gamestate::StartScreenTime == gamestate::NotScheduled;
}

bool TypingAName() {
    return InMenu() && presentation::Menu && presentation::Menu->highScores.editing == 1;
}

GameHarness::GameHarness() {
    platform::SetBackend(&backend_);
    ResetAllGameState();
}

GameHarness::~GameHarness() {
    ResetAllGameState();
    platform::SetBackend(nullptr);
}

int GameHarness::Run(int frames, FrameScript beforeFrame, FrameScript afterFrame) {
    before_ = std::move(beforeFrame);
    after_ = std::move(afterFrame);
    frames_ = frames;
    closing_ = false;
    backend_.SetFrameHooks(this);
    int code = app::GameMain();
    backend_.SetFrameHooks(nullptr);
    return code;
}

void GameHarness::BeforeFrame(platform::HeadlessBackend& backend, int frame) {
    backend.AdvanceTime(stepMs);
    if (frame >= frames_) {
        if (!closing_) backend.PostClose();
        closing_ = true;
        return;
    }
    if (before_) before_(backend, frame);
}

void GameHarness::AfterFrame(platform::HeadlessBackend& backend, int frame) {
    lastFrame_ = frame;
    if (after_) after_(backend, frame);
}

}  // namespace testing_support
