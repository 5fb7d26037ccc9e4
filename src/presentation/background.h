// The three parallax background layers, six tiles each, round the whole world. Within the
// camera's limits in the forest only tiles 3 and 4 of each layer can ever be seen, so only those
// are drawn; with the whole hunting ground (PanoramaMode) whichever tiles cover the view are.
#pragma once

#include <cstdint>

class CDisplayDevice;

namespace presentation {

// A background tile as it lies on the screen.
struct TileOnScreen {
    int index = 0;        // 0 .. 5: the tile's place in its layer (file E<layer><index + 1>)
    int screenX = 0;      // where the tile starts; below 0 when it is cut at the left edge
    int clippedLeft = 0;  // columns cut off at the left edge
};

constexpr int MaxTilesOnScreen = 3;

// The drawn tiles of `layer` (1 far, 2 middle, 3 near) for the layer scroll `scroll`, left to
// right; returns how many there are (two, or three where the narrower tiles of the far and middle
// layers cross a join, or one at a whole-tile position).
int TilesOnScreen(int layer, int scroll, TileOnScreen (&tiles)[MaxTilesOnScreen]);

// Draws the visible tiles of `layer` (1 far, 2 middle, 3 near) for the current scroll, and for
// the middle and near layers tests this frame's shot against each tile drawn.
void DrawBackgroundLayer(CDisplayDevice* display, int layer);

// The layer value (gamestate::Game.LayerHit) that the tests of the drawn tiles would give a shot at
// screen (x, y) with the camera at `camera`.
int32_t LayerHitAt(int x, int y, float camera);

}  // namespace presentation
