// The three parallax background layers. Only tiles 3 and 4 of each layer can ever be seen within
// the camera's limits, so only those are drawn.
#pragma once

class CDisplayDevice;

namespace presentation {

// Draws the visible tiles of `layer` (1 far, 2 middle, 3 near) for the current scroll, and for
// the middle and near layers tests this frame's shot against each tile drawn.
void DrawBackgroundLayer(CDisplayDevice* display, int layer);

}  // namespace presentation
