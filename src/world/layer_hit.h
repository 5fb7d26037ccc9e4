// Which background layer stops a shot: the pixel under the click is read from each middle and
// near tile as it is drawn. The near layer is tested after the middle one, so a click on opaque
// pixels of both is stopped by the near layer.
#pragma once

#include <cstdint>

#include "gamestate/game_state.h"
#include "gamestate/parallax.h"

class CBitmapSurface;

namespace world {

// The value of gamestate::Game.LayerHit for a shot stopped by the middle or near layer.
constexpr int32_t LayerHitOf(int layer) {
    return layer == gamestate::MidLayer ? gamestate::MidLayerHit : gamestate::NearLayerHit;
}

// Whether the screen point (x, y) lies on an opaque pixel of `tile` of `layer`, drawn at
// `tileScreenX` with its source cut at `clippedSourceLeft`. A point beside the tile's drawn part
// is not on it.
bool TileStopsShot(int layer, const CBitmapSurface* tile, int tileScreenX, int clippedSourceLeft,
                   int x, int y);

// Called for each drawn tile of the middle (`layer` 2) and near (`layer` 3) background, right
// after it was drawn; sets gamestate::Game.LayerHit when this frame's click lies on an opaque pixel
// of the tile.
void TestLayerHit(int layer, CBitmapSurface* tile, int tileScreenX, int clippedSourceLeft);

}  // namespace world
