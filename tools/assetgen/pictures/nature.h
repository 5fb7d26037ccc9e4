// Painted pieces of woodland shared by the panoramas, the screens and the menu: trees, bushes,
// grass, clouds and holes. Every piece takes a `haze` (0 = near, full colour; towards 1 = far,
// paler and bluer) so the same tree can stand in any layer.
#pragma once

#include <cairo.h>

#include "pictures/colour.h"
#include "pictures/paint.h"

namespace assetgen {

// Pales a colour towards the far sky by `haze`.
Rgb Hazed(Rgb c, double haze);

struct TreeStyle {
    double haze = 0;
    double outline = 2;
    uint32_t seed = 1;
    bool trunk = true;  // false: the crown alone, for a trunk painted of its own
};

// A broad-leaved tree whose trunk foot stands at (x, groundY).
void PaintLeafTree(cairo_t* cr, double x, double groundY, double height, double crownWidth,
                   const TreeStyle& style, Rgb leaves = palette::LeafGreen);
// A fir tree.
void PaintFirTree(cairo_t* cr, double x, double groundY, double height, double width,
                  const TreeStyle& style);
// A rounded bush sitting on groundY.
void PaintBush(cairo_t* cr, double x, double groundY, double width, double height,
               const TreeStyle& style, Rgb leaves = palette::LeafGreen);
// A soft cloud.
void PaintCloud(cairo_t* cr, double x, double y, double width, uint32_t seed);
// Grass blades along a line from (x0, y) to (x1, y).
void PaintGrassTufts(cairo_t* cr, double x0, double x1, double y, double height, Rgb colour,
                     uint32_t seed, double density = 0.35);
// A hole in the ground that an animal dives into.
void PaintHole(cairo_t* cr, double cx, double groundY, double width, double haze);

}  // namespace assetgen
