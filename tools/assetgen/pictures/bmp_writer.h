// Writes a finished picture as the game's 24-bit BMP files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "pictures/picture.h"

namespace assetgen {

std::vector<uint8_t> EncodeBmp(const Picture& picture);

// Creates missing folders. False with `error` set when the file cannot be written.
bool WriteBmp(const Picture& picture, const std::filesystem::path& file, std::string& error);

}  // namespace assetgen
