#include "pictures/nature.h"

#include <cmath>
#include <vector>

namespace assetgen {

Rgb Hazed(Rgb c, double haze) {
    return Mix(c, Hex(0xc4dcec), haze);
}

void PaintLeafTree(cairo_t* cr, double x, double groundY, double height, double crownWidth,
                   const TreeStyle& style, Rgb leaves) {
    Random random(style.seed);
    double trunkWidth = std::max(4.0, crownWidth * 0.13);
    double crownBottom = groundY - height * 0.38;
    // Trunk with a slight flare at the foot.
    if (style.trunk)
        PaintShape(
            cr,
            [&](cairo_t* c) {
                cairo_move_to(c, x - trunkWidth * 0.9, groundY);
                cairo_curve_to(c, x - trunkWidth * 0.5, groundY - 6, x - trunkWidth * 0.45,
                               crownBottom + 10, x - trunkWidth * 0.35, crownBottom - height * 0.1);
                cairo_line_to(c, x + trunkWidth * 0.35, crownBottom - height * 0.1);
                cairo_curve_to(c, x + trunkWidth * 0.45, crownBottom + 10, x + trunkWidth * 0.5,
                               groundY - 6, x + trunkWidth * 0.9, groundY);
                cairo_close_path(c);
            },
            ShapeStyle{Hazed(palette::Bark, style.haze), 0.15, 0.3, trunkWidth * 0.3,
                       style.outline});
    // Crown: overlapping round clumps.
    struct Clump {
        double cx, cy, r;
    };
    std::vector<Clump> clumps;
    double crownTop = groundY - height;
    double crownHeight = crownBottom - crownTop + height * 0.08;
    double cy0 = crownTop + crownHeight * 0.5;
    int count = 7 + random.Below(3);
    for (int i = 0; i < count; ++i) {
        double a = 2 * M_PI * i / count + random.Uniform(-0.3, 0.3);
        double r = crownWidth * random.Uniform(0.2, 0.27);
        clumps.push_back(
            {x + std::cos(a) * crownWidth * 0.28, cy0 + std::sin(a) * crownHeight * 0.26, r});
    }
    clumps.push_back({x, cy0, crownWidth * 0.3});
    auto crown = [&](cairo_t* c) {
        for (const Clump& k : clumps) EllipsePath(c, k.cx, k.cy, k.r, k.r * 0.92);
    };
    Rgb base = Hazed(leaves, style.haze);
    PaintShape(cr, crown, ShapeStyle{base, 0.0, 0.32, crownWidth * 0.09, style.outline});
    // Lit clumps on the upper left, a few leaf dabs.
    cairo_save(cr);
    cairo_new_path(cr);
    crown(cr);
    cairo_clip(cr);
    for (const Clump& k : clumps) {
        SetColour(cr, Lighter(base, 0.18));
        EllipsePath(cr, k.cx - k.r * 0.25, k.cy - k.r * 0.3, k.r * 0.55, k.r * 0.45);
        cairo_fill(cr);
    }
    int dabs = static_cast<int>(crownWidth * 0.35);
    for (int i = 0; i < dabs; ++i) {
        double dx = random.Uniform(-0.45, 0.45) * crownWidth;
        double dy = random.Uniform(-0.45, 0.45) * crownHeight;
        bool lit = dx + dy < 0;
        SetColour(cr, lit ? Lighter(base, 0.3) : Darker(base, 0.25));
        EllipsePath(cr, x + dx, cy0 + dy, crownWidth * 0.035, crownWidth * 0.025);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void PaintFirTree(cairo_t* cr, double x, double groundY, double height, double width,
                  const TreeStyle& style) {
    double trunkWidth = std::max(3.0, width * 0.12);
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_rectangle(c, x - trunkWidth / 2, groundY - height * 0.2, trunkWidth,
                            height * 0.2);
        },
        ShapeStyle{Hazed(palette::Earth, style.haze), 0.15, 0.2, 1.5, style.outline});
    Rgb base = Hazed(palette::DeepGreen, style.haze);
    auto body = [&](cairo_t* c) {
        // Three stacked tiers with drooping edges.
        for (int tier = 0; tier < 3; ++tier) {
            double top = groundY - height + tier * height * 0.24;
            double bottom = groundY - height * (0.12 + (2 - tier) * 0.2);
            double half = width * (0.28 + tier * 0.11);
            cairo_move_to(c, x, top);
            cairo_curve_to(c, x + half * 0.4, top + (bottom - top) * 0.5, x + half * 0.8,
                           bottom - 6, x + half, bottom);
            cairo_curve_to(c, x + half * 0.5, bottom - 4, x - half * 0.5, bottom - 4, x - half,
                           bottom);
            cairo_curve_to(c, x - half * 0.8, bottom - 6, x - half * 0.4,
                           top + (bottom - top) * 0.5, x, top);
            cairo_close_path(c);
        }
    };
    PaintShape(cr, body, ShapeStyle{base, 0.14, 0.3, width * 0.1, style.outline});
}

void PaintBush(cairo_t* cr, double x, double groundY, double width, double height,
               const TreeStyle& style, Rgb leaves) {
    Random random(style.seed);
    struct Clump {
        double cx, cy, r;
    };
    std::vector<Clump> clumps;
    int count = std::max(3, static_cast<int>(width / (height * 0.7)) + 2);
    for (int i = 0; i < count; ++i) {
        double t = (i + 0.5) / count;
        double bump = std::sin(t * M_PI);
        double r = height * random.Uniform(0.38, 0.5) * (0.6 + 0.4 * bump);
        clumps.push_back({x - width / 2 + t * width, groundY - r * 0.9 - bump * height * 0.25, r});
    }
    auto body = [&](cairo_t* c) {
        for (const Clump& k : clumps) EllipsePath(c, k.cx, k.cy, k.r * 1.1, k.r);
        cairo_rectangle(c, x - width / 2 + height * 0.1, groundY - height * 0.35,
                        width - height * 0.2, height * 0.35);
    };
    Rgb base = Hazed(leaves, style.haze);
    PaintShape(cr, body, ShapeStyle{base, 0.0, 0.3, height * 0.12, style.outline});
    cairo_save(cr);
    cairo_new_path(cr);
    body(cr);
    cairo_clip(cr);
    for (const Clump& k : clumps) {
        SetColour(cr, Lighter(base, 0.2));
        EllipsePath(cr, k.cx - k.r * 0.3, k.cy - k.r * 0.35, k.r * 0.5, k.r * 0.35);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void PaintCloud(cairo_t* cr, double x, double y, double width, uint32_t seed) {
    Random random(seed);
    auto body = [&](cairo_t* c) {
        int puffs = 5;
        for (int i = 0; i < puffs; ++i) {
            double t = (i + 0.5) / puffs;
            double r = width * (0.13 + 0.1 * std::sin(t * M_PI)) * random.Uniform(0.85, 1.1);
            EllipsePath(c, x - width / 2 + t * width, y - r * 0.6, r * 1.2, r);
        }
        EllipsePath(c, x, y, width * 0.5, width * 0.08);
    };
    cairo_save(cr);
    cairo_new_path(cr);
    body(cr);
    cairo_clip(cr);
    FillVerticalGradient(cr, y - width * 0.3, y + width * 0.08,
                         {{0, Rgb{255, 255, 255}}, {0.7, Hex(0xf2f7fb)}, {1, Hex(0xd8e6f0)}});
    cairo_restore(cr);
}

void PaintGrassTufts(cairo_t* cr, double x0, double x1, double y, double height, Rgb colour,
                     uint32_t seed, double density) {
    Random random(seed);
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (double x = x0; x < x1; x += 1.0 / density * random.Uniform(0.5, 1.5)) {
        double h = height * random.Uniform(0.5, 1.0);
        double lean = random.Uniform(-0.5, 0.5) * h;
        SetColour(cr, random.Below(3) == 0 ? Lighter(colour, 0.2) : colour);
        cairo_set_line_width(cr, std::max(1.0, height * 0.16));
        cairo_move_to(cr, x, y + 1);
        cairo_curve_to(cr, x, y - h * 0.5, x + lean * 0.5, y - h * 0.8, x + lean, y - h);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void PaintHole(cairo_t* cr, double cx, double groundY, double width, double haze) {
    double depth = width * 0.28;
    // Thrown-up earth around the rim, then the dark opening.
    PaintShape(
        cr, [&](cairo_t* c) { EllipsePath(c, cx, groundY, width * 0.62, depth * 0.95); },
        ShapeStyle{Hazed(Hex(0x7a5434), haze), 0.25, 0.2, 2, width > 30 ? 1.5 : 1,
                   Hazed(palette::Outline, haze * 0.6)});
    PaintShape(
        cr,
        [&](cairo_t* c) { EllipsePath(c, cx, groundY + depth * 0.1, width * 0.45, depth * 0.55); },
        ShapeStyle{Hazed(Hex(0x22180f), haze * 0.5), 0.0, 0.0, 0, 0});
}

}  // namespace assetgen
