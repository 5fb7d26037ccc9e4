#include "presentation/background.h"

#include <algorithm>
#include <cmath>

#include "display/display_device.h"
#include "gamestate/asset_catalogue.h"
#include "gamestate/game_state.h"
#include "world/layer_hit.h"

namespace presentation {

namespace {

struct LayerGeometry {
    int tileWidth;
    const float* scroll;
};

LayerGeometry GeometryOf(int layer) {
    switch (layer) {
        case gamestate::FarLayer:
            return {720, &gamestate::FarScroll};
        case gamestate::MidLayer:
            return {760, &gamestate::MidScroll};
        default:
            return {800, &gamestate::CameraX};
    }
}

}  // namespace

void DrawBackgroundLayer(CDisplayDevice* display, int layer) {
    if (!display || layer < gamestate::FarLayer || layer > gamestate::NearLayer) return;
    const LayerGeometry geometry = GeometryOf(layer);
    const int w = geometry.tileWidth;
    const int scroll = static_cast<int>(*geometry.scroll);
    // Past this the layer has wrapped round: the tile shows again six tiles further on.
    const int wrapThreshold = -(6 * w - 800);
    for (int index = 2; index <= 3; ++index) {
        int x = index * w - scroll;
        if (x < wrapThreshold) x = (index + 6) * w - scroll;
        if (x <= -800 || x >= 800) continue;
        CBitmapSurface* tile = gamestate::BackgroundTiles[layer][index + 1];
        int clippedLeft = 0;
        if (x < 0) {
            clippedLeft = -x;
            const Rect source{-x, 0, w, 600};
            display->DrawSurface(0, 0, tile, &source);
        } else {
            const Rect source{0, 0, std::min(800 - x, w), 600};
            display->DrawSurface(static_cast<uint32_t>(x), 0, tile, &source);
        }
        if (layer != gamestate::FarLayer)
            world::TestLayerHit(layer, tile, std::max(x, 0), clippedLeft);
    }
}

}  // namespace presentation
