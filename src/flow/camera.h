// The horizontal camera: it scrolls when the cursor nears the left or right screen edge, and the
// far and middle layers follow it at their parallax.
#pragma once

#include <cstdint>

namespace flow {

// Where one scroll step for the cursor at `cursorX` takes the camera from `camera`: speed grows
// from 0 at x 200 (or 600) to one pixel per millisecond at the screen edge; the result stays
// within `minimum` .. `maximum`, is wrapped round the world and is a whole number.
float ScrolledCamera(float camera, int cursorX, double averageFrameTime, int32_t minimum,
                     int32_t maximum);

// One scroll step of the game's camera within the round's camera limits.
void ScrollCamera(int cursorX);

}  // namespace flow
