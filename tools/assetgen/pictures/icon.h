// The desktop icon of the installed game.
#pragma once

#include <filesystem>
#include <string>

namespace assetgen {

// Writes a 256x256 PNG with transparency: a boar in a round woodland clearing under a crosshair.
bool WriteIcon(const std::filesystem::path& pngFile, std::string& error);

}  // namespace assetgen
