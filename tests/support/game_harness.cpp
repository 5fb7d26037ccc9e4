#include "support/game_harness.h"

#include "app/application.h"
#include "app/game_reset.h"
#include "gamestate/game_state.h"
#include "presentation/main_menu.h"

namespace testing_support {

bool InMenu() {
    return gamestate::Game.GameScreen == gamestate::MenuScreen;
}

bool Playing() {
    return gamestate::Game.GameScreen == gamestate::GamePlayScreen &&
           gamestate::Game.StartScreenTime == gamestate::NotScheduled;
}

bool TypingAName() {
    return InMenu() && presentation::Menu && presentation::Menu->highScores.editing == 1;
}

GameHarness::GameHarness() {
    platform::SetBackend(&backend_);
    app::ResetGame();
}

GameHarness::~GameHarness() {
    app::ResetGame();
    platform::SetBackend(nullptr);
}

int GameHarness::Run(int frames, FrameScript beforeFrame, FrameScript afterFrame) {
    before_ = std::move(beforeFrame);
    after_ = std::move(afterFrame);
    frames_ = frames;
    closing_ = false;
    backend_.SetFrameHooks(this);
    int code = app::GameMain();
    backend_.SetFrameHooks(nullptr);
    return code;
}

void GameHarness::BeforeFrame(platform::HeadlessBackend& backend, int frame) {
    backend.AdvanceTime(stepMs);
    if (frame >= frames_) {
        if (!closing_) backend.PostClose();
        closing_ = true;
        return;
    }
    if (before_) before_(backend, frame);
}

void GameHarness::AfterFrame(platform::HeadlessBackend& backend, int frame) {
    lastFrame_ = frame;
    if (after_) after_(backend, frame);
}

}  // namespace testing_support
