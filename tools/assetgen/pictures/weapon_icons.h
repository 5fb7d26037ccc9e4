// Small side views of the weapons and their ammunition, for the HUD sheet and the info banners.
// Each paints into the box (x, y, w, h); `greyed` draws the locked, colourless version.
#pragma once

#include <cairo.h>

namespace assetgen {

void PaintShotgunIcon(cairo_t* cr, double x, double y, double w, double h, bool greyed);
void PaintCrossbowIcon(cairo_t* cr, double x, double y, double w, double h, bool greyed);
void PaintMachineGunIcon(cairo_t* cr, double x, double y, double w, double h, bool greyed);
void PaintDynamiteBanner(cairo_t* cr, double x, double y, double w, double h, bool greyed);

void PaintShellIcon(cairo_t* cr, double x, double y, double w, double h);
void PaintBoltIcon(cairo_t* cr, double x, double y, double w, double h);
void PaintCartridgeIcon(cairo_t* cr, double x, double y, double w, double h);
void PaintDynamiteIcon(cairo_t* cr, double x, double y, double w, double h);

}  // namespace assetgen
