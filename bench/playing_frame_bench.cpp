// The cost of a busy playing frame with the real asset pack: all three layers, 150 entities and
// the HUD; in the forest, and on the whole hunting ground with the view across the world's seam,
// where the far and middle layers show three tiles each. Run from the build directory after
// `cmake --build . --target assets`.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <optional>

#include "app/round_inheritance.h"
#include "app/round_recording.h"
#include "busy_world.h"
#include "gamestate/game_state.h"
#include "platform/replay/recording_backend.h"
#include "presentation/background.h"
#include "presentation/hud.h"
#include "world/entity.h"

namespace {

using bench::BusyWorld;
using bench::Forest;
using bench::Panorama;

BusyWorld& World() {
    static BusyWorld world(TQ_DATA_DIR);
    return world;
}

// `recorded`: the round is recorded as the game records it, with the digest of the rules' state
// every CheckpointFrames frames, from the same crowd as the frame without.
void RunPlayingFrames(benchmark::State& state, const bench::View& view, bool recorded = false) {
    BusyWorld& world = World();
    world.Enter(view, recorded);
    std::optional<platform::replay::RecordingBackend> recorder;
    if (recorded) {
        recorder.emplace(world.Backend());
        platform::SetBackend(&*recorder);
        recorder->Begin({});
    }
    int frame = 0;
    for (auto _ : state) {
        world.PlayFrame();
        if (recorded && ++frame % app::CheckpointFrames == 0)
            platform::Checkpoint(app::RulesDigest());
    }
    state.counters["entities"] = BusyWorld::ActiveEntities();
    if (recorder) {
        size_t bytes = 0;
        for (const auto& block : recorder->End().blocks) bytes += block.bytes.size();
        state.counters["bytesPerFrame"] = static_cast<double>(bytes) / std::max(frame, 1);
        platform::SetBackend(&world.Backend());
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
    CDisplayDevice* display = world.Display();
    for (auto _ : state) {
        world.Backend().AdvanceTime(16);
        const uint32_t now = world.Backend().Ticks();
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
