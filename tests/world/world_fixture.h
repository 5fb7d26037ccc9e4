// A clean world for tests: the headless backend installed, an open 800x600 display, the entity
// table, the round, the catalogue and the pause state back to program start, and strips made
// from small BMP files.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "display/bitmap_surface.h"
#include "display/display_device.h"
#include "flow/bell_hints.h"
#include "flow/controls.h"
#include "flow/game_state.h"
#include "flow/pause.h"
#include "flow/round_state.h"
#include "platform/headless/headless_backend.h"
#include "presentation/asset_catalogue.h"
#include "presentation/point_labels.h"
#include "world/entity.h"
#include "world/shot.h"
#include "world/weapon.h"

namespace world_testing {

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDirectory {
  public:
    TempDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tqworld.XXXXXX").string();
        if (::mkdtemp(pattern.data())) path_ = pattern;
    }
    ~TempDirectory() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

// Writes a 24-bit BMP of `pixels` (COLORREF, top row first), creating the parent directories.
inline void WriteBmp(const std::filesystem::path& path, int width, int height,
                     const std::vector<COLORREF>& pixels) {
    std::filesystem::create_directories(path.parent_path());
    const int rowBytes = (width * 3 + 3) & ~3;
    const uint32_t imageBytes = uint32_t(rowBytes) * uint32_t(height);
    std::vector<uint8_t> file(54 + imageBytes, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = uint8_t(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, uint32_t(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(height));
    file[26] = 1;
    file[28] = 24;
    put32(34, imageBytes);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = file.data() + 54 + size_t(height - 1 - y) * size_t(rowBytes);
        for (int x = 0; x < width; ++x) {
            const COLORREF c = pixels[size_t(y) * size_t(width) + size_t(x)];
            row[x * 3] = BlueOf(c);
            row[x * 3 + 1] = GreenOf(c);
            row[x * 3 + 2] = RedOf(c);
        }
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
}

inline void WriteSolidBmp(const std::filesystem::path& path, int width, int height,
                          COLORREF colour) {
    WriteBmp(path, width, height, std::vector<COLORREF>(size_t(width) * size_t(height), colour));
}

inline void ResetWorldAndRound() {
    world::ClearEntityTableForTests();
    flow::ResetRoundForTests();
    flow::ResetPauseState();
    flow::ResetGameState();
    flow::ReleaseBellNotesForTests();
    flow::ResetControlsForTests();
    world::ReleaseHitSoundsForTests();
    presentation::ReleaseCatalogueForTests();
    presentation::ClearPointPopups();
    world::ReleaseWeapon();
}

class WorldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::SetBackend(&backend_);
        backend_.SetTime(100000);
        backend_.OpenWindow("Tannenquirl Rauze");
        ResetWorldAndRound();
        app::ResetApplicationState();
        ASSERT_EQ(display_.OpenFullScreen(800, 600, 16), 0);
    }
    void TearDown() override {
        ResetWorldAndRound();
        app::ResetApplicationState();
        platform::SetBackend(nullptr);
    }

    // A strip of `frames` frames, each `frameWidth` x `height`, filled with `colour` (frame n
    // gets colour + n in red, so that the frame drawn can be told from the screen).
    CBitmapSurface* MakeStrip(int frames, int frameWidth, int height, COLORREF colour) {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < frames * frameWidth; ++x) {
                pixels.push_back(colour + static_cast<COLORREF>(8 * (x / frameWidth)));
            }
        }
        const std::string path = dir_ / ("strip" + std::to_string(made_++) + ".bmp");
        WriteBmp(path, frames * frameWidth, height, pixels);
        CBitmapSurface* surface = nullptr;
        display_.LoadBitmapSurface(&surface, path.c_str(), 0, 0);
        owned_.emplace_back(surface);
        return surface;
    }

    uint16_t PixelAt(int x, int y) { return display_.BackBuffer()[y * CDisplayDevice::Pitch + x]; }

    platform::HeadlessBackend backend_;
    CDisplayDevice display_;
    TempDirectory dir_;
    std::vector<std::unique_ptr<CBitmapSurface>> owned_;
    int made_ = 0;
};

}  // namespace world_testing
