// The animal painters, shared with the HUD icons, the trophies and the screens. Each paints one
// frame of the left-facing strip into a cell at the origin (sizes in scene_layout.h).
#pragma once

#include <cairo.h>

namespace assetgen {

void PaintBoar(cairo_t* cr, int frame);
void PaintDuck(cairo_t* cr, int frame);
void PaintMole(cairo_t* cr, int frame);
void PaintQuail(cairo_t* cr, int frame);
void PaintHare(cairo_t* cr, int frame);
void PaintRaven(cairo_t* cr, int frame);
// A woodpecker clinging to a trunk on its right, 44 x 44: 0 and 1 pecking, 2 hit.
constexpr int WoodpeckerWidth = 44, WoodpeckerHeight = 44;
void PaintWoodpecker(cairo_t* cr, int frame);

// Paints `frame` of an animal (cell `width` x `height`) scaled into the box, with a crisp dark
// silhouette outline of `outline` pixels, for icons and trophies.
void PaintAnimalIcon(cairo_t* cr, void (*paint)(cairo_t*, int), int frame, int width, int height,
                     double x, double y, double boxWidth, double boxHeight, double outline = 1.5);

}  // namespace assetgen
