// Writes every sound of the catalogue as a WAVE file below the data directory.
#include "sounds/sound_pack.h"

#include <cstdio>
#include <thread>
#include <vector>

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

}  // namespace

bool WriteSoundPack(const std::filesystem::path& dataDir, std::string& error) {
    return ForEachSound(
        [&](const sound::SoundEntry& entry, std::string& entryError) {
            sound::WriteWave(dataDir / entry.path, sound::RenderSound(entry), entryError);
        },
        error);
}

}  // namespace assetgen
