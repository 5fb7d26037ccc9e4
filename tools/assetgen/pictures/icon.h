// The desktop icon of the installed game.
#pragma once

#include <filesystem>
#include <string>

namespace assetgen {

// Writes a size x size PNG with transparency: a boar in a round woodland clearing under a
// crosshair, drawn for 256 x 256 and scaled.
bool WriteIcon(const std::filesystem::path& pngFile, int size, std::string& error);

}  // namespace assetgen
