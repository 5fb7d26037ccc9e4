// The horizontal camera: it scrolls when the cursor nears the left or right screen edge, and the
// far and middle layers follow it at 0.9 and 0.95 of its position.
#pragma once

namespace flow {

// One scroll step for the cursor at `cursorX`. Speed grows from 0 at x 200 (or 600) to one pixel
// per millisecond at the screen edge; the position stays a whole number, within the round's
// camera limits.
void ScrollCamera(int cursorX);

}  // namespace flow
