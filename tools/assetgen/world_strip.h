// The whole hunting ground in one picture: the three background layers of a generated pack and
// every placed object, loaded and positioned by the game itself, composed into one strip.
#pragma once

#include <filesystem>
#include <string>

namespace assetgen {

struct WorldStripOptions {
    std::filesystem::path dataDir;  // holds grafik/; empty = the current directory or the build's
    bool fullSize = false;          // 4800 x 600 instead of 2400 x 300
};

// Each column x of the strip is the column a player sees in the middle of the screen when the
// camera stands at x - 400, so every layer runs on without a break and every object shows once.
bool WriteWorldStrip(const std::filesystem::path& pngFile, const WorldStripOptions& options,
                     std::string& error);

}  // namespace assetgen
