// A fingerprint of the pictures and sounds the game runs with, so that a recorded round is only
// played back with the asset pack it was played with: other pictures would put other pixels
// under the same shots.
#pragma once

#include <cstdint>
#include <filesystem>

namespace app {

// Every file under "grafik" and "sounds" of `dataDirectory`, by name and content, in a fixed
// order. The same pack gives the same number on every machine.
uint64_t AssetFingerprint(const std::filesystem::path& dataDirectory);

}  // namespace app
