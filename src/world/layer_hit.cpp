#include "world/layer_hit.h"

#include "display/bitmap_surface.h"
#include "gamestate/asset_catalogue.h"
#include "gamestate/game_state.h"

namespace world {

void TestLayerHit(int layer, CBitmapSurface* tile, int tileScreenX, int clippedSourceLeft) {
    if (gamestate::ClickPoint.x == -1 || !tile) return;
    const int tileWidth = gamestate::TileWidth(layer);
    const int cx = gamestate::ClickPoint.x;
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
    const COLORREF colour = tile->ReadPixelColour(column, gamestate::ClickPoint.y);
    if (colour == PanelKeyColour || colour == CLR_INVALID) return;
    gamestate::LayerHit =
        layer == gamestate::MidLayer ? gamestate::MidLayerHit : gamestate::NearLayerHit;
}

}  // namespace world
