// The music of the screens, played by the real game on the real sound pack: the menu's tune in
// the menu, the round's in the round, none at all with the music switched off, and a damaged
// music file that is reported once while the game goes on. Also Escape, which leaves a round and
// closes the game from the menu, but never both with one press.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "gamestate/asset_catalogue.h"
#include "gamestate/game_state.h"
#include "presentation/main_menu.h"
#include "sound/music_stream.h"
#include "sound/sound.h"
#include "sound/sound_system.h"
#include "support/game_harness.h"
#include "support/in_directory.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using platform::HeadlessBackend;
using testing_support::GameHarness;

constexpr const char* MenuTune = "sounds/music/menu01.wav";
constexpr const char* RoundTune = "sounds/music/ingame01.wav";

// At 16 ms a frame: the start screen ends at frame 250; the game starts from the menu at frame
// 270, loads, holds for three seconds and plays from about frame 460.
constexpr int StartGameFrame = 270;
constexpr int PlayingFrame = 520;

// A directory to run the game in: the pictures and sounds of the pack, an options file, and the
// music folder as a copy that a test may damage.
class GameDirectory {
  public:
    explicit GameDirectory(const std::string& options) {
        const fs::path data(TQ_DATA_DIR);
        fs::create_directory_symlink(data / "grafik", dir_.Path() / "grafik");
        for (const char* folder : {"effekte", "tiere", "waffen"}) {
            fs::create_directories(dir_.Path() / "sounds");
            fs::create_directory_symlink(data / "sounds" / folder, dir_.Path() / "sounds" / folder);
        }
        fs::create_directories(dir_.Path() / "sounds/music");
        for (const char* tune : {MenuTune, RoundTune}) fs::copy_file(data / tune, dir_ / tune);
        if (!options.empty()) std::ofstream(dir_ / "tannenquirl.ini") << options;
        inside_.emplace(dir_.Path());
    }

  private:
    testing_support::TempDir dir_;
    std::optional<testing_support::InDirectory> inside_;
};

bool MusicFile(const std::string& path) {
    return path.rfind("sounds/music/", 0) == 0;
}

// The tune the stream plays now, or "" when none plays.
std::string StreamPlaying() {
    std::lock_guard lock(sound::MusicLock());
    CMusicStream* stream = sound::MusicStream;
    return stream && stream->AnyBufferPlaying() ? stream->Path() : std::string();
}

bool Plays(CSound* sound) {
    return sound && sound->AnyBufferPlaying();
}

// Mixes one frame's worth of sound, as the audio output would, and lets the music thread refill
// what was played before the next frame runs.
void PlaySoundOfOneFrame(HeadlessBackend& backend) {
    backend.RenderAudio(44100 * 16 / 1000);
    for (int wait = 0; wait < 2000; ++wait) {
        {
            std::lock_guard lock(sound::MusicLock());
            CMusicStream* stream = sound::MusicStream;
            const bool musicOff = presentation::Menu && presentation::Menu->MusicOn != 0;
            if (!sound::MusicThreadRunning() || musicOff || !stream || stream->IsDead() ||
                stream->SegmentsDue() == 0) {
                return;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// The player's part: the game is started from the menu, and left with Escape after a while.
void StartThenLeave(HeadlessBackend& backend, int frame, int leaveAt) {
    backend.SetKey(platform::vk::LButton, frame == StartGameFrame);
    if (frame == StartGameFrame) backend.SetCursor(600, 222);  // "Spiel starten"
    backend.SetKey(platform::vk::Escape, frame >= leaveAt && frame < leaveAt + 5);
}

TEST(MusicOnScreens, TheMenuAndTheRoundEachStreamTheirOwnTune) {
    GameDirectory directory("");
    GameHarness harness;
    std::vector<std::string> menuBefore, round, menuAfter;
    harness.Run(
        700,
        [](HeadlessBackend& backend, int frame) {
            StartThenLeave(backend, frame, 600);
            PlaySoundOfOneFrame(backend);
        },
        [&](HeadlessBackend&, int frame) {
            if (frame > 252 && frame < StartGameFrame) menuBefore.push_back(StreamPlaying());
            if (frame > PlayingFrame && frame < 600) round.push_back(StreamPlaying());
            if (frame > 610) menuAfter.push_back(StreamPlaying());
        });
    for (const auto& [frames, tune] :
         {std::pair{&menuBefore, MenuTune}, std::pair{&round, RoundTune},
          std::pair{&menuAfter, MenuTune}}) {
        ASSERT_FALSE(frames->empty());
        EXPECT_EQ(std::count(frames->begin(), frames->end(), tune), long(frames->size())) << tune;
    }
    EXPECT_TRUE(harness.Backend().MessageBoxes().empty());
}

TEST(MusicOnScreens, WholeFileMusicPlaysTheSameTunesFromMemory) {
    GameDirectory directory("[options]\nstream=0\n");
    GameHarness harness;
    int menuFrames = 0, roundFrames = 0, wrong = 0;
    harness.Run(
        700, [](HeadlessBackend& backend, int frame) { StartThenLeave(backend, frame, 600); },
        [&](HeadlessBackend&, int frame) {
            const bool menu = (frame > 252 && frame < StartGameFrame) || frame > 610;
            const bool round = frame > PlayingFrame && frame < 600;
            if (menu) ++menuFrames;
            if (round) ++roundFrames;
            if (menu && !(Plays(gamestate::MenuMusic) && !Plays(gamestate::GameMusic))) ++wrong;
            if (round && !(Plays(gamestate::GameMusic) && !Plays(gamestate::MenuMusic))) ++wrong;
            if (sound::MusicStream) ++wrong;
        });
    EXPECT_GT(menuFrames, 0);
    EXPECT_GT(roundFrames, 0);
    EXPECT_EQ(wrong, 0);
}

TEST(MusicOnScreens, WithTheMusicSwitchedOffNoneIsCreatedOrStarted) {
    for (const char* stream : {"1", "0"}) {
        SCOPED_TRACE(std::string("stream=") + stream);
        GameDirectory directory(std::string("[options]\nsound=0\nstream=") + stream + "\n");
        GameHarness harness;
        int created = 0;
        int startedSounds = 0;
        harness.Run(
            700,
            [](HeadlessBackend& backend, int frame) {
                StartThenLeave(backend, frame, 600);
                PlaySoundOfOneFrame(backend);
            },
            [&](HeadlessBackend&, int) {
                if (sound::MusicStream || gamestate::MenuMusic || gamestate::GameMusic) ++created;
                for (const std::string& path : sound::RecentlyStartedSounds()) {
                    EXPECT_FALSE(MusicFile(path)) << path;
                }
                startedSounds = static_cast<int>(sound::RecentlyStartedSounds().size());
            });
        EXPECT_EQ(created, 0);
        EXPECT_GT(startedSounds, 0) << "the other sounds play";
        EXPECT_EQ(presentation::Menu->MusicOn, 2);
    }
}

TEST(EscapeKey, HeldWhenLeavingARoundItDoesNotAlsoCloseTheGame) {
    GameDirectory directory("[options]\nsound=0\n");
    GameHarness harness;
    std::vector<int> screens;
    const int code = harness.Run(
        800, [](HeadlessBackend& backend, int frame) { StartThenLeave(backend, frame, 600); },
        [&](HeadlessBackend&, int) { screens.push_back(gamestate::Game.GameScreen); });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(harness.FramesRun(), 800) << "the game ran on until the test closed it";
    ASSERT_GT(screens.size(), 610u);
    EXPECT_EQ(screens[595], gamestate::GamePlayScreen);
    EXPECT_EQ(screens.back(), gamestate::MenuScreen);
}

// A damaged menu tune in place of the real one, in the menu for 650 frames while the player
// switches the music off and on again, then a game started and played for six seconds.
struct DamagedTuneRun {
    std::vector<std::string> boxes;
    bool musicSwitched = false;
    bool gameStarted = false;
    std::string roundTune;
    uint32_t roundTunePlayedBytes = 0;  // as the music thread's refills count them
};

DamagedTuneRun PlayWithDamagedMenuTune(const std::function<void(int frame)>& damage) {
    DamagedTuneRun result;
    GameHarness harness;
    int musicAt600 = -1;
    harness.Run(
        1460,
        [&](HeadlessBackend& backend, int frame) {
            damage(frame);
            backend.SetKey(platform::vk::LButton, false);
            // The sound button, twice; then "Spiel starten".
            if (frame == 600 || frame == 700 || frame == 900) {
                backend.SetCursor(600, frame == 900 ? 222 : 420);
                backend.SetKey(platform::vk::LButton, true);
            }
            PlaySoundOfOneFrame(backend);
        },
        [&](HeadlessBackend&, int frame) {
            if (frame == 600) musicAt600 = presentation::Menu->MusicOn;
            if (frame == 700)
                result.musicSwitched = musicAt600 == 2 && presentation::Menu->MusicOn == 0;
            if (frame == 1450) {
                result.gameStarted = gamestate::Game.GameScreen == gamestate::GamePlayScreen;
                result.roundTune = StreamPlaying();
                std::lock_guard lock(sound::MusicLock());
                if (sound::MusicStream) {
                    result.roundTunePlayedBytes = sound::MusicStream->PlayedBytes();
                }
            }
        });
    result.boxes = harness.Backend().MessageBoxes();
    return result;
}

// The menu tune cut short: the first 300,000 bytes of it, with a header that still claims the
// whole tune. The game plays what there is.
TEST(DamagedMusic, AMenuTuneCutShortPlaysWhatItHolds) {
    GameDirectory directory("");
    fs::resize_file(MenuTune, 300000);
    std::vector<std::string> menuTunes;
    DamagedTuneRun run = PlayWithDamagedMenuTune([&](int frame) {
        if (frame > 260 && frame < 590) menuTunes.push_back(StreamPlaying());
    });
    EXPECT_EQ(run.boxes.size(), 0u);
    ASSERT_FALSE(menuTunes.empty());
    EXPECT_EQ(std::count(menuTunes.begin(), menuTunes.end(), MenuTune), long(menuTunes.size()));
    EXPECT_TRUE(run.musicSwitched);
    EXPECT_TRUE(run.gameStarted);
    EXPECT_EQ(run.roundTune, RoundTune);
}

// A menu tune without its sample data: one box, the menu stays silent and usable, and the round
// streams its own tune.
TEST(DamagedMusic, AMenuTuneThatCannotBeReadIsReportedOnce) {
    GameDirectory directory("");
    fs::resize_file(MenuTune, 36);  // "RIFF", "WAVE" and the format, no "data" chunk
    DamagedTuneRun run = PlayWithDamagedMenuTune([](int) {});
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_NE(run.boxes[0].find("Unexpected error encountered"), std::string::npos);
    EXPECT_TRUE(run.musicSwitched) << "the sound button can be reached";
    EXPECT_TRUE(run.gameStarted);
    EXPECT_EQ(run.roundTune, RoundTune);
    EXPECT_GT(run.roundTunePlayedBytes, 8 * 66148u) << "the round's tune streams past its buffer";
}

// The menu tune cut short while it streams (its file shrinks under the game): the refill that
// reaches the end fails. The music thread reports it through the main thread, once, and streams
// the round's tune afterwards.
TEST(DamagedMusic, AMenuTuneThatFailsWhileItStreamsIsReportedOnceAndTheNextTuneStreams) {
    GameDirectory directory("");
    DamagedTuneRun run = PlayWithDamagedMenuTune([](int frame) {
        if (frame == 260) fs::resize_file(MenuTune, 600000);
    });
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_NE(run.boxes[0].find("Calling: mmioinfoIn.pchNext"), std::string::npos);
    EXPECT_TRUE(run.musicSwitched);
    EXPECT_TRUE(run.gameStarted);
    EXPECT_EQ(run.roundTune, RoundTune);
    EXPECT_GT(run.roundTunePlayedBytes, 8 * 66148u) << "the music thread is still there";
}

}  // namespace
