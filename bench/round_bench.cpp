// A whole round played by the autoplayer, in virtual time, with streamed music: its cost and the
// process's peak memory. For the memory figure run it alone:
//   build/bench/tq_bench --benchmark_filter=WholeRound
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>

#include "app/application.h"
#include "autoplayer.h"
#include "gamestate/game_state.h"
#include "persistence/save_directory.h"
#include "platform/headless/headless_backend.h"

namespace {

class RoundRun : public platform::HeadlessBackend::FrameHooks {
  public:
    driver::Autoplayer player{1};
    int frames = 0;
    void BeforeFrame(platform::HeadlessBackend& backend, int frame) override {
        backend.AdvanceTime(16);
        player.BeforeFrame(backend, frame);
        // Sound is mixed as time passes, as the audio callback would.
        backend.RenderAudio(44100 * 16 / 1000);
        frames = frame + 1;
        if (frame > 40000) backend.PostClose();  // a round never lasts this long
    }
    void AfterFrame(platform::HeadlessBackend&, int) override {}
};

void BM_WholeRoundAutoplay(benchmark::State& state) {
    std::filesystem::path saves = std::filesystem::temp_directory_path() / "tq-bench-saves";
    std::filesystem::create_directories(saves);
    std::filesystem::current_path(TQ_DATA_DIR);
    persistence::SetSaveDirectory(saves.string());
    int frames = 0;
    for (auto _ : state) {
        platform::HeadlessBackend backend;
        RoundRun run;
        backend.SetFrameHooks(&run);
        platform::SetBackend(&backend);
        app::ResetApplicationState();
        gamestate::ResetGameState();
        app::GameMain();
        platform::SetBackend(nullptr);
        frames = run.frames;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["frames"] = frames;
    state.counters["peakMB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    persistence::SetSaveDirectory("");
    std::filesystem::remove_all(saves);
}
BENCHMARK(BM_WholeRoundAutoplay)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
