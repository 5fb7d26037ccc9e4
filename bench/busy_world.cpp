#include "busy_world.h"

#include <filesystem>
#include <memory>

#include "flow/game_screen.h"
#include "flow/round_lifecycle.h"
#include "gamestate/devices.h"
#include "gamestate/frame_timing.h"
#include "gamestate/game_state.h"
#include "gamestate/round_state.h"
#include "presentation/level_assets.h"
#include "world/entity.h"
#include "world/spawning.h"

namespace bench {

BusyWorld::BusyWorld(const char* dataDir) {
    std::filesystem::current_path(dataDir);
    backend_.OpenWindow("bench");
    platform::SetBackend(&backend_);
    gamestate::Display = std::make_unique<CDisplayDevice>();
    display_ = gamestate::Display.get();
    display_->OpenFullScreen(800, 600, 16);
    presentation::LoadLevelAssets(display_, true);
    gamestate::Game.GameScreen = gamestate::GamePlayScreen;
    gamestate::Game.LevelLoaded = true;
    gamestate::Game.StartScreenTime = gamestate::NotScheduled;
    Populate(Forest);
}

BusyWorld::~BusyWorld() {
    gamestate::Display.reset();
    platform::SetBackend(nullptr);
}

void BusyWorld::Enter(const View& view, bool afresh) {
    if (view.panorama == current_.panorama && !afresh) return;
    for (world::Entity& e : world::EntityTable) {
        if (e.spawnable) e.active = 0;
    }
    Populate(view);
}

void BusyWorld::PlayFrame() {
    backend_.AdvanceTime(16);
    flow::GamePlayFrame({400, 300});
}

void BusyWorld::Populate(const View& view) {
    current_ = view;
    gamestate::Game.PanoramaMode = view.panorama;
    gamestate::Game.CameraX = view.spawnCamera;
    flow::StartRound();
    gamestate::Round.QuotaStage = 2;
    while (ActiveEntities() < 150) {
        world::spawnAnimal(2 + ActiveEntities() % 2, 1, 0, false);
    }
    gamestate::AverageFrameTime = 16.0f;
    gamestate::Game.CameraX = view.camera;
    backend_.SetCursor(400, 300);
}

int BusyWorld::ActiveEntities() {
    int n = 0;
    for (const world::Entity& e : world::EntityTable) n += e.active;
    return n;
}

}  // namespace bench
