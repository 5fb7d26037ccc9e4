// Which background layer stops a shot: the pixel under the click is read from each middle and
// near tile as it is drawn. The near layer is tested after the middle one, so a click on opaque
// pixels of both is stopped by the near layer.
#pragma once

class CBitmapSurface;

namespace world {

// Called for each drawn tile of the middle (`layer` 2) and near (`layer` 3) background, right
// after it was drawn at `tileScreenX` with its source cut at `clippedSourceLeft`; sets
// gamestate::LayerHit when this frame's click lies on an opaque pixel of the tile.
void TestLayerHit(int layer, CBitmapSurface* tile, int tileScreenX, int clippedSourceLeft);

}  // namespace world
