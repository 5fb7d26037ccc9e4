#include "flow/camera.h"

#include <cmath>

#include "gamestate/frame_timing.h"
#include "gamestate/game_state.h"
#include "gamestate/round_state.h"

namespace flow {

void ScrollCamera(int cursorX) {
    const double averageFrameTime = gamestate::AverageFrameTime;
    if (cursorX < 200) {
        gamestate::CameraX =
            static_cast<float>(gamestate::CameraX - (200 - cursorX) / 200.0 * averageFrameTime);
        if (static_cast<float>(gamestate::Round.cameraMin) > gamestate::CameraX) {
            gamestate::CameraX = static_cast<float>(gamestate::Round.cameraMin);
        }
        if (gamestate::CameraX < 0.0f) gamestate::CameraX += 4800.0f;
    } else if (cursorX > 600) {
        gamestate::CameraX =
            static_cast<float>(gamestate::CameraX + (cursorX - 600) / 200.0 * averageFrameTime);
        if (static_cast<float>(gamestate::Round.cameraMax) < gamestate::CameraX) {
            gamestate::CameraX = static_cast<float>(gamestate::Round.cameraMax);
        }
        if (!(gamestate::CameraX < 4800.0f)) gamestate::CameraX -= 4800.0f;
    }
    // Whole pixels only, so that the layers and the entities on them move in whole-pixel steps
    // together. Truncation loses a step of less than a pixel to the right, while one to the left
    // always moves a whole pixel; the scroll speeds were tuned with that.
    gamestate::CameraX = std::trunc(gamestate::CameraX);
    gamestate::FarScroll = std::trunc(gamestate::CameraX * 0.9f);
    gamestate::MidScroll = std::trunc(gamestate::CameraX * 0.95f);
}

}  // namespace flow
