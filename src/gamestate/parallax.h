// The three background layers and how they follow the camera. The far and middle layers lie
// further back, so they move less than the camera: their tiles are as much narrower as they move
// less, and each layer repeats after its own six tiles. The near layer moves with the camera and
// its six tiles are the whole world.
#pragma once

#include <cmath>

namespace gamestate {

// Layers by depth, counted from the back.
constexpr int FarLayer = 1;
constexpr int MidLayer = 2;
constexpr int NearLayer = 3;
constexpr int TilesPerLayer = 6;

// How far a layer moves for each pixel the camera moves.
constexpr double FarParallax = 0.9;
constexpr double MidParallax = 0.95;
constexpr double Parallax(int layer) {
    return layer == FarLayer ? FarParallax : layer == MidLayer ? MidParallax : 1.0;
}

// A tile's width: the screen's 800 pixels times the layer's parallax (720, 760 and 800).
constexpr int TileWidth(int layer) {
    return static_cast<int>(800 * Parallax(layer) + 0.5);
}
// The pixels after which a layer repeats.
constexpr int LayerPeriod(int layer) {
    return TilesPerLayer * TileWidth(layer);
}

// The scroll of `layer` with the camera at `camera`, in whole pixels. It is computed in single
// precision, as the camera is; the drawing of the animals scales world positions in double
// precision, and the two round differently.
inline float LayerScroll(int layer, float camera) {
    if (layer == NearLayer) return camera;
    return std::trunc(camera * static_cast<float>(Parallax(layer)));
}

}  // namespace gamestate
