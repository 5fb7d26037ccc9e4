// Loading a whole level from the asset pack, and mixing many voices.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "display/display_device.h"
#include "gamestate/devices.h"
#include "platform/headless/headless_backend.h"
#include "presentation/level_assets.h"
#include "sound/sound_device.h"
#include "sound/sound_system.h"

namespace {

// A full first load of every picture, sprite copy, layout and effect sound. The window is shut,
// so the loading screen's 148 presents fail at once: the figure is the loading itself.
void BM_LoadLevelAssets(benchmark::State& state) {
    std::filesystem::current_path(TQ_DATA_DIR);
    platform::HeadlessBackend backend;
    platform::SetBackend(&backend);
    backend.OpenWindow("bench");
    gamestate::Display = std::make_unique<CDisplayDevice>();
    gamestate::Display->OpenFullScreen(800, 600, 16);
    backend.CloseWindow();
    for (auto _ : state) {
        benchmark::DoNotOptimize(presentation::LoadLevelAssets(gamestate::Display.get(), true));
    }
    gamestate::Display.reset();
    platform::SetBackend(nullptr);
}
BENCHMARK(BM_LoadLevelAssets)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One second of output with 32 voices sounding at once: full-rate stereo effects, half- and
// quarter-rate mono ones, some turned down.
void BM_Mix32VoicesOneSecond(benchmark::State& state) {
    std::filesystem::current_path(TQ_DATA_DIR);
    platform::HeadlessBackend backend;
    platform::SetBackend(&backend);
    CSoundDevice device;
    if (Failed(device.OpenDevice(DSSCL_PRIORITY, 2, 44100, 16))) {
        state.SkipWithError("no sound device");
        return;
    }
    const char* files[] = {"sounds/music/menu01.wav",        "sounds/music/ingame01.wav",
                           "sounds/waffen/gewehr02.wav",     "sounds/waffen/mg04a.wav",
                           "sounds/tiere/wildschwein02.wav", "sounds/tiere/ente02.wav",
                           "sounds/effekte/halali1.wav",     "sounds/effekte/uhr01a.wav"};
    std::vector<CSound*> sounds;
    for (const char* file : files) {
        CSound* sound = nullptr;
        if (Succeeded(device.LoadSound(&sound, file, DSBCAPS_CTRLVOLUME, GUID_NULL, 4))) {
            sounds.push_back(sound);
        }
    }
    int voices = 0;
    for (CSound* sound : sounds) {
        for (uint32_t i = 0; i < 4; ++i) {
            CSoundBuffer* buffer = sound->BufferAt(i);
            if (!buffer) continue;
            buffer->SetVolume(i % 2 ? -600 : 0);
            buffer->Play(0, 0, DSBPLAY_LOOPING);
            ++voices;
        }
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(backend.RenderAudio(44100).data());
    }
    state.counters["voices"] = voices;
    // Seconds of processor time per second of sound, as a percentage of one core.
    state.counters["coreShare%"] = benchmark::Counter(
        0.01, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    for (CSound* sound : sounds) delete sound;
    platform::SetBackend(nullptr);
}
BENCHMARK(BM_Mix32VoicesOneSecond)->Unit(benchmark::kMillisecond);

}  // namespace
