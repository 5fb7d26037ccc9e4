#include "flow/camera.h"

#include <cmath>

#include "app/application.h"
#include "flow/game_state.h"
#include "flow/round_state.h"

namespace flow {

void ScrollCamera(int cursorX) {
    const double averageFrameTime = app::AverageFrameTime;
    if (cursorX < 200) {
        CameraX = static_cast<float>(CameraX - (200 - cursorX) / 200.0 * averageFrameTime);
        if (static_cast<float>(Round.cameraMin) > CameraX) {
            CameraX = static_cast<float>(Round.cameraMin);
        }
        if (CameraX < 0.0f) CameraX += 4800.0f;
    } else if (cursorX > 600) {
        CameraX = static_cast<float>(CameraX + (cursorX - 600) / 200.0 * averageFrameTime);
        if (static_cast<float>(Round.cameraMax) < CameraX) {
            CameraX = static_cast<float>(Round.cameraMax);
        }
        if (!(CameraX < 4800.0f)) CameraX -= 4800.0f;
    }
    // Whole pixels only: a step of less than a pixel to the right is lost, one to the left
    // always moves a pixel, as the original camera did.
    CameraX = std::trunc(CameraX);
    FarScroll = std::trunc(CameraX * 0.9f);
    MidScroll = std::trunc(CameraX * 0.95f);
}

}  // namespace flow
