// The cost of a busy playing frame with the real asset pack: all three layers, 150 entities and
// the HUD; in the forest, and on the whole hunting ground with the view across the world's seam,
// where the far and middle layers show three tiles each. Run from the build directory after
// `cmake --build . --target assets`.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "app/round_inheritance.h"
#include "app/round_recording.h"
#include "display/display_device.h"
#include "flow/game_screen.h"
#include "flow/round_lifecycle.h"
#include "gamestate/devices.h"
#include "gamestate/frame_timing.h"
#include "gamestate/game_state.h"
#include "gamestate/round_state.h"
#include "platform/headless/headless_backend.h"
#include "platform/replay/recording_backend.h"
#include "presentation/background.h"
#include "presentation/hud.h"
#include "presentation/level_assets.h"
#include "world/entity.h"
#include "world/spawning.h"

namespace {

// Where a round is played: the camera at its start (the animals spawn around it) and where the
// frames are measured, 350 pixels on.
struct View {
    bool panorama;
    float spawnCamera;
    float camera;
};
// In the middle of the forest's range.
constexpr View Forest{false, 1600.0f, 1950.0f};
// Across the seam: near 4780 (tiles 6 and 1), middle 4541 and far 4302 (tiles 6, 1 and 2).
constexpr View Panorama{true, 4430.0f, 4780.0f};

// A game loaded from the asset pack with a crowded world.
class BusyWorld {
  public:
    BusyWorld() {
        std::filesystem::current_path(TQ_DATA_DIR);
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
    // A round started at the view's spawn camera and crowded with animals, the camera at the
    // view; a new view gets a new round, so both are measured with the same crowd around them.
    void Enter(const View& view, bool afresh = false) {
        if (view.panorama == current_.panorama && !afresh) return;
        for (world::Entity& e : world::EntityTable) {
            if (e.spawnable) e.active = 0;
        }
        Populate(view);
    }
    ~BusyWorld() {
        gamestate::Display.reset();
        platform::SetBackend(nullptr);
    }
    void Populate(const View& view) {
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
    static int ActiveEntities() {
        int n = 0;
        for (const world::Entity& e : world::EntityTable) n += e.active;
        return n;
    }
    platform::HeadlessBackend backend_;
    CDisplayDevice* display_ = nullptr;
    View current_ = Forest;
};

BusyWorld& World() {
    static BusyWorld world;
    return world;
}

// `recorded`: the round is recorded as the game records it, with the digest of the rules' state
// every CheckpointFrames frames, from the same crowd as the frame without.
void RunPlayingFrames(benchmark::State& state, const View& view, bool recorded = false) {
    BusyWorld& world = World();
    world.Enter(view, recorded);
    std::optional<platform::replay::RecordingBackend> recorder;
    if (recorded) {
        recorder.emplace(world.backend_);
        platform::SetBackend(&*recorder);
        recorder->Begin({});
    }
    int frame = 0;
    for (auto _ : state) {
        world.backend_.AdvanceTime(16);
        benchmark::DoNotOptimize(flow::GamePlayFrame({400, 300}));
        if (recorded && ++frame % app::CheckpointFrames == 0)
            platform::Checkpoint(app::RulesDigest());
    }
    state.counters["entities"] = BusyWorld::ActiveEntities();
    if (recorder) {
        size_t bytes = 0;
        for (const auto& block : recorder->End().blocks) bytes += block.bytes.size();
        state.counters["bytesPerFrame"] = static_cast<double>(bytes) / std::max(frame, 1);
        platform::SetBackend(&world.backend_);
    }
}

// The whole playing frame: clear, scene, HUD, crosshair and the present.
void BM_PlayingFrame(benchmark::State& state) {
    RunPlayingFrames(state, Forest);
}
BENCHMARK(BM_PlayingFrame)->Unit(benchmark::kMicrosecond);

// The same frame while the round is recorded, from the same crowd: the recording's cost is the
// difference (the goal: under 2%).
void BM_PlayingFrameFresh(benchmark::State& state) {
    World().Enter(Forest, true);
    RunPlayingFrames(state, Forest);
}
BENCHMARK(BM_PlayingFrameFresh)->Unit(benchmark::kMicrosecond);

void BM_PlayingFrameRecorded(benchmark::State& state) {
    RunPlayingFrames(state, Forest, true);
}
BENCHMARK(BM_PlayingFrameRecorded)->Unit(benchmark::kMicrosecond);

// The same on the whole hunting ground, with the view across the seam.
void BM_PlayingFramePanorama(benchmark::State& state) {
    RunPlayingFrames(state, Panorama);
}
BENCHMARK(BM_PlayingFramePanorama)->Unit(benchmark::kMicrosecond);

// The scene and the HUD alone: three layers, every entity's update and draw, the HUD.
void BM_SceneAndHud(benchmark::State& state) {
    BusyWorld& world = World();
    world.Enter(Forest);
    CDisplayDevice* display = world.display_;
    for (auto _ : state) {
        world.backend_.AdvanceTime(16);
        const uint32_t now = world.backend_.Ticks();
        for (int layer = 1; layer <= 3; ++layer) {
            presentation::DrawBackgroundLayer(display, layer);
            const world::EntityGroup group = layer == 1   ? world::FarGroup
                                             : layer == 2 ? world::MidGroup
                                                          : world::NearGroup;
            const float scroll = layer == 1   ? gamestate::Game.FarScroll
                                 : layer == 2 ? gamestate::Game.MidScroll
                                              : gamestate::Game.CameraX;
            for (int i = group.first; i <= group.last; ++i) {
                world::Entity& e = world::EntityAt(i);
                if (e.active != 1) continue;
                e.update(static_cast<int>(gamestate::Game.CameraX), now);
                e.draw(display, scroll, now);
            }
        }
        presentation::DrawHud(display);
    }
}
BENCHMARK(BM_SceneAndHud)->Unit(benchmark::kMicrosecond);

}  // namespace
