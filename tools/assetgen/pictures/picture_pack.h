// Every picture the game loads, drawn with cairo and written as Windows BMP files.
#pragma once

#include <filesystem>
#include <string>

namespace assetgen {

// Writes the whole grafik/ tree below `dataDir`. False with `error` set on failure.
bool WritePicturePack(const std::filesystem::path& dataDir, std::string& error);

// Draws every picture of the pack on one labelled PNG sheet.
bool WriteContactSheet(const std::filesystem::path& pngFile, std::string& error);

}  // namespace assetgen
