#include "flow/camera.h"

#include <cmath>

#include "gamestate/frame_timing.h"
#include "gamestate/game_state.h"
#include "gamestate/parallax.h"
#include "gamestate/round_state.h"
#include "world/entity.h"

namespace flow {

namespace {

using world::WorldWidth;

// Back into 0 .. 4800. One step is far shorter than the world, but after a long stall the
// average frame time, and with it a step of the unlimited camera, can exceed it.
float WrapIntoWorld(float camera) {
    if (camera < 0.0f || !(camera < WorldWidth)) camera = std::fmod(camera, WorldWidth);
    if (camera < 0.0f) camera += WorldWidth;
    return camera;
}

}  // namespace

float ScrolledCamera(float camera, int cursorX, double averageFrameTime, int32_t minimum,
                     int32_t maximum) {
    if (cursorX < 200) {
        camera = static_cast<float>(static_cast<double>(camera) -
                                    (200 - cursorX) / 200.0 * averageFrameTime);
        if (static_cast<float>(minimum) > camera) camera = static_cast<float>(minimum);
        camera = WrapIntoWorld(camera);
    } else if (cursorX > 600) {
        camera = static_cast<float>(static_cast<double>(camera) +
                                    (cursorX - 600) / 200.0 * averageFrameTime);
        if (static_cast<float>(maximum) < camera) camera = static_cast<float>(maximum);
        camera = WrapIntoWorld(camera);
    }
    // Whole pixels only, so that the layers and the entities on them move in whole-pixel steps
    // together. Truncation loses a step of less than a pixel to the right, while one to the left
    // always moves a whole pixel; the scroll speeds were tuned with that.
    return std::trunc(camera);
}

void ScrollCamera(int cursorX) {
    gamestate::Game.CameraX = ScrolledCamera(
        gamestate::Game.CameraX, cursorX, static_cast<double>(gamestate::AverageFrameTime),
        gamestate::Round.cameraMin, gamestate::Round.cameraMax);
    gamestate::Game.FarScroll =
        gamestate::LayerScroll(gamestate::FarLayer, gamestate::Game.CameraX);
    gamestate::Game.MidScroll =
        gamestate::LayerScroll(gamestate::MidLayer, gamestate::Game.CameraX);
}

}  // namespace flow
