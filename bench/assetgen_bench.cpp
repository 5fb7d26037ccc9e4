// How long the asset generator takes to write the whole pack (wall time of the tool).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

#ifdef TQ_ASSETGEN_PATH
void BM_AssetGenerator(benchmark::State& state) {
    std::filesystem::path out = std::filesystem::temp_directory_path() / "tq-bench-assets";
    std::string command = std::string(TQ_ASSETGEN_PATH) + " --out " + out.string() + " >/dev/null";
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) state.SkipWithError("assetgen failed");
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::filesystem::remove_all(out);
}
BENCHMARK(BM_AssetGenerator)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);
#endif

}  // namespace
