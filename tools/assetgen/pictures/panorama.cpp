#include "pictures/panorama.h"

#include <cmath>

#include "pictures/nature.h"
#include "pictures/paint.h"

namespace assetgen::panorama {

using namespace layout;

// A smooth periodic curve: the sum of a few sines whose periods divide the layer width.
double Wave(double x, double layerWidth, std::initializer_list<std::pair<int, double>> terms,
            double phase) {
    double v = 0;
    for (auto [cycles, amplitude] : terms) {
        v += amplitude * std::sin(2 * M_PI * cycles * x / layerWidth + phase * cycles);
    }
    return v;
}

double Bump(double x, double centre, double width) {
    double d = (x - centre) / width;
    return std::exp(-d * d);
}

// Tints a stretch of the layer (already clipped to what should be tinted) with soft ends.
void RegionTint(cairo_t* cr, double x0, double x1, Rgb colour, double alpha, double feather) {
    cairo_pattern_t* g = cairo_pattern_create_linear(x0 - feather, 0, x1 + feather, 0);
    double span = x1 - x0 + 2 * feather;
    double r = colour.r / 255.0, gg = colour.g / 255.0, b = colour.b / 255.0;
    cairo_pattern_add_color_stop_rgba(g, 0, r, gg, b, 0);
    cairo_pattern_add_color_stop_rgba(g, feather / span, r, gg, b, alpha);
    cairo_pattern_add_color_stop_rgba(g, 1 - feather / span, r, gg, b, alpha);
    cairo_pattern_add_color_stop_rgba(g, 1, r, gg, b, 0);
    cairo_set_source(cr, g);
    cairo_rectangle(cr, x0 - feather, 0, x1 - x0 + 2 * feather, 600);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

double FarHillLine(double x) {
    return 236 + Wave(x, kFarWidth, {{3, 12}, {7, 8}, {13, 4}}, 0.7) -
           22 * Bump(x, BellTowerX + 10, 170);
}

double MidMeadowLine(double x) {
    return MidMeadowTop + Wave(x, kMidWidth, {{6, 2}, {15, 1.5}});
}

double NearGroundLine(double x) {
    double line = NearGroundTop + 4 + Wave(x, kNearWidth, {{6, 4}, {17, 2}, {29, 1.5}});
    // The apple tree's root mound, where the mushrooms grow.
    line -= 24 * Bump(x, 2110, 75) + 10 * Bump(x, 1860, 60);
    return line;
}

void PaintFern(cairo_t* cr, double x, double groundY, double size, uint32_t seed) {
    Random random(seed);
    for (int i = 0; i < 7; ++i) {
        double a = -M_PI / 2 + (i - 3) * 0.32 + random.Uniform(-0.08, 0.08);
        double len = size * random.Uniform(0.7, 1.0) * (1 - std::abs(i - 3) * 0.08);
        double tx = x + std::cos(a) * len, ty = groundY + std::sin(a) * len * 0.8;
        double mx = x + std::cos(a) * len * 0.5,
               my = groundY + std::sin(a) * len * 0.55 - len * 0.08;
        PaintShape(
            cr,
            [&](cairo_t* c) {
                cairo_move_to(c, x, groundY);
                cairo_curve_to(c, mx - 6, my, tx - 4, ty + 4, tx, ty);
                cairo_curve_to(c, tx + 4, ty + 6, mx + 6, my + 6, x + 2, groundY);
                cairo_close_path(c);
            },
            ShapeStyle{i % 2 ? Hex(0x3f7a30) : Hex(0x4c8a38), 0.25, 0.25, 2, 2});
        SetColour(cr, Hex(0x2f5d2a));
        cairo_set_line_width(cr, 1.2);
        for (int k = 1; k < 6; ++k) {
            double t = k / 6.0;
            double px = x + (tx - x) * t, py = groundY + (ty - groundY) * t - len * 0.05;
            cairo_move_to(cr, px - 5, py + 3);
            cairo_line_to(cr, px + 5, py - 3);
        }
        cairo_stroke(cr);
    }
}

void PaintWheat(cairo_t* cr, double x0, double x1, double groundY, uint32_t seed) {
    Random random(seed);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (double x = x0; x < x1; x += random.Uniform(4, 9)) {
        double h = random.Uniform(34, 56);
        double lean = random.Uniform(-6, 6);
        SetColour(cr, Hex(0x8a6a30));
        cairo_set_line_width(cr, 3.5);
        cairo_move_to(cr, x, groundY + 4);
        cairo_line_to(cr, x + lean, groundY - h);
        cairo_stroke(cr);
        SetColour(cr, Hex(0xd8b450));
        cairo_set_line_width(cr, 2);
        cairo_move_to(cr, x, groundY + 4);
        cairo_line_to(cr, x + lean, groundY - h);
        cairo_stroke(cr);
        PaintShape(
            cr, [&](cairo_t* c) { EllipsePath(c, x + lean, groundY - h - 6, 3, 8); },
            ShapeStyle{Hex(0xe0bc58), 0.25, 0.25, 1.5, 1.5});
    }
}

void PaintFlowers(cairo_t* cr, double x0, double x1, double groundY, uint32_t seed) {
    Random random(seed);
    for (double x = x0; x < x1; x += random.Uniform(10, 22)) {
        double h = random.Uniform(12, 26);
        SetColour(cr, Hex(0x3f7a30));
        cairo_set_line_width(cr, 2);
        cairo_move_to(cr, x, groundY + 4);
        cairo_line_to(cr, x, groundY - h);
        cairo_stroke(cr);
        Rgb petals[] = {Hex(0xf4f0e8), Hex(0xe8c83a), Hex(0xd85a8a), Hex(0x8a6ad8)};
        Rgb c = petals[random.Below(4)];
        PaintShape(
            cr, [&](cairo_t* cc) { EllipsePath(cc, x, groundY - h, 5, 4); },
            ShapeStyle{c, 0.25, 0.25, 1.5, 1.5});
        SetColour(cr, Hex(0xe8b030));
        EllipsePath(cr, x, groundY - h, 1.6, 1.6);
        cairo_fill(cr);
    }
}

}  // namespace assetgen::panorama
