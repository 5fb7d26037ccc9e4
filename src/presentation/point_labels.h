// Drawing the floating point labels of recent hits: each rises from where the shot struck and
// goes away after three seconds of round time.
#pragma once

#include <cstdint>

class CDisplayDevice;

namespace presentation {

// Draws every label, lets it rise by `averageFrameTime` / 16 pixels and frees those older than
// three seconds of round time.
void DrawPointPopups(CDisplayDevice* display, float cameraX, float averageFrameTime,
                     uint32_t roundClock);

}  // namespace presentation
