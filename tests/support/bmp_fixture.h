// Builds Windows BMP files in memory for tests: any bit depth the game reads, palettes, bit
// fields, run-length data, bottom-up or top-down.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "display/colour.h"
#include "support/temp_dir.h"

namespace testing_support {

// A 24-bit bottom-up BMP of the given pixels (COLORREF, top row first).
std::vector<uint8_t> MakeBmp24(int width, int height, const std::vector<COLORREF>& pixels);

// A palettised BMP (1, 4 or 8 bits) from palette indices (top row first).
std::vector<uint8_t> MakeBmpIndexed(int width, int height, int bits,
                                    const std::vector<COLORREF>& palette,
                                    const std::vector<uint8_t>& indices, bool topDown = false);

// Writes `bytes` to `path`, creating the parent directories.
void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

// Writes a 24-bit BMP of `pixels` (COLORREF, top row first), creating the parent directories.
void WriteBmp(const std::filesystem::path& path, int width, int height,
              const std::vector<COLORREF>& pixels);
// The same with each pixel's colour given by `colour(x, y)`.
void WriteBmp(const std::filesystem::path& path, int width, int height,
              const std::function<COLORREF(int x, int y)>& colour);
// Writes a 24-bit BMP of one colour.
void WriteSolidBmp(const std::filesystem::path& path, int width, int height, COLORREF colour);

// Little-endian writers for building file headers by hand.
void Put16(std::vector<uint8_t>& out, uint32_t value);
void Put32(std::vector<uint8_t>& out, uint32_t value);

}  // namespace testing_support
