// Runs the real game on the headless backend in virtual time, for scenario tests.
#pragma once

#include <functional>

#include "platform/headless/headless_backend.h"

namespace testing_support {

// Menu buttons, where a player points to press them.
constexpr platform::Point GameStartButton{600, 220};
constexpr platform::Point SoundButton{600, 420};

// What the game shows: the menu, a round under way (past the loading and the hold), or the
// menu taking a name for the high-score table.
bool InMenu();
bool Playing();
bool TypingAName();

// Installs a headless backend, resets the game (app::ResetGame) and runs `app::GameMain` with a
// per-frame script: `beforeFrame(backend, frame)` runs before each frame (after the clock advanced
// by `stepMs`); the run ends after `frames` frames (with a close request, as a user would) or when
// the game closes itself. Returns GameMain's exit code.
class GameHarness : public platform::HeadlessBackend::FrameHooks {
  public:
    using FrameScript = std::function<void(platform::HeadlessBackend&, int frame)>;

    GameHarness();
    ~GameHarness() override;

    int Run(int frames, FrameScript beforeFrame = {}, FrameScript afterFrame = {});

    platform::HeadlessBackend& Backend() { return backend_; }
    int FramesRun() const { return lastFrame_ + 1; }
    uint32_t stepMs = 16;

    void BeforeFrame(platform::HeadlessBackend& backend, int frame) override;
    void AfterFrame(platform::HeadlessBackend& backend, int frame) override;

  private:
    platform::HeadlessBackend backend_;
    FrameScript before_;
    FrameScript after_;
    int frames_ = 0;
    int lastFrame_ = -1;
    bool closing_ = false;
};

}  // namespace testing_support
