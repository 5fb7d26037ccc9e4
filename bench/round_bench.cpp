// A whole round played by the autoplayer, in virtual time, with streamed music: its cost and the
// process's peak memory, and the frames of the round that took longest. For the memory figure
// run it alone:
//   build/bench/tq_bench --benchmark_filter=WholeRound
// The frame times on a loaded machine vary from run to run; take the medians of a few:
//   build/bench/tq_bench --benchmark_filter=RoundFrameTimes --benchmark_repetitions=7
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "app/application.h"
#include "autoplayer.h"
#include "gamestate/game_state.h"
#include "persistence/save_directory.h"
#include "platform/headless/headless_backend.h"

namespace {

// Runs the real game with its data and a scratch directory for the saves.
class DataDirectory {
  public:
    DataDirectory() : saves_(std::filesystem::temp_directory_path() / "tq-bench-saves") {
        std::filesystem::create_directories(saves_);
        std::filesystem::current_path(TQ_DATA_DIR);
        persistence::SetSaveDirectory(saves_.string());
    }
    ~DataDirectory() {
        persistence::SetSaveDirectory("");
        std::filesystem::remove_all(saves_);
    }

  private:
    std::filesystem::path saves_;
};

// One game from its start to the end of its first round, played by the autoplayer.
void PlayOneRound(platform::HeadlessBackend::FrameHooks& hooks) {
    platform::HeadlessBackend backend;
    backend.SetFrameHooks(&hooks);
    platform::SetBackend(&backend);
    app::GameMain();
    platform::SetBackend(nullptr);
}

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
    DataDirectory data;
    int frames = 0;
    for (auto _ : state) {
        RoundRun run;
        PlayOneRound(run);
        frames = run.frames;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["frames"] = frames;
    state.counters["peakMB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_WholeRoundAutoplay)->Unit(benchmark::kMillisecond)->Iterations(1);

// The time of every frame of the round, from its start after the hold to its end: the first
// plays of the sounds made on first use, the opening of the round's music and the stage changes
// included. The autoplayer never minimises, so no restore of the pictures is among them; the
// level load before the hold is not a frame of the round. The audio mixing and the autoplayer's
// aiming run outside the timed span, as they do outside the frame in the game. Wall-clock time
// is what the player waits for, and on a busy machine it includes the time other programs had
// the core; the thread's CPU time is the frame's own work.
class TimedRoundRun : public RoundRun {
  public:
    std::vector<double> wallMs;
    std::vector<double> cpuMs;
    void BeforeFrame(platform::HeadlessBackend& backend, int frame) override {
        RoundRun::BeforeFrame(backend, frame);
        playingBefore_ = gamestate::Game.GameScreen == gamestate::GamePlayScreen;
        cpuStarted_ = ThreadCpuMs();
        started_ = std::chrono::steady_clock::now();
    }
    void AfterFrame(platform::HeadlessBackend&, int) override {
        const auto took = std::chrono::steady_clock::now() - started_;
        const double cpu = ThreadCpuMs() - cpuStarted_;
        if (!playingBefore_ || gamestate::Game.StartScreenTime != gamestate::NotScheduled) return;
        wallMs.push_back(std::chrono::duration<double, std::milli>(took).count());
        cpuMs.push_back(cpu);
    }

  private:
    static double ThreadCpuMs() {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
    }
    bool playingBefore_ = false;
    double cpuStarted_ = 0.0;
    std::chrono::steady_clock::time_point started_;
};

// The frame that 99.9 % of the frames do not exceed, and the worst.
void ReportSlowest(benchmark::State& state, std::vector<double> ms, const char* what) {
    std::sort(ms.begin(), ms.end());
    const size_t n = ms.size();
    const size_t p999 = std::min(n - 1, (n * 999 + 999) / 1000 - 1);
    state.counters[std::string("p999") + what + "Ms"] = ms[p999];
    state.counters[std::string("worst") + what + "Ms"] = ms.back();
}

void BM_RoundFrameTimes(benchmark::State& state) {
    DataDirectory data;
    TimedRoundRun measured;
    for (auto _ : state) {
        TimedRoundRun run;
        PlayOneRound(run);
        measured.wallMs = run.wallMs;
        measured.cpuMs = run.cpuMs;
    }
    if (measured.wallMs.empty()) {
        state.SkipWithError("no round was played");
        return;
    }
    state.counters["frames"] = static_cast<double>(measured.wallMs.size());
    ReportSlowest(state, measured.wallMs, "Wall");
    ReportSlowest(state, measured.cpuMs, "Cpu");
}
BENCHMARK(BM_RoundFrameTimes)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
