// Writes every sound of the catalogue as a WAVE file below the data directory.
#include "sounds/sound_pack.h"

#include <cstdio>
#include <fstream>
#include <thread>
#include <vector>

#include "sounds/loudness.h"
#include "sounds/mastering.h"
#include "sounds/sound_catalogue.h"
#include "sounds/wav_writer.h"

namespace assetgen {

namespace {

// The sounds are independent of each other, so two workers share them by index; each sound is
// seeded by its own name, which keeps the bytes the same however the work is split.
template <typename Work>
bool ForEachSound(Work work, std::string& error) {
    const auto catalogue = sound::SoundCatalogue();
    std::vector<std::string> errors(catalogue.size());
    auto worker = [&](std::size_t first) {
        for (std::size_t i = first; i < catalogue.size(); i += 2) work(catalogue[i], errors[i]);
    };
    std::thread second(worker, 1);
    worker(0);
    second.join();
    for (const std::string& e : errors) {
        if (!e.empty()) {
            error = e;
            return false;
        }
    }
    return true;
}

// Over what the loudness of a sound is measured: what sets its place in the mix.
const char* MeasuredOver(const sound::MasteringPlan& plan) {
    if (plan.measure == sound::LoudnessMeasure::Average) return "the whole tune";
    return plan.restarts > 0 ? "a magazine, trigger held" : "its loudest 400 ms";
}

}  // namespace

bool WriteSoundPack(const std::filesystem::path& dataDir, std::string& error) {
    return ForEachSound(
        [&](const sound::SoundEntry& entry, std::string& entryError) {
            sound::WriteWave(dataDir / entry.path, sound::RenderSound(entry), entryError);
        },
        error);
}

bool WriteLevelTable(const std::filesystem::path& file, std::string& error) {
    const auto catalogue = sound::SoundCatalogue();
    struct Level {
        double lufs = 0.0, truePeakDb = 0.0;
    };
    std::vector<Level> levels(catalogue.size());
    const bool rendered = ForEachSound(
        [&](const sound::SoundEntry& entry, std::string&) {
            const sound::Clip clip = sound::RenderSound(entry);
            levels[static_cast<std::size_t>(&entry - catalogue.data())] = {
                sound::MixLoudness(clip, sound::PlanFor(entry)), sound::TruePeakDb(clip)};
        },
        error);
    if (!rendered) return false;
    std::ofstream out(file, std::ios::trunc);
    out << "| File | What it is | LUFS | measured over | True peak (dBTP) |\n"
           "|---|---|---|---|---|\n";
    char line[256];
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        const sound::SoundEntry& entry = catalogue[i];
        std::snprintf(line, sizeof line, "| `%s` | %s | %.1f | %s | %.1f |\n", entry.path + 7,
                      entry.what, levels[i].lufs, MeasuredOver(sound::PlanFor(entry)),
                      levels[i].truePeakDb);
        out << line;
    }
    if (!out) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

}  // namespace assetgen
