// A clean world for tests: the headless backend installed, the game's state back to program
// start (app::ResetGame), an open 800x600 display of the test's own, and strips made from small
// BMP files.
#pragma once

#include "support/bmp_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/game_reset.h"
#include "display/bitmap_surface.h"
#include "display/display_device.h"
#include "flow/controls.h"
#include "gamestate/asset_catalogue.h"
#include "gamestate/game_state.h"
#include "gamestate/pause.h"
#include "gamestate/point_popups.h"
#include "gamestate/round_state.h"
#include "platform/headless/headless_backend.h"
#include "presentation/level_assets.h"
#include "world/bell_notes.h"
#include "world/entity.h"
#include "world/shot.h"
#include "world/weapon.h"

namespace world_testing {

// A fresh directory under the system's temporary directory, removed with everything in it.
using TempDirectory = testing_support::TempDir;
using testing_support::WriteBmp;

inline void WriteSolidBmp(const std::filesystem::path& path, int width, int height,
                          COLORREF colour) {
    WriteBmp(path, width, height, std::vector<COLORREF>(size_t(width) * size_t(height), colour));
}

class WorldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::SetBackend(&backend_);
        backend_.SetTime(100000);
        backend_.OpenWindow("Tannenquirl Rauze");
        app::ResetGame();
        ASSERT_EQ(display_.OpenFullScreen(800, 600, 16), 0);
    }
    void TearDown() override {
        app::ResetGame();
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
