// Golden frames: a scripted visit through the menu, its two windows and the first seconds of a
// round, each frame compared with the one recorded in tests/golden/frames.txt. The game, the
// virtual clock and the asset pack are deterministic, so any change of a pixel shows here.
//
// After an intended change of the pictures or the drawing, look at the frames the failing run
// wrote (their paths are printed), then record them anew:
//   TQ_UPDATE_GOLDEN=1 build/tests/tq_tests --gtest_filter='GoldenFrames*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string_view>

#include "display/bmp_writer.h"
#include "persistence/md5.h"
#include "support/game_harness.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using platform::HeadlessBackend;

const fs::path GoldenFile = fs::path(TQ_SOURCE_DIR) / "tests/golden/frames.txt";

std::map<std::string, std::string> ReadGolden() {
    std::map<std::string, std::string> golden;
    std::ifstream file(GoldenFile);
    std::string name, digest;
    while (file >> name >> digest) golden[name] = digest;
    return golden;
}

std::string DigestOf(const std::vector<uint16_t>& frame) {
    return persistence::Md5Hex(std::string_view(reinterpret_cast<const char*>(frame.data()),
                                                frame.size() * sizeof(uint16_t)));
}

TEST(GoldenFrames, TheMenuItsWindowsAndARoundLookAsRecorded) {
    ASSERT_TRUE(fs::exists(fs::path(TQ_DATA_DIR) / "grafik")) << "the asset pack is needed";
    testing_support::TempDir dir;
    for (const char* folder : {"grafik", "sounds"})
        fs::create_directory_symlink(fs::path(TQ_DATA_DIR) / folder, dir.Path() / folder);
    fs::path previous = fs::current_path();
    fs::current_path(dir.Path());

    // Frame (after which the picture is taken) and its name. Steps of 20 ms: the start screen
    // lasts until frame 200, the windows slide for about a dozen frames.
    const std::map<int, std::string> shots = {{100, "start_screen"},     {230, "menu"},
                                              {300, "highscore_window"}, {350, "menu_after_back"},
                                              {400, "credits_window"},   {700, "round_start"},
                                              {760, "round_scrolled"}};
    std::map<std::string, std::string> actual;
    testing_support::GameHarness harness;
    harness.stepMs = 20;
    harness.Run(
        770,
        [](HeadlessBackend& backend, int frame) {
            backend.SetKey(platform::vk::LButton, false);
            auto click = [&](int x, int y) {
                backend.SetCursor(x, y);
                backend.SetKey(platform::vk::LButton, true);
            };
            if (frame == 220) backend.SetCursor(600, 300);  // over "Highscores"
            if (frame == 240) click(600, 290);              // open the high scores
            if (frame == 310) click(200, 510);              // back
            if (frame == 360) click(600, 355);              // credits
            if (frame == 410) click(200, 510);              // back
            if (frame == 460) click(600, 222);              // start a game
            if (frame == 710) backend.SetCursor(790, 300);  // scroll right
        },
        [&](HeadlessBackend& backend, int frame) {
            auto shot = shots.find(frame);
            if (shot != shots.end()) actual[shot->second] = DigestOf(backend.LastFrame());
            if (shot != shots.end()) {
                display::WriteRgb565Bmp((dir.Path() / (shot->second + ".bmp")).string(),
                                        backend.LastFrame().data(), 800, 600, 800);
            }
        });
    fs::current_path(previous);
    ASSERT_EQ(actual.size(), shots.size());

    if (std::getenv("TQ_UPDATE_GOLDEN")) {
        fs::create_directories(GoldenFile.parent_path());
        std::ofstream out(GoldenFile);
        for (const auto& [name, digest] : actual) out << name << " " << digest << "\n";
        fs::path keep = fs::temp_directory_path() / "tq-golden-frames";
        fs::create_directories(keep);
        for (const auto& [name, digest] : actual)
            fs::copy_file(dir.Path() / (name + ".bmp"), keep / (name + ".bmp"),
                          fs::copy_options::overwrite_existing);
        GTEST_SKIP() << "recorded " << actual.size() << " frames; pictures in " << keep;
    }
    std::map<std::string, std::string> golden = ReadGolden();
    fs::path failed = fs::temp_directory_path() / "tq-golden-failures";
    for (const auto& [name, digest] : actual) {
        EXPECT_EQ(digest, golden[name])
            << name << " differs; this run's frame is " << (failed / (name + ".bmp")).string();
        if (digest != golden[name]) {
            fs::create_directories(failed);
            fs::copy_file(dir.Path() / (name + ".bmp"), failed / (name + ".bmp"),
                          fs::copy_options::overwrite_existing);
        }
    }
}

}  // namespace
