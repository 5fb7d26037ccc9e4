// Writes a finished picture as a Windows BMP: 24 bits per pixel, uncompressed, bottom-up rows,
// BITMAPINFOHEADER.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "pictures/picture.h"

namespace assetgen {

std::vector<unsigned char> EncodeBmp(const Picture& picture);

// Creates missing folders. False with `error` set when the file cannot be written.
bool WriteBmp(const Picture& picture, const std::filesystem::path& file, std::string& error);

}  // namespace assetgen
