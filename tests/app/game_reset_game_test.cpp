// A second run of the game in one process must play exactly as the first: the game's own reset
// at the start of a run puts back everything the first run left behind. The same script runs
// twice, each in a fresh play directory, and every presented frame and every started sound must
// be the same; anything the reset forgets (the camera, the round, the pause, the weapon, the
// entities, the frame timing, the menu) shows in the pictures.
#include "app/game_reset.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/application.h"
#include "autoplayer.h"
#include "gamestate/game_state.h"
#include "gamestate/round_state.h"
#include "platform/headless/headless_backend.h"
#include "sound/sound_system.h"
#include "support/play_directory.h"

namespace {

using platform::HeadlessBackend;
namespace vk = platform::vk;

constexpr int Frames = 1300;
constexpr uint32_t StepMs = 20;

// The menu, a round with aimed shots, a reload, scrolling both ways and a minimise, Escape back
// to the menu, the music switched off there, and a second round that the run leaves scrolled,
// with shots fired and the window minimised: much for a second run to find if it is not reset.
class ScriptedGame : public HeadlessBackend::FrameHooks {
  public:
    std::vector<size_t> frameDigests;
    std::vector<std::string> soundsStarted;
    int roundFrames = 0;
    int menuFramesAfterRound = 0;
    int32_t score = 0;

    void BeforeFrame(HeadlessBackend& backend, int frame) override {
        backend.AdvanceTime(StepMs);
        if (frame >= Frames) {
            if (frame == Frames) backend.PostClose();
            return;
        }
        if (frame == 220) backend.SetCursor(600, 222);  // over "Spiel starten"
        if (frame == 230) backend.Click(vk::LButton);
        const bool playing = gamestate::Game.GameScreen == gamestate::GamePlayScreen &&
                             gamestate::Game.StartScreenTime == gamestate::NotScheduled;
        if (playing) PlayRound(backend, roundFrames++);
        if (roundFrames > 0 && gamestate::Game.GameScreen == gamestate::MenuScreen)
            InTheMenu(backend, menuFramesAfterRound++);
        score = std::max(score, gamestate::Round.score);
    }

    void AfterFrame(HeadlessBackend& backend, int) override {
        const std::vector<uint16_t>& picture = backend.LastFrame();
        frameDigests.push_back(std::hash<std::string_view>{}(std::string_view(
            reinterpret_cast<const char*>(picture.data()), picture.size() * sizeof(uint16_t))));
        soundsStarted = sound::RecentlyStartedSounds();
    }

  private:
    void PlayRound(HeadlessBackend& backend, int r) {
        if (r % 12 == 0 && (r < 180 || r > 340)) {
            const platform::Point cursor = backend.CursorPos();
            const driver::Autoplayer::Aim aim = aiming_.ChooseTarget(cursor.x, cursor.y, StepMs);
            if (aim.index >= 0) backend.SetCursor(aim.x, aim.y);
            backend.Click(vk::LButton);
        }
        if (r == 100) backend.Click(vk::RButton);
        if (r == 190) backend.SetCursor(795, 300);  // the view scrolls right
        if (r == 240) backend.SetCursor(3, 300);    // and back left
        if (r == 300) backend.SetCursor(400, 300);
        if (r == 310) Send(backend, platform::SizeKind::Minimized);
        if (r == 311) {
            Send(backend, platform::SizeKind::Restored);
            platform::Event move;
            move.type = platform::EventType::Move;
            backend.QueueEvent(move);
        }
        if (r == 330) backend.Click(vk::Escape);
        if (r == 400) backend.SetCursor(795, 300);
        if (r == 420) backend.SetCursor(400, 300);
        if (r == 440) Send(backend, platform::SizeKind::Minimized);  // and the run ends so
    }
    static void InTheMenu(HeadlessBackend& backend, int m) {
        if (m == 20) {
            backend.SetCursor(600, 400);  // the sound button: music off
            backend.Click(vk::LButton);
        }
        if (m == 40) {
            backend.SetCursor(600, 222);
            backend.Click(vk::LButton);
        }
    }
    static void Send(HeadlessBackend& backend, platform::SizeKind kind) {
        platform::Event event;
        event.type = platform::EventType::Size;
        event.sizeKind = kind;
        backend.QueueEvent(event);
    }

    driver::Autoplayer aiming_{0};  // only its choice of a target
};

ScriptedGame PlayOnce() {
    testing_support::PlayDirectory dir;
    HeadlessBackend backend;
    ScriptedGame game;
    backend.SetFrameHooks(&game);
    platform::SetBackend(&backend);
    app::GameMain();
    platform::SetBackend(nullptr);
    return game;
}

TEST(GameReset, TheSameScriptedGameRunTwiceInOneProcessShowsTheSameFrames) {
    const ScriptedGame first = PlayOnce();
    const ScriptedGame second = PlayOnce();
    app::ResetGame();
    ASSERT_GT(first.menuFramesAfterRound, 40) << "the script went back to the menu";
    ASSERT_GT(first.roundFrames, 440) << "and into a second round";
    EXPECT_GT(first.score, 0) << "where it hit something";

    ASSERT_EQ(first.frameDigests.size(), second.frameDigests.size());
    for (size_t frame = 0; frame < first.frameDigests.size(); ++frame) {
        ASSERT_EQ(first.frameDigests[frame], second.frameDigests[frame])
            << "frame " << frame << " differs in the second run";
    }
    EXPECT_EQ(first.soundsStarted, second.soundsStarted);
}

}  // namespace
