// Builds Windows BMP files in memory for tests: any bit depth the game reads, palettes, bit
// fields, run-length data, bottom-up or top-down.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "display/colour.h"

namespace testing_support {

// A 24-bit bottom-up BMP of the given pixels (COLORREF, top row first).
std::vector<uint8_t> MakeBmp24(int width, int height, const std::vector<COLORREF>& pixels);

// A palettised BMP (1, 4 or 8 bits) from palette indices (top row first).
std::vector<uint8_t> MakeBmpIndexed(int width, int height, int bits,
                                    const std::vector<COLORREF>& palette,
                                    const std::vector<uint8_t>& indices, bool topDown = false);

// Writes `bytes` to `path`, creating the parent directories.
void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

// Writes a 24-bit BMP of one colour.
void WriteSolidBmp(const std::filesystem::path& path, int width, int height, COLORREF colour);

// A fresh, empty directory under the system temp dir, removed when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

// Little-endian writers for building file headers by hand.
void Put16(std::vector<uint8_t>& out, uint32_t value);
void Put32(std::vector<uint8_t>& out, uint32_t value);

}  // namespace testing_support
