// A game controller's analogue parts, as every backend turns them into the input the game reads,
// so that a controller feels the same whichever backend reads it (SDL's controllers, a browser's
// Gamepad API, the headless backend's scripted pad):
//  - a trigger is a button: pressed beyond half its travel and released below a quarter, so that
//    a finger resting near the middle does not click again and again;
//  - the left stick moves the cursor: nothing inside a dead zone, then faster the further it is
//    tilted, so a small tilt aims slowly and precisely and a full tilt crosses the screen in
//    about half a second.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/platform.h"

namespace platform {

// Trigger travel, of 1.0, at which a trigger goes down and comes up again.
constexpr float TriggerPressPoint = 0.5f;
constexpr float TriggerReleasePoint = 0.25f;

// Whether a trigger pulled `pull` of its travel (0 .. 1) is down, given whether it was.
bool TriggerDown(bool wasDown, float pull);

// How far a stick must be tilted (of 1.0) before the cursor moves.
constexpr float StickDeadZone = 0.2f;
// Cursor speed at full tilt, in game pixels per second.
constexpr float StickTopSpeed = 1600.0f;
// Longer gaps between two frames (a stall, a minimised window) move the cursor no further.
constexpr uint32_t LongestStickStepMs = 100;

// A stick's tilt (each axis -1 .. 1, y downwards), or what it makes of the cursor: a speed in
// game pixels per second, or one frame's motion in game pixels.
struct StickVector {
    float x = 0.0f;
    float y = 0.0f;
};

// The cursor's speed for a stick tilted `tilt`: zero inside the dead zone, then growing with the
// square of the tilt beyond it, in the stick's direction.
StickVector StickVelocity(StickVector tilt);

// The cursor motion a stick makes from one frame to the next.
class StickMotion {
  public:
    // A frame begins at `now` (ms) with the stick tilted `tilt`: how far the cursor moves since
    // the previous frame, in game pixels. The first frame moves nothing.
    StickVector Step(StickVector tilt, uint32_t now);

  private:
    std::optional<uint32_t> last_;
};

// Moves a pointer by a stick's motion in whole pixels, keeping the fractions from frame to frame,
// within a rectangle of pointer pixels [left, right) x [top, bottom).
class StickPointer {
  public:
    struct Area {
        float left = 0.0f;
        float top = 0.0f;
        float right = 0.0f;
        float bottom = 0.0f;
    };
    // The pointer is at `at`: where `motion` (in pointer pixels) takes it. Unless the pointer still
    // shows this pointer's last move (or has not caught up with it yet), something else (the
    // mouse) moved it, and the stick goes on from there.
    Point Move(Point at, StickVector motion, const Area& area);

  private:
    float x_ = 0.0f;
    float y_ = 0.0f;
    bool moved_ = false;
    Point from_;
    Point to_;
};

}  // namespace platform
