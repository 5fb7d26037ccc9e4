// Which background layer stops a shot: the pixel under the click is read from each middle and
// near tile as it is drawn. The near layer is tested after the middle one, so a click on opaque
// pixels of both is stopped by the near layer.
#include "display/bitmap_surface.h"
#include "flow/controls.h"
#include "flow/game_state.h"
#include "presentation/asset_catalogue.h"
#include "world/shot.h"

namespace flow {

void TestLayerHit(int layer, CBitmapSurface* tile, int tileScreenX, int clippedSourceLeft) {
    if (ClickPoint.x == -1 || !tile) return;
    const int tileWidth = layer == presentation::MidLayer ? 760 : 800;
    const int cx = ClickPoint.x;
    // The column of the tile shown at the click; a click beside the tile's drawn part is not on
    // it.
    int column;
    if (clippedSourceLeft > 0) {
        column = clippedSourceLeft + cx;  // the tile starts left of the screen, drawn at x 0
    } else {
        if (cx < tileScreenX) return;
        column = cx - tileScreenX;
    }
    if (column >= tileWidth) return;
    const COLORREF colour = tile->ReadPixelColour(column, ClickPoint.y);
    if (colour == PanelKeyColour || colour == CLR_INVALID) return;
    LayerHit = layer == presentation::MidLayer ? world::MidLayerHit : world::NearLayerHit;
}

}  // namespace flow
