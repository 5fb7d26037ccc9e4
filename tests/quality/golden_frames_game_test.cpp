// Golden frames: a scripted visit through the menu, its two windows and the first seconds of a
// round, each frame compared with the one recorded in tests/golden/frames.txt; and a round on
// the whole hunting ground, through the meadow, across the world's seam and into the field,
// compared with tests/golden/panorama_frames.txt. The game, the virtual clock and the asset pack
// are deterministic, so any change of a pixel shows here.
//
// After an intended change of the pictures or the drawing, look at the frames the failing run
// wrote (their paths are printed), then record them anew, all or one set:
//   TQ_UPDATE_GOLDEN=1 build/tests/tq_game_tests --gtest_filter='GoldenFrames*'
//   TQ_UPDATE_GOLDEN=1 build/tests/tq_game_tests --gtest_filter='GoldenFrames.Panorama*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string_view>

#include "display/bmp_writer.h"
#include "gamestate/game_state.h"
#include "persistence/md5.h"
#include "support/game_harness.h"
#include "support/play_directory.h"

namespace {

namespace fs = std::filesystem;
using platform::HeadlessBackend;
using testing_support::PlayDirectory;

const fs::path GoldenDir = fs::path(TQ_SOURCE_DIR) / "tests/golden";

std::map<std::string, std::string> ReadGolden(const fs::path& goldenFile) {
    std::map<std::string, std::string> golden;
    std::ifstream file(goldenFile);
    std::string name, digest;
    while (file >> name >> digest) golden[name] = digest;
    return golden;
}

std::string DigestOf(const std::vector<uint16_t>& frame) {
    return persistence::Md5Hex(std::string_view(reinterpret_cast<const char*>(frame.data()),
                                                frame.size() * sizeof(uint16_t)));
}

// Keeps the frame just presented under `name`, as a digest and as a picture beside the run.
void TakeShot(HeadlessBackend& backend, const fs::path& dir, const std::string& name,
              std::map<std::string, std::string>& actual) {
    actual[name] = DigestOf(backend.LastFrame());
    display::WriteRgb565Bmp((dir / (name + ".bmp")).string(), backend.LastFrame().data(), 800, 600,
                            800);
}

// With TQ_UPDATE_GOLDEN set, records the frames in `goldenFile`; otherwise compares them with it
// and keeps the pictures of those that differ.
void CompareWithGolden(const std::string& goldenName, const fs::path& dir,
                       const std::map<std::string, std::string>& actual) {
    const fs::path goldenFile = GoldenDir / goldenName;
    if (std::getenv("TQ_UPDATE_GOLDEN")) {
        fs::create_directories(goldenFile.parent_path());
        std::ofstream out(goldenFile);
        for (const auto& [name, digest] : actual) out << name << " " << digest << "\n";
        fs::path keep = fs::temp_directory_path() / "tq-golden-frames";
        fs::create_directories(keep);
        for (const auto& [name, digest] : actual)
            fs::copy_file(dir / (name + ".bmp"), keep / (name + ".bmp"),
                          fs::copy_options::overwrite_existing);
        GTEST_SKIP() << "recorded " << actual.size() << " frames; pictures in " << keep;
    }
    std::map<std::string, std::string> golden = ReadGolden(goldenFile);
    fs::path failed = fs::temp_directory_path() / "tq-golden-failures";
    for (const auto& [name, digest] : actual) {
        EXPECT_EQ(digest, golden[name])
            << name << " differs; this run's frame is " << (failed / (name + ".bmp")).string();
        if (digest != golden[name]) {
            fs::create_directories(failed);
            fs::copy_file(dir / (name + ".bmp"), failed / (name + ".bmp"),
                          fs::copy_options::overwrite_existing);
        }
    }
}

TEST(GoldenFrames, TheMenuItsWindowsAndARoundLookAsRecorded) {
    ASSERT_TRUE(fs::exists(fs::path(TQ_DATA_DIR) / "grafik")) << "the asset pack is needed";
    PlayDirectory dir;

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
            if (shot != shots.end()) TakeShot(backend, dir.Path(), shot->second, actual);
        });
    ASSERT_EQ(actual.size(), shots.size());
    CompareWithGolden("frames.txt", dir.Path(), actual);
}

// The whole hunting ground, switched on in the options file: the loading screen's hint line, then
// a round scrolled to the left from the forest through the meadow, across the seam and on into
// the field. The camera stops at each place (it moves 20 pixels a frame) and the picture is taken
// ten frames later.
TEST(GoldenFrames, PanoramaMeadowSeamAndFieldLookAsRecorded) {
    ASSERT_TRUE(fs::exists(fs::path(TQ_DATA_DIR) / "grafik")) << "the asset pack is needed";
    PlayDirectory dir;
    std::ofstream(dir.Path() / "tannenquirl.ini") << "[options]\npanorama=1\n";

    struct Stop {
        const char* name;
        float camera;
        int frame = -1;  // when the camera stopped there
    };
    Stop stops[] = {
        {"panorama_meadow", 300.0f}, {"panorama_seam", 4780.0f}, {"panorama_field", 3900.0f}};
    size_t next = 0;
    bool scrolling = false;
    float lastCamera = 1600.0f;  // where every round starts
    bool wrapped = false;        // the camera went from 0 to the end of the world
    std::map<std::string, std::string> actual;
    testing_support::GameHarness harness;
    harness.stepMs = 20;
    harness.Run(
        800,
        [&](HeadlessBackend& backend, int frame) {
            backend.SetKey(platform::vk::LButton, frame == 230);
            if (frame == 220) backend.SetCursor(600, 222);  // over "Spiel starten"
            if (frame == 400) {
                backend.SetCursor(0, 300);  // scroll left
                scrolling = true;
            }
            if (gamestate::Game.CameraX > lastCamera) wrapped = true;
            lastCamera = gamestate::Game.CameraX;
            if (!scrolling || next >= std::size(stops)) return;
            // The meadow lies before the seam, the other stops beyond it.
            const bool beyondSeam = next > 0;
            if (beyondSeam == wrapped && gamestate::Game.CameraX <= stops[next].camera) {
                backend.SetCursor(400, 300);
                stops[next].frame = frame;
                scrolling = false;
            }
        },
        [&](HeadlessBackend& backend, int frame) {
            if (frame == 350) {
                EXPECT_TRUE(gamestate::Game.PanoramaMode);
                TakeShot(backend, dir.Path(), "panorama_loading", actual);
            }
            if (next < std::size(stops) && stops[next].frame >= 0 &&
                frame == stops[next].frame + 10) {
                EXPECT_EQ(gamestate::Game.CameraX, stops[next].camera) << stops[next].name;
                TakeShot(backend, dir.Path(), stops[next].name, actual);
                ++next;
                backend.SetCursor(0, 300);
                scrolling = true;
            }
        });
    ASSERT_EQ(actual.size(), 4u) << "every stop was reached";
    CompareWithGolden("panorama_frames.txt", dir.Path(), actual);
}

}  // namespace
