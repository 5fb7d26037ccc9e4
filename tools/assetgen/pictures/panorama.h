// What the three panoramas share: their widths and haze, the lines their grounds follow, and
// the helpers that keep a wide picture wrapping round. The base of each layer is painted in
// backgrounds.cpp; the meadow and the field add their own pieces (outer_regions.cpp) to the
// tiles beside the forest.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <initializer_list>
#include <utility>

#include "gamestate/parallax.h"
#include "pictures/colour.h"
#include "pictures/scene_layout.h"

namespace assetgen::panorama {

// Each panorama is one period of its layer.
constexpr double kFarWidth = gamestate::LayerPeriod(gamestate::FarLayer);
constexpr double kMidWidth = gamestate::LayerPeriod(gamestate::MidLayer);
constexpr double kNearWidth = gamestate::LayerPeriod(gamestate::NearLayer);
constexpr double kFarHaze = 0.42;
constexpr double kMidHaze = 0.22;

// Calls `paint` at x and at its wrapped twins, for pieces that may straddle the seam.
template <typename Paint>
void Wrapped(double layerWidth, double x, double reach, Paint paint) {
    for (int k = -1; k <= 1; ++k) {
        double at = x + k * layerWidth;
        if (at + reach >= 0 && at - reach <= layerWidth) paint(at);
    }
}

// A smooth periodic curve: the sum of a few sines whose periods divide the layer width.
double Wave(double x, double layerWidth, std::initializer_list<std::pair<int, double>> terms,
            double phase = 0);

double Bump(double x, double centre, double width);

// Tints a stretch of the layer (already clipped to what should be tinted) with soft ends.
void RegionTint(cairo_t* cr, double x0, double x1, Rgb colour, double alpha, double feather);

// The horizon of the far meadows and fields, the top of the middle layer's meadow, and the near
// layer's ground line (what stands on the near ground has its foot a little below it).
double FarHillLine(double x);
double MidMeadowLine(double x);
double NearGroundLine(double x);

// Pieces of the near ground.
void PaintFern(cairo_t* cr, double x, double groundY, double size, uint32_t seed);
void PaintWheat(cairo_t* cr, double x0, double x1, double groundY, uint32_t seed);
void PaintFlowers(cairo_t* cr, double x0, double x1, double groundY, uint32_t seed);

// The meadow's and the field's own pieces (outer_regions.cpp), each painted only into the tiles
// beside the forest.
void ClipToOuterTiles(cairo_t* cr, int layer);
// True for a tree of the middle layer's tree line that would stand in front of the far power line
// and its ravens, or of the windmill.
bool MidTreeHidesAFarLandmark(double x, double crownWidth);
// Onto the far hills, before the chapel, the farmyard and the power line: fields, a windmill, a
// farm, orchards and hedges.
void PaintFarOuterCountry(cairo_t* cr);
// Into the middle layer's meadow, before its path: the field's strips, the meadow's flowers.
void PaintMidOuterGround(cairo_t* cr);
// Onto the middle layer, last: stooks, the hay wagon, haycocks.
void PaintMidOuterProps(cairo_t* cr);
// Into the near ground, after its path: stubble on the field.
void PaintNearOuterGround(cairo_t* cr);
// Onto the near layer, last: flowers, molehills, skeps, wheat, straw.
void PaintNearOuterProps(cairo_t* cr);

}  // namespace assetgen::panorama
