// Rough in-game views composed from the pack the way the game draws a frame (parallax tiles,
// animals at their plane's size and y, the forest's targets, HUD and weapon), in 16-bit colour,
// so the art can be judged in place: feet on the ground lines, depth between the layers.
#pragma once

#include <filesystem>
#include <string>

namespace assetgen {

bool WriteScenePreviews(const std::filesystem::path& outDir, std::string& error);

}  // namespace assetgen
