// The main thread opening, playing and stopping music while the music thread refills and the
// audio output pulls the mix, all at once. Meant to run under ThreadSanitizer as well:
//
//   cmake -S . -B build-tsan -DTQ_TSAN=ON -DTQ_BUILD_GAME=OFF -DTQ_BUILD_ASSETS=OFF
//         -DTQ_BUILD_BENCH=OFF
//   cmake --build build-tsan --target tq_thread_tests -j2
//   build-tsan/tests/tq_thread_tests
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "app/sound_startup.h"
#include "presentation/main_menu.h"
#include "sound/music_stream.h"
#include "sound/sound_system.h"
#include "sound/sound_test_support.h"
#include "support/in_directory.h"

namespace {

using soundtest::Bytes16;
using soundtest::PcmWave;

class MusicRaceTest : public soundtest::SoundTest {
  protected:
    // The game's own menu, reading and writing its options in the scratch directory.
    void SetUp() override {
        SoundTest::SetUp();
        presentation::CreateMainMenu();
    }
    void TearDown() override {
        sound::StopMusicThread();
        presentation::ReleaseMenu();
        SoundTest::TearDown();
    }
    // A click on the menu's sound button, as the menu screen hands it on.
    static void ClickSoundButton() { presentation::Menu->MenuFrame(600, 400, 600, 400, 16.0f); }

    testing_support::InDirectory inside_{dir.Path()};
};

TEST_F(MusicRaceTest, MainThreadOpensPlaysAndStopsWhileTheWorkerRefills) {
    // Short files: the buffer holds several copies, so every refill rewinds the file too.
    const std::string menu = dir.Write(
        "menu.wav", PcmWave(2, 44100, 16, Bytes16(soundtest::NoiseSamples(2 * 20000, 1))));
    const std::string game =
        dir.Write("game.wav", PcmWave(1, 22050, 16, Bytes16(soundtest::NoiseSamples(15000, 2))));

    // The worker the game starts, reading the menu's music switch while the sound button below
    // flips it.
    app::StartMusicWorker();
    ASSERT_EQ(presentation::Menu->MusicOn, 0);

    // The audio output, pulling as fast as it can: the cursor passes segment ends all the time.
    std::atomic<bool> done{false};
    std::atomic<long> pulls{0};
    std::thread output([&] {
        while (!done.load()) {
            Render(2048);
            ++pulls;
        }
    });

    int switches = 0;
    for (int round = 0; round < 100; ++round) {
        // A level load makes the round's stream ahead; the round then opens it.
        if (round % 4 == 0) sound::PrepareMusic(game.c_str());
        sound::OpenMusic((round % 3 ? menu : game).c_str());
        ASSERT_EQ(sound::PlayMusic(true), S_OK);
        for (int step = 0; step < 20; ++step) {
            ASSERT_NE(sound::MusicStream, nullptr);
            EXPECT_TRUE(sound::MusicStream->AnyBufferPlaying());
            sound::MusicStream->BufferAt(0)->SetVolume(-step * 100);
            if (step % 7 == 0) std::this_thread::yield();
        }
        if (round % 2) sound::StopMusic();
        if (round % 5 == 0) {
            ASSERT_EQ(sound::PlayMusic(true), S_OK);
        }
        if (round % 11 == 0) {
            ClickSoundButton();
            ++switches;
        }
    }
    done.store(true);
    output.join();

    EXPECT_GT(pulls.load(), 0);
    EXPECT_EQ(presentation::Menu->MusicOn, switches % 2 ? 2 : 0) << "the button switched it";
    EXPECT_TRUE(sound::MusicThreadRunning());  // no refill failed
    sound::StopMusicThread();
    EXPECT_FALSE(sound::MusicThreadRunning());
    EXPECT_TRUE(backend.MessageBoxes().empty());
}

}  // namespace
