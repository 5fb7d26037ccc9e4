#include "presentation/background.h"

#include <algorithm>

#include "display/display_device.h"
#include "gamestate/asset_catalogue.h"
#include "gamestate/game_state.h"
#include "world/layer_hit.h"

namespace presentation {

namespace {

constexpr int ScreenWidth = 800;

const float& ScrollOf(int layer) {
    switch (layer) {
        case gamestate::FarLayer:
            return gamestate::Game.FarScroll;
        case gamestate::MidLayer:
            return gamestate::Game.MidScroll;
        default:
            return gamestate::Game.CameraX;
    }
}

}  // namespace

int TilesOnScreen(int layer, int scroll, TileOnScreen (&tiles)[MaxTilesOnScreen]) {
    const int w = gamestate::TileWidth(layer);
    // The layer repeats after its six tiles.
    const int period = gamestate::TilesPerLayer * w;
    const int first = gamestate::Game.PanoramaMode ? 0 : 2;
    const int last = gamestate::Game.PanoramaMode ? gamestate::TilesPerLayer - 1 : 3;
    int count = 0;
    for (int index = first; index <= last && count < MaxTilesOnScreen; ++index) {
        int x = (index * w - scroll) % period;
        if (x < 0) x += period;
        // A tile far to the right of the view may show at its left, one period earlier.
        if (x >= ScreenWidth) x -= period;
        if (x <= -w || x >= ScreenWidth) continue;
        tiles[count++] = TileOnScreen{index, x, std::max(-x, 0)};
    }
    std::sort(tiles, tiles + count,
              [](const TileOnScreen& a, const TileOnScreen& b) { return a.screenX < b.screenX; });
    return count;
}

void DrawBackgroundLayer(CDisplayDevice* display, int layer) {
    if (!display || layer < gamestate::FarLayer || layer > gamestate::NearLayer) return;
    const int w = gamestate::TileWidth(layer);
    TileOnScreen tiles[MaxTilesOnScreen];
    const int count = TilesOnScreen(layer, static_cast<int>(ScrollOf(layer)), tiles);
    for (int i = 0; i < count; ++i) {
        const TileOnScreen& placed = tiles[i];
        CBitmapSurface* tile = gamestate::BackgroundTiles[layer][placed.index + 1];
        const int x = std::max(placed.screenX, 0);
        const Rect source{placed.clippedLeft, 0, std::min(placed.clippedLeft + ScreenWidth - x, w),
                          600};
        display->DrawSurface(static_cast<uint32_t>(x), 0, tile, &source);
        if (layer != gamestate::FarLayer) world::TestLayerHit(layer, tile, x, placed.clippedLeft);
    }
}

int32_t LayerHitAt(int x, int y, float camera) {
    int32_t layerHit = gamestate::NoLayerHit;
    for (int layer : {gamestate::MidLayer, gamestate::NearLayer}) {
        TileOnScreen tiles[MaxTilesOnScreen];
        const int scroll = static_cast<int>(gamestate::LayerScroll(layer, camera));
        const int count = TilesOnScreen(layer, scroll, tiles);
        for (int i = 0; i < count; ++i) {
            const TileOnScreen& placed = tiles[i];
            const CBitmapSurface* tile = gamestate::BackgroundTiles[layer][placed.index + 1];
            if (world::TileStopsShot(layer, tile, std::max(placed.screenX, 0), placed.clippedLeft,
                                     x, y)) {
                layerHit = world::LayerHitOf(layer);
            }
        }
    }
    return layerHit;
}

}  // namespace presentation
