// Drawing the floating point labels of recent hits: each rises from where the shot struck and
// goes away after three seconds of round time.
#pragma once

#include <cstdint>

class CDisplayDevice;

namespace presentation {

// Where a label made at world x `worldX` shows for the camera at `cameraX`: the nearer of its
// places round the world, so a label stays beside its shot when the camera crosses the seam.
int PointLabelScreenX(int32_t worldX, float cameraX);

// Draws every label, lets it rise by `averageFrameTime` / 16 pixels and frees those older than
// three seconds of round time.
void DrawPointPopups(CDisplayDevice* display, float cameraX, float averageFrameTime,
                     uint32_t roundClock);

}  // namespace presentation
