// Sound files that cannot be played, as a player meets them: the game asks for the menu's click
// on every menu entry, for its tune on every menu frame while none plays, and for the effects on
// every level load. A damaged or missing file is tried once in a run, and a damaged one is
// reported once, naming the file. The whole game runs on the headless backend in a folder with no
// pictures and only the sounds a test puts there.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "gamestate/game_state.h"
#include "presentation/main_menu.h"
#include "sound/sound_test_support.h"
#include "support/game_harness.h"
#include "support/in_directory.h"
#include "support/temp_dir.h"

namespace {

using platform::HeadlessBackend;
namespace vk = platform::vk;

constexpr platform::Point GameStartButton{600, 220};
// The shotgun's shot, which is the menu's click too.
constexpr const char* ShotSound = "sounds/waffen/gewehr02.wav";
constexpr const char* MenuTune = "sounds/music/menu01.wav";

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class FailedSoundFilesTest : public ::testing::Test {
  protected:
    void SetUp() override { harness_.stepMs = 50; }

    void WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
        dir_.Write(name, bytes);
    }
    void WriteOptions(const std::string& text) {
        WriteFile("tannenquirl.ini", std::vector<uint8_t>(text.begin(), text.end()));
    }
    // Plays `rounds` rounds, each started from the menu and left with Escape after a second;
    // returns how many were played.
    int PlayRounds(int rounds) {
        int started = 0;
        int roundFrames = 0;
        bool closed = false;
        harness_.Run(60 * 20 * rounds, [&](HeadlessBackend& backend, int frame) {
            const bool inMenu = gamestate::Game.GameScreen == gamestate::MenuScreen;
            const bool playing = gamestate::Game.GameScreen == gamestate::GamePlayScreen &&
                                 gamestate::Game.StartScreenTime == gamestate::NotScheduled;
            if (closed) return;
            if (inMenu && started == rounds) {
                backend.PostClose();
                closed = true;
            } else if (inMenu && presentation::Menu->slide == 0.0f && frame % 4 == 0) {
                backend.SetCursor(GameStartButton.x, GameStartButton.y);
                backend.Click(vk::LButton);
            } else if (playing && ++roundFrames % 20 == 0) {
                ++started;
                backend.Click(vk::Escape);
            }
        });
        return started;
    }

    testing_support::TempDir dir_;
    testing_support::InDirectory inside_{dir_.Path()};
    testing_support::GameHarness harness_;
};

TEST_F(FailedSoundFilesTest, ADamagedEffectIsReportedOnceByNameThroughTwoRounds) {
    // Without its "fmt " chunk: the reader stops with a box. The menu's click and the level's
    // shot both ask for this file, on three menu entries and two level loads.
    WriteFile(ShotSound, soundtest::RiffFile({{"data", std::vector<uint8_t>(4000, 0)}}));
    ASSERT_EQ(PlayRounds(2), 2);
    const std::vector<std::string> boxes = harness_.Backend().MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("Unexpected error encountered"), std::string::npos);
    EXPECT_NE(boxes[0].find("\nCalling: mmioDescend\nSound: sounds/waffen/gewehr02.wav"),
              std::string::npos)
        << "the trace's lines, then the file's name: " << boxes[0];
    EXPECT_EQ(Occurrences(harness_.Backend().DebugLog(), "mmioDescend"), 1u) << "read once";
}

// A menu tune that is missing, or is no WAVE file at all, shows no box; the menu looks for it
// once, whether it would stream the tune or hold it whole.
struct TuneCase {
    bool streamed;
    bool present;       // a file that is not WAVE, rather than none at all
    const char* trace;  // the debugger line its reading writes
};

class UnreadableMenuTuneTest : public FailedSoundFilesTest,
                               public ::testing::WithParamInterface<TuneCase> {};

TEST_P(UnreadableMenuTuneTest, IsLookedForOnce) {
    const TuneCase& tune = GetParam();
    // The menu's click is there: the only file looked for in the menu is the tune.
    WriteFile(ShotSound, soundtest::PcmWave(1, 22050, 16, std::vector<uint8_t>(400, 0)));
    if (tune.present) WriteFile(MenuTune, soundtest::RiffFile({}, "AVI "));
    WriteOptions(tune.streamed ? "[options]\nstream=1\n" : "[options]\nstream=0\n");
    int menuFrames = 0;
    harness_.Run(300, [&](HeadlessBackend&, int) {
        menuFrames += gamestate::Game.GameScreen == gamestate::MenuScreen;
    });
    ASSERT_GT(menuFrames, 200);
    const std::string log = harness_.Backend().DebugLog();
    EXPECT_EQ(Occurrences(log, tune.trace), 1u) << log.substr(0, 600);
    EXPECT_TRUE(harness_.Backend().MessageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(FailedSoundFiles, UnreadableMenuTuneTest,
                         ::testing::Values(TuneCase{true, false, "FindResource"},
                                           TuneCase{false, false, "FindResource"},
                                           TuneCase{true, true, "mmioFOURCC"},
                                           TuneCase{false, true, "mmioFOURCC"}),
                         [](const ::testing::TestParamInfo<TuneCase>& tune) {
                             return std::string(tune.param.present ? "NotWave" : "Missing") +
                                    (tune.param.streamed ? "Streamed" : "Whole");
                         });

}  // namespace
