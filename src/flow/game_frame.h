// The whole per-frame behaviour: read the cursor, run the current screen, present.
#pragma once

#include <cstdint>

#include "diag/result_codes.h"

namespace flow {

// One frame; all timing comes from the tick count and the frame average. Returns the result of
// presenting, or 0 when the frame was skipped.
HRESULT GameFrame();

// Draws the crosshair cell of the in-game sheet centred on (x, y), cut at the screen edges.
void DrawCrosshair(int x, int y);

}  // namespace flow
