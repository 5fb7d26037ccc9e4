#include "world/layer_hit.h"

#include "display/bitmap_surface.h"
#include "display/colour.h"

namespace world {

bool TileStopsShot(int layer, const CBitmapSurface* tile, int tileScreenX, int clippedSourceLeft,
                   int x, int y) {
    if (!tile) return false;
    // The column of the tile shown at x.
    int column;
    if (clippedSourceLeft > 0) {
        column = clippedSourceLeft + x;  // the tile starts left of the screen, drawn at x 0
    } else {
        if (x < tileScreenX) return false;
        column = x - tileScreenX;
    }
    if (column >= gamestate::TileWidth(layer)) return false;
    const COLORREF colour = tile->ReadPixelColour(column, y);
    return colour != PanelKeyColour && colour != CLR_INVALID;
}

void TestLayerHit(int layer, CBitmapSurface* tile, int tileScreenX, int clippedSourceLeft) {
    const gamestate::ScreenPoint click = gamestate::Game.ClickPoint;
    if (click.x == -1) return;
    if (!TileStopsShot(layer, tile, tileScreenX, clippedSourceLeft, click.x, click.y)) return;
    gamestate::Game.LayerHit = LayerHitOf(layer);
}

}  // namespace world
