// The meadow and the field in the three panoramas. The base of each layer (sky, hills, tree line,
// grounds and paths) runs round the whole world; this adds what makes the two outer regions
// their own: the mountain pastures, orchards and hedges of the meadow, the ripe and harvested
// fields of the field, and along the near ground wild flowers, molehills, bee skeps, wheat,
// stubble and straw bales.
//
// Everything here is painted only into the tiles beside the forest, and each piece keeps clear
// of the forest's tiles by its own reach, so the forest looks the same whether or not these
// pieces are there, and the tiles still meet without an edge.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "pictures/nature.h"
#include "pictures/paint.h"
#include "pictures/panorama.h"

namespace assetgen::panorama {

using namespace layout;

namespace {

// The shading of a small painted piece: lit upper left, outlined, in the layer's haze.
ShapeStyle Piece(Rgb fill, double haze, double outline, double rim = 2) {
    return ShapeStyle{Hazed(fill, haze), 0.22, 0.28, rim, outline, Hazed(palette::Outline, haze)};
}

// ---------------------------------------------------------------------------------------------
// Near layer: flowers, molehills, skeps; wheat, stubble and straw

enum class Bloom { Daisy, Poppy, Cornflower, Buttercup, Clover };

// One wild flower on its stalk; the stalk's foot at (x, footY), the head `height` above it.
void PaintWildFlower(cairo_t* cr, double x, double footY, double height, Bloom bloom, double lean,
                     double scale) {
    double hx = x + lean, hy = footY - height;
    Rgb stalk = Hex(0x3f7a30);
    SetColour(cr, palette::Outline);
    cairo_set_line_width(cr, 3.2 * scale);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x, footY);
    cairo_curve_to(cr, x, footY - height * 0.5, hx, hy + height * 0.3, hx, hy);
    cairo_stroke_preserve(cr);
    SetColour(cr, stalk);
    cairo_set_line_width(cr, 1.6 * scale);
    cairo_stroke(cr);
    // A leaf halfway up.
    double ly = footY - height * 0.35, side = lean >= 0 ? -1 : 1;
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, x, ly);
            cairo_curve_to(c, x + side * 5 * scale, ly - 6 * scale, x + side * 10 * scale,
                           ly - 4 * scale, x + side * 12 * scale, ly - 9 * scale);
            cairo_curve_to(c, x + side * 9 * scale, ly + 1, x + side * 4 * scale, ly + 2, x,
                           ly + 1);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x4c8a38), 0.2, 0.25, 1, 1.2});
    double s = scale;
    switch (bloom) {
        case Bloom::Daisy:
            for (int i = 0; i < 10; ++i) {
                double a = i * M_PI / 5;
                PaintShape(
                    cr,
                    [&](cairo_t* c) {
                        EllipsePath(c, hx + std::cos(a) * 4.6 * s, hy + std::sin(a) * 3.4 * s,
                                    2.6 * s, 2 * s);
                    },
                    ShapeStyle{palette::White, 0.0, 0.12, 1, 1});
            }
            PaintShape(
                cr, [&](cairo_t* c) { EllipsePath(c, hx, hy, 2.6 * s, 2.2 * s); },
                ShapeStyle{Hex(0xf0c030), 0.25, 0.25, 1, 1});
            break;
        case Bloom::Poppy:
            PaintShape(
                cr,
                [&](cairo_t* c) {
                    EllipsePath(c, hx - 3 * s, hy, 4.5 * s, 4 * s);
                    EllipsePath(c, hx + 3 * s, hy, 4.5 * s, 4 * s);
                    EllipsePath(c, hx, hy - 2.5 * s, 4.5 * s, 3.8 * s);
                },
                ShapeStyle{Hex(0xd8342a), 0.25, 0.3, 1.5, 1.4});
            SetColour(cr, Hex(0x2a1a18));
            EllipsePath(cr, hx, hy + 0.5, 1.8 * s, 1.4 * s);
            cairo_fill(cr);
            break;
        case Bloom::Cornflower:
            for (int i = 0; i < 7; ++i) {
                double a = -M_PI + i * M_PI / 6;
                PaintShape(
                    cr,
                    [&](cairo_t* c) {
                        EllipsePath(c, hx + std::cos(a) * 3.6 * s, hy + std::sin(a) * 3 * s,
                                    2.4 * s, 2.2 * s);
                    },
                    ShapeStyle{Hex(0x4a6ad8), 0.25, 0.25, 1, 1});
            }
            SetColour(cr, Hex(0x2a3a8a));
            EllipsePath(cr, hx, hy, 1.6 * s, 1.4 * s);
            cairo_fill(cr);
            break;
        case Bloom::Buttercup:
            PaintShape(
                cr,
                [&](cairo_t* c) {
                    cairo_move_to(c, hx - 4 * s, hy - 3 * s);
                    cairo_curve_to(c, hx - 4 * s, hy + 3 * s, hx + 4 * s, hy + 3 * s, hx + 4 * s,
                                   hy - 3 * s);
                    cairo_curve_to(c, hx + 2 * s, hy - 1 * s, hx - 2 * s, hy - 1 * s, hx - 4 * s,
                                   hy - 3 * s);
                    cairo_close_path(c);
                },
                ShapeStyle{Hex(0xf0cc2a), 0.3, 0.25, 1.2, 1.2});
            break;
        case Bloom::Clover:
            PaintShape(
                cr, [&](cairo_t* c) { EllipsePath(c, hx, hy, 3.6 * s, 3.8 * s); },
                ShapeStyle{Hex(0xd86a9a), 0.25, 0.3, 1.2, 1.2});
            SetColour(cr, Lighter(Hex(0xd86a9a), 0.4));
            for (int i = 0; i < 4; ++i) {
                EllipsePath(cr, hx - 1.5 * s + (i % 2) * 2 * s, hy - 1.8 * s + (i / 2) * 2 * s,
                            0.8 * s, 0.8 * s);
                cairo_fill(cr);
            }
            break;
    }
}

// A patch of mixed wild flowers standing along `footY` (give or take a few pixels) from x0 to x1.
void PaintFlowerPatch(cairo_t* cr, double x0, double x1, double footY, double tallest,
                      uint32_t seed, std::initializer_list<Bloom> kinds) {
    Random random(seed);
    std::vector<Bloom> choice(kinds);
    PaintGrassTufts(cr, x0 - 10, x1 + 10, footY + 2, 18, Hex(0x3c7a2c), seed + 1, 0.45);
    for (double x = x0; x < x1; x += random.Uniform(7, 14)) {
        // Taller in the middle of the patch.
        double t = (x - x0) / std::max(1.0, x1 - x0);
        double h = tallest * random.Uniform(0.55, 1.0) * (0.7 + 0.3 * std::sin(t * M_PI));
        Bloom bloom = choice[static_cast<size_t>(random.Below(static_cast<int>(choice.size())))];
        double lean = random.Uniform(-5, 5);
        double foot = footY + random.Uniform(-3, 5);
        PaintWildFlower(cr, x, foot, h, bloom, lean, random.Uniform(1.45, 1.8));
    }
    PaintGrassTufts(cr, x0 - 4, x1 + 4, footY + 8, 12, Hex(0x4c8a34), seed + 2, 0.5);
}

// A fresh molehill: a mound of dark earth with crumbs.
void PaintMolehill(cairo_t* cr, double cx, double footY, double width) {
    double h = width * 0.38;
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, cx - width / 2, footY);
            cairo_curve_to(c, cx - width * 0.3, footY - h * 1.1, cx + width * 0.25,
                           footY - h * 1.15, cx + width / 2, footY);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x6a4a2e), 0.22, 0.3, 3, 2});
    SetColour(cr, Hex(0x4a3220));
    Random random(static_cast<uint32_t>(cx));
    for (int i = 0; i < 7; ++i) {
        EllipsePath(cr, cx + random.Uniform(-0.6, 0.6) * width, footY + random.Uniform(-1, 2),
                    random.Uniform(1.2, 2.4), random.Uniform(1, 1.6));
        cairo_fill(cr);
    }
    SetColour(cr, Hex(0x9a7450));
    EllipsePath(cr, cx - width * 0.12, footY - h * 0.72, width * 0.12, h * 0.12);
    cairo_fill(cr);
}

// Two straw bee skeps on a plank bench, with a few bees about them.
void PaintBeeSkeps(cairo_t* cr, double x, double footY) {
    ShapeStyle wood{Hex(0x8a5a32), 0.18, 0.3, 2, 2};
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_rectangle(c, x + 6, footY - 22, 7, 22);
            cairo_rectangle(c, x + 59, footY - 22, 7, 22);
        },
        wood);
    PaintShape(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x, footY - 27, 72, 6); }, wood);
    for (int i = 0; i < 2; ++i) {
        double cx = x + 18 + i * 36, base = footY - 27;
        auto dome = [&](cairo_t* c) {
            cairo_move_to(c, cx - 15, base);
            cairo_curve_to(c, cx - 16, base - 26, cx + 16, base - 26, cx + 15, base);
            cairo_close_path(c);
        };
        PaintShape(cr, dome, ShapeStyle{Hex(0xd8b060), 0.25, 0.3, 3, 2});
        cairo_save(cr);
        cairo_new_path(cr);
        dome(cr);
        cairo_clip(cr);
        SetColour(cr, Hex(0x9a7632));
        cairo_set_line_width(cr, 1.3);
        for (double y = base - 4; y > base - 24; y -= 4.5) {
            cairo_move_to(cr, cx - 18, y);
            cairo_curve_to(cr, cx - 8, y + 1.5, cx + 8, y + 1.5, cx + 18, y);
        }
        cairo_stroke(cr);
        cairo_restore(cr);
        PaintShape(
            cr, [&](cairo_t* c) { EllipsePath(c, cx, base - 3, 3.2, 2.6); },
            ShapeStyle{Hex(0x2a1a10), 0, 0, 0, 1});
    }
    Random random(5);
    for (int i = 0; i < 6; ++i) {
        double bx = x + random.Uniform(-6, 78), by = footY - random.Uniform(40, 62);
        SetColour(cr, Hex(0xf0ead8));
        EllipsePath(cr, bx - 1, by - 2, 1.6, 1.2);
        cairo_fill(cr);
        PaintShape(
            cr, [&](cairo_t* c) { EllipsePath(c, bx, by, 2.2, 1.6); },
            ShapeStyle{Hex(0xe8b830), 0, 0, 0, 0.8});
    }
}

// One stalk of ripe wheat with its ear; foot at (x, footY).
void PaintWheatStalk(cairo_t* cr, double x, double footY, double h, double lean, Rgb straw,
                     Rgb ear) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, Darker(straw, 0.45));
    cairo_set_line_width(cr, 3.5);
    cairo_move_to(cr, x, footY);
    cairo_curve_to(cr, x, footY - h * 0.5, x + lean * 0.6, footY - h * 0.8, x + lean, footY - h);
    cairo_stroke_preserve(cr);
    SetColour(cr, straw);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, x + lean * 1.1, footY - h - 6);
    cairo_rotate(cr, lean * 0.04);
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, 0, 0, 3.2, 8.5); },
        ShapeStyle{ear, 0.25, 0.3, 1.5, 1.5});
    SetColour(cr, Darker(ear, 0.3));
    cairo_set_line_width(cr, 0.9);
    for (int i = -2; i <= 2; ++i) {
        cairo_move_to(cr, -2.4, i * 3.0);
        cairo_line_to(cr, 2.4, i * 3.0 - 1.5);
    }
    cairo_stroke(cr);
    // Awns.
    SetColour(cr, Lighter(ear, 0.2));
    cairo_set_line_width(cr, 0.8);
    cairo_move_to(cr, 0, -8);
    cairo_line_to(cr, -2, -15);
    cairo_move_to(cr, 1, -8);
    cairo_line_to(cr, 3, -14);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// A dense band of standing wheat along the near ground line, a paler back row behind the
// front row; `foot` gives the foot line at each x.
template <typename Foot>
void PaintWheatBand(cairo_t* cr, double x0, double x1, Foot foot, uint32_t seed) {
    Random random(seed);
    for (int row = 0; row < 2; ++row) {
        Rgb straw = row == 0 ? Hex(0xc8a448) : Hex(0xd8b450);
        Rgb ear = row == 0 ? Hex(0xd0ae52) : Hex(0xe6c25c);
        for (double x = x0 + random.Uniform(0, 3); x < x1; x += random.Uniform(3, 6.5)) {
            double edge = std::min(x - x0, x1 - x) / 14;
            double h = random.Uniform(32, 44) * std::clamp(0.55 + edge * 0.45, 0.55, 1.0);
            double lean = random.Uniform(-5, 5);
            PaintWheatStalk(cr, x, foot(x) - (row == 0 ? 6 : 0) + random.Uniform(-1, 2),
                            h - (row == 0 ? 4 : 0), lean, straw, ear);
        }
    }
}

// Poppies and cornflowers among the ears of a wheat field.
void PaintFieldFlowers(cairo_t* cr, double x0, double x1, double footY, uint32_t seed) {
    Random random(seed);
    for (double x = x0 + random.Uniform(0, 40); x < x1; x += random.Uniform(26, 90)) {
        Bloom bloom = random.Below(3) == 0 ? Bloom::Cornflower : Bloom::Poppy;
        PaintWildFlower(cr, x, footY + random.Uniform(-2, 3), random.Uniform(30, 50), bloom,
                        random.Uniform(-3, 3), random.Uniform(1.2, 1.5));
    }
}

// A small rectangular bale of straw, tied twice; its foot centre at (cx, footY).
void PaintStrawBale(cairo_t* cr, double cx, double footY, double w, double h) {
    auto bale = [&](cairo_t* c) { RoundedRectPath(c, cx - w / 2, footY - h, w, h, 4); };
    PaintShape(cr, bale, ShapeStyle{Hex(0xd8b458), 0.22, 0.3, 3, 2});
    cairo_save(cr);
    cairo_new_path(cr);
    bale(cr);
    cairo_clip(cr);
    Random random(static_cast<uint32_t>(cx * 7 + footY));
    cairo_set_line_width(cr, 1.2);
    for (int i = 0; i < static_cast<int>(w * h / 40); ++i) {
        double sx = random.Uniform(cx - w / 2, cx + w / 2), sy = random.Uniform(footY - h, footY);
        SetColour(cr, random.Below(2) ? Hex(0xb08a3a) : Hex(0xf0d480));
        cairo_move_to(cr, sx, sy);
        cairo_line_to(cr, sx + random.Uniform(4, 9), sy + random.Uniform(-1.5, 1.5));
        cairo_stroke(cr);
    }
    SetColour(cr, Hex(0x6a4a2a));
    cairo_set_line_width(cr, 2);
    for (double f : {0.3, 0.7}) {
        cairo_move_to(cr, cx - w / 2 + w * f, footY - h);
        cairo_line_to(cr, cx - w / 2 + w * f, footY);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

// Short straw stubble in rows over the harvested part of the field, fading out at its ends.
void PaintStubble(cairo_t* cr, double x0, double x1, double y0, double y1, uint32_t seed) {
    Random random(seed);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 1.8);
    for (double y = y0; y < y1; y += 7) {
        for (double x = x0 + random.Uniform(0, 6); x < x1; x += random.Uniform(4, 9)) {
            double edge = std::min(x - x0, x1 - x) / 90;
            if (edge < 1 && random.Uniform(0, 1) > edge) continue;
            double h = random.Uniform(4, 8) * (0.8 + (y - y0) / (y1 - y0) * 0.4);
            SetColour(cr, random.Below(3) ? Hex(0xc8a450) : Hex(0x9a7a38));
            cairo_move_to(cr, x, y + random.Uniform(-1.5, 1.5));
            cairo_rel_line_to(cr, random.Uniform(-1.5, 1.5), -h);
            cairo_stroke(cr);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Middle layer: the field's strips of wheat and stubble with stooks and a hay wagon; flowers and
// haycocks on the meadow

constexpr double kMidFieldFrom = 3070, kMidFieldTo = 4440;
constexpr double kMidBandTop = MidMeadowTop + 6, kMidBandBottom = MidGround - 12;

// The field's strips, one above the other towards the horizon: wheat still standing, then
// stubble, each edge gently waving.
double MidStripEdge(double x, int edge) {
    double y = kMidBandTop + 4 + edge * 14.5 + edge * edge * 0.9;
    return y + Wave(x, kMidWidth, {{11 + edge, 1.6}, {27 + edge * 3, 0.8}}, edge * 0.9);
}

void PaintMidFieldStrips(cairo_t* cr) {
    // The strips fade in and out at the ends of the field, into the meadow's grass.
    cairo_push_group(cr);
    const int edges = 6;
    Random random(401);
    for (int strip = 0; strip < edges - 1; ++strip) {
        bool standing = strip % 2 == 0;
        Rgb colour = standing ? Hex(0xd8b44c) : Hex(0xc8b878);
        auto area = [&](cairo_t* c) {
            cairo_move_to(c, kMidFieldFrom - 40, MidStripEdge(kMidFieldFrom - 40, strip));
            for (double x = kMidFieldFrom - 40; x <= kMidFieldTo + 40; x += 6) {
                cairo_line_to(c, x, MidStripEdge(x, strip));
            }
            for (double x = kMidFieldTo + 40; x >= kMidFieldFrom - 40; x -= 6) {
                cairo_line_to(c, x, MidStripEdge(x, strip + 1));
            }
            cairo_close_path(c);
        };
        SetColour(cr, Hazed(colour, kMidHaze));
        cairo_new_path(cr);
        area(cr);
        cairo_fill(cr);
        cairo_save(cr);
        cairo_new_path(cr);
        area(cr);
        cairo_clip(cr);
        if (standing) {
            // Ears: short strokes with a lit tip, denser towards the horizon.
            cairo_set_line_width(cr, 1.4);
            for (double x = kMidFieldFrom - 40; x < kMidFieldTo + 40; x += random.Uniform(2, 4)) {
                double y0 = MidStripEdge(x, strip), y1 = MidStripEdge(x, strip + 1);
                double y = random.Uniform(y0 + 2, y1 + 2);
                SetColour(cr, Hazed(random.Below(2) ? Hex(0xa8842e) : Hex(0xf0d070), kMidHaze));
                cairo_move_to(cr, x, y);
                cairo_rel_line_to(cr, random.Uniform(-1, 1), -random.Uniform(4, 7));
                cairo_stroke(cr);
            }
            // The front edge of the standing wheat, its ears against the stubble below.
            SetColour(cr, Hazed(Hex(0x9a7a2e), kMidHaze));
            cairo_set_line_width(cr, 1.2);
            for (double x = kMidFieldFrom - 40; x < kMidFieldTo + 40; x += 3) {
                double y1 = MidStripEdge(x, strip + 1);
                cairo_move_to(cr, x, y1);
                cairo_line_to(cr, x + 0.5, y1 - 3);
            }
            cairo_stroke(cr);
        } else {
            // Stubble rows.
            SetColour(cr, Hazed(Hex(0xa89456), kMidHaze));
            cairo_set_line_width(cr, 1);
            for (double x = kMidFieldFrom - 40; x < kMidFieldTo + 40; x += random.Uniform(3, 6)) {
                double y0 = MidStripEdge(x, strip), y1 = MidStripEdge(x, strip + 1);
                for (double y = y0 + 2; y < y1; y += 4) {
                    cairo_move_to(cr, x, y + 1);
                    cairo_line_to(cr, x, y - 1.5);
                }
            }
            cairo_stroke(cr);
        }
        cairo_restore(cr);
    }
    cairo_pop_group_to_source(cr);
    cairo_pattern_t* fade = cairo_pattern_create_linear(kMidFieldFrom - 20, 0, kMidFieldTo + 20, 0);
    double span = kMidFieldTo - kMidFieldFrom + 40;
    cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(fade, 120 / span, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(fade, 1 - 120 / span, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 0);
    cairo_mask(cr, fade);
    cairo_pattern_destroy(fade);
}

// Sheaves leant together into a stook on the stubble.
void PaintStook(cairo_t* cr, double cx, double footY, double h) {
    Rgb straw = Hazed(Hex(0xd8b450), kMidHaze);
    double w = h * 0.75;
    auto body = [&](cairo_t* c) {
        cairo_move_to(c, cx - w / 2, footY);
        cairo_curve_to(c, cx - w * 0.35, footY - h * 0.5, cx - w * 0.2, footY - h * 0.8, cx - 2,
                       footY - h);
        cairo_line_to(c, cx + 2, footY - h);
        cairo_curve_to(c, cx + w * 0.2, footY - h * 0.8, cx + w * 0.35, footY - h * 0.5, cx + w / 2,
                       footY);
        cairo_close_path(c);
    };
    PaintShape(cr, body, Piece(Hex(0xd8b450), kMidHaze, 1.4, 2));
    SetColour(cr, Hazed(Hex(0x9a7a2e), kMidHaze));
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, cx, footY - h + 2);
    cairo_line_to(cr, cx - 1, footY);
    cairo_move_to(cr, cx - w * 0.3, footY - h * 0.45);
    cairo_line_to(cr, cx + w * 0.3, footY - h * 0.45);
    cairo_stroke(cr);
    SetColour(cr, Lighter(straw, 0.25));
    cairo_set_line_width(cr, 1.2);
    for (int i = -1; i <= 1; ++i) {
        cairo_move_to(cr, cx + i * 2, footY - h);
        cairo_line_to(cr, cx + i * 4.5, footY - h - 5);
    }
    cairo_stroke(cr);
}

// A ladder wagon loaded high with hay, its shaft resting on the ground.
void PaintHayWagon(cairo_t* cr, double x, double footY) {
    double haze = kMidHaze;
    ShapeStyle wood = Piece(Hex(0x8a5a32), haze, 1.4, 1.5);
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, x + 66, footY - 13);
            cairo_line_to(c, x + 96, footY - 2);
            cairo_line_to(c, x + 96, footY + 1);
            cairo_line_to(c, x + 64, footY - 10);
            cairo_close_path(c);
        },
        wood);
    // Hay heaped above the ladder sides.
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, x - 4, footY - 20);
            cairo_curve_to(c, x - 8, footY - 46, x + 10, footY - 58, x + 34, footY - 56);
            cairo_curve_to(c, x + 58, footY - 58, x + 76, footY - 44, x + 70, footY - 20);
            cairo_close_path(c);
        },
        Piece(Hex(0xd8bc5c), haze, 1.4, 3));
    SetColour(cr, Hazed(Hex(0xa88838), haze));
    cairo_set_line_width(cr, 1);
    Random random(77);
    for (int i = 0; i < 18; ++i) {
        double sx = x + random.Uniform(4, 64), sy = footY - random.Uniform(24, 50);
        cairo_move_to(cr, sx, sy);
        cairo_rel_line_to(cr, random.Uniform(-5, 5), random.Uniform(-2, 2));
    }
    cairo_stroke(cr);
    PaintShape(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x - 2, footY - 22, 70, 7); }, wood);
    for (double wx : {x + 10, x + 54}) {
        PaintShape(
            cr, [&](cairo_t* c) { EllipsePath(c, wx, footY - 8, 8, 8); },
            Piece(Hex(0x6a4a2a), haze, 1.4, 1.5));
        SetColour(cr, Hazed(Hex(0xb08a5a), haze));
        EllipsePath(cr, wx, footY - 8, 2.5, 2.5);
        cairo_fill(cr);
    }
}

// A haycock on the mown meadow, built round a pole.
void PaintHaycock(cairo_t* cr, double cx, double footY, double h) {
    double w = h * 0.8;
    SetColour(cr, Hazed(palette::Earth, kMidHaze));
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, cx, footY - h - 7);
    cairo_line_to(cr, cx, footY - h + 4);
    cairo_stroke(cr);
    auto body = [&](cairo_t* c) {
        cairo_move_to(c, cx - w / 2, footY);
        cairo_curve_to(c, cx - w * 0.55, footY - h * 0.6, cx - w * 0.2, footY - h, cx, footY - h);
        cairo_curve_to(c, cx + w * 0.2, footY - h, cx + w * 0.55, footY - h * 0.6, cx + w / 2,
                       footY);
        cairo_close_path(c);
    };
    PaintShape(cr, body, Piece(Hex(0xc8b060), kMidHaze, 1.4, 3));
    cairo_save(cr);
    cairo_new_path(cr);
    body(cr);
    cairo_clip(cr);
    SetColour(cr, Hazed(Hex(0x9a8a40), kMidHaze));
    cairo_set_line_width(cr, 1);
    Random random(static_cast<uint32_t>(cx));
    for (int i = 0; i < 14; ++i) {
        double sx = cx + random.Uniform(-w / 2, w / 2), sy = footY - random.Uniform(2, h - 4);
        cairo_move_to(cr, sx, sy);
        cairo_rel_line_to(cr, random.Uniform(-4, 4), random.Uniform(1, 3));
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

// Clusters of small flowers over the meadow between the tree line and the path.
void PaintMidMeadowFlowers(cairo_t* cr, double x0, double x1, uint32_t seed) {
    Random random(seed);
    const Rgb colours[] = {palette::White, Hex(0xf0cc2a), Hex(0xe07aa8), Hex(0x6a7ae0),
                           Hex(0xe8503a)};
    for (double x = x0; x < x1; x += random.Uniform(36, 80)) {
        double cy = random.Uniform(kMidBandTop + 10, kMidBandBottom - 8);
        double nearness = (cy - kMidBandTop) / (kMidBandBottom - kMidBandTop);
        Rgb main = colours[random.Below(5)], other = colours[random.Below(5)];
        double width = random.Uniform(36, 70) * (0.6 + 0.6 * nearness);
        double size = 1.8 + nearness * 1.2;
        // A drift of flowers: lighter grass under it, then the heads, thinning out at its ends.
        SetColour(cr, Hazed(Hex(0x8ac060), kMidHaze), 0.6);
        EllipsePath(cr, x, cy + 1, width * 0.55, 4 + size);
        cairo_fill(cr);
        for (int i = 0; i < static_cast<int>(width / 1.3); ++i) {
            double u = random.Uniform(-1, 1);
            double fx = x + u * std::abs(u) * width / 2;
            double fy = cy + random.Uniform(-4, 4) * (1 - std::abs(u) * 0.5);
            Rgb c = Hazed(random.Below(4) ? main : other, kMidHaze * 0.6);
            SetColour(cr, Hazed(Hex(0x3e6e2c), kMidHaze));
            EllipsePath(cr, fx + 0.6, fy + 0.8, size * 1.1, size * 0.9);
            cairo_fill(cr);
            SetColour(cr, c);
            EllipsePath(cr, fx, fy, size, size * 0.8);
            cairo_fill(cr);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Far layer: a quilt of fields with a windmill and a farm beyond the field; orchards and hedges
// on the meadow's hills

constexpr double kFarFieldFrom = 2900, kFarFieldTo = 4230;

// The part of the far hills between x0 and x1, down to below the far meadow.
void TraceHills(cairo_t* cr, double x0, double x1) {
    cairo_move_to(cr, x0, 320);
    for (double x = x0; x <= x1; x += 4) cairo_line_to(cr, x, FarHillLine(x));
    cairo_line_to(cr, x1, FarHillLine(x1));
    cairo_line_to(cr, x1, 320);
    cairo_close_path(cr);
}

// A hedge: a row of small dark bushes from (x0, y0) to (x1, y1).
void PaintHedgeRow(cairo_t* cr, double x0, double y0, double x1, double y1, double haze) {
    double length = std::hypot(x1 - x0, y1 - y0);
    Random random(static_cast<uint32_t>(x0 * 3 + y0));
    for (double t = 0; t <= 1; t += 3.5 / std::max(length, 1.0)) {
        double x = x0 + (x1 - x0) * t, y = y0 + (y1 - y0) * t;
        SetColour(cr, Hazed(palette::DeepGreen, haze));
        EllipsePath(cr, x, y - 1, random.Uniform(2.4, 3.4), random.Uniform(2, 2.8));
        cairo_fill(cr);
    }
}

void PaintFarFieldQuilt(cairo_t* cr) {
    const double haze = 0.45;
    const Rgb crops[] = {Hex(0xe0c050), Hex(0xc8a060), Hex(0x98b854),
                         Hex(0xe8cc68), Hex(0xa87c50), Hex(0xd8b44c)};
    Random random(501);
    int kind = 0;
    double left = kFarFieldFrom;
    for (; left < kFarFieldTo; kind = (kind + 1 + random.Below(2)) % 6) {
        double width = random.Uniform(70, 130);
        double right = std::min(left + width, kFarFieldTo + 30);
        double topL = FarHillLine(left) + random.Uniform(3, 8);
        double topR = FarHillLine(right) + random.Uniform(3, 8);
        double slant = random.Uniform(-14, 14);
        auto patch = [&](cairo_t* c) {
            cairo_move_to(c, left, topL);
            cairo_line_to(c, right, topR);
            cairo_line_to(c, right + slant, 290);
            cairo_line_to(c, left + slant, 290);
            cairo_close_path(c);
        };
        Rgb colour = crops[kind];
        SetColour(cr, Hazed(colour, haze));
        cairo_new_path(cr);
        patch(cr);
        cairo_fill(cr);
        // Furrows or rows of the crop, running down the slope.
        cairo_save(cr);
        cairo_new_path(cr);
        patch(cr);
        cairo_clip(cr);
        SetColour(cr, Hazed(Darker(colour, 0.22), haze));
        cairo_set_line_width(cr, 0.9);
        for (double x = left - 20; x < right + 20; x += 5) {
            cairo_move_to(cr, x, std::min(topL, topR) - 2);
            cairo_line_to(cr, x + slant * 1.6, 292);
        }
        cairo_stroke(cr);
        cairo_restore(cr);
        PaintHedgeRow(cr, left, topL, left + slant, 286, haze);
        left = right;
    }
    PaintHedgeRow(cr, left, FarHillLine(left) + 5, left - 6, 286, haze);
    // Along the top of the fields.
    for (double x = kFarFieldFrom; x < kFarFieldTo; x += 3.5) {
        SetColour(cr, Hazed(palette::DeepGreen, haze));
        EllipsePath(cr, x, FarHillLine(x) + 4, 2.8, 2.2);
        cairo_fill(cr);
    }
}

void PaintWindmill(cairo_t* cr, double x, double footY) {
    const double haze = 0.36;
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, x - 11, footY);
            cairo_line_to(c, x - 7, footY - 44);
            cairo_line_to(c, x + 7, footY - 44);
            cairo_line_to(c, x + 11, footY);
            cairo_close_path(c);
        },
        Piece(Hex(0xece4d0), haze, 1.2, 2));
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, x - 9, footY - 43);
            cairo_curve_to(c, x - 8, footY - 54, x + 8, footY - 54, x + 9, footY - 43);
            cairo_close_path(c);
        },
        Piece(Hex(0x7a4a34), haze, 1.2, 1.5));
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, x - 3, footY);
            cairo_line_to(c, x - 3, footY - 8);
            cairo_arc(c, x, footY - 8, 3, M_PI, 2 * M_PI);
            cairo_line_to(c, x + 3, footY);
            cairo_close_path(c);
        },
        Piece(Hex(0x5a3b22), haze, 0.8, 1));
    SetColour(cr, Hazed(Hex(0x4a6e8c), haze));
    cairo_rectangle(cr, x - 2, footY - 30, 4, 5);
    cairo_fill(cr);
    // Four lattice sails on the hub.
    double hx = x, hy = footY - 46;
    for (int i = 0; i < 4; ++i) {
        double a = 0.35 + i * M_PI / 2;
        cairo_save(cr);
        cairo_translate(cr, hx, hy);
        cairo_rotate(cr, a);
        PaintShape(
            cr, [](cairo_t* c) { cairo_rectangle(c, 4, -1, 28, 2); },
            Piece(Hex(0x6a4a2e), haze, 0.8, 0.5));
        PaintShape(
            cr, [](cairo_t* c) { cairo_rectangle(c, 8, 1, 24, 6); },
            Piece(Hex(0xe8e0cc), haze, 0.8, 0.8));
        SetColour(cr, Hazed(Hex(0x8a7a64), haze));
        cairo_set_line_width(cr, 0.6);
        for (double u = 12; u < 32; u += 4) {
            cairo_move_to(cr, u, 1);
            cairo_line_to(cr, u, 7);
        }
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    PaintShape(
        cr, [&](cairo_t* c) { EllipsePath(c, hx, hy, 2.6, 2.6); },
        Piece(Hex(0x4a3a2a), haze, 0.8, 0.5));
}

void PaintFarmhouse(cairo_t* cr, double x, double footY) {
    const double haze = 0.4;
    // Barn, then the house with its chimney in front.
    PaintShape(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x + 34, footY - 20, 34, 20); },
        Piece(Hex(0x9a5a3a), haze, 1.2, 2));
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, x + 31, footY - 19);
            cairo_line_to(c, x + 51, footY - 34);
            cairo_line_to(c, x + 71, footY - 19);
            cairo_close_path(c);
        },
        Piece(Hex(0x6a5a4a), haze, 1.2, 2));
    PaintShape(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x, footY - 24, 38, 24); },
        Piece(Hex(0xf0e6d0), haze, 1.2, 2));
    PaintShape(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x + 26, footY - 44, 5, 12); },
        Piece(Hex(0x9a4a34), haze, 1, 1));
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, x - 4, footY - 22);
            cairo_line_to(c, x + 19, footY - 40);
            cairo_line_to(c, x + 42, footY - 22);
            cairo_close_path(c);
        },
        Piece(Hex(0xb8402c), haze, 1.2, 2));
    for (double wx : {x + 6.0, x + 26.0}) {
        PaintShape(
            cr, [&](cairo_t* c) { cairo_rectangle(c, wx, footY - 17, 6, 6); },
            ShapeStyle{Hazed(Hex(0x4a6e8c), haze), 0, 0, 0, 0.8});
    }
    PaintShape(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x + 16, footY - 12, 6, 12); },
        Piece(Hex(0x6a4a2a), haze, 0.8, 1));
}

// A slender poplar, for the rows along the farm tracks.
void PaintPoplar(cairo_t* cr, double x, double footY, double h, double haze) {
    SetColour(cr, Hazed(palette::Earth, haze));
    cairo_rectangle(cr, x - 1, footY - h * 0.25, 2, h * 0.25);
    cairo_fill(cr);
    PaintShape(
        cr, [&](cairo_t* c) { EllipsePath(c, x, footY - h * 0.58, h * 0.13, h * 0.42); },
        ShapeStyle{Hazed(Hex(0x5a8a3c), haze), 0.18, 0.3, 2, 1, Hazed(palette::Outline, haze)});
}

// An orchard: rows of small round fruit trees on a hill.
void PaintOrchard(cairo_t* cr, double x0, double x1, double haze, uint32_t seed) {
    Random random(seed);
    for (int row = 0; row < 2; ++row) {
        for (double x = x0 + row * 9; x < x1; x += random.Uniform(15, 20)) {
            double foot = FarHillLine(x) + 10 + row * 9;
            SetColour(cr, Hazed(palette::Earth, haze));
            cairo_rectangle(cr, x - 1, foot - 7, 2, 7);
            cairo_fill(cr);
            PaintShape(
                cr, [&](cairo_t* c) { EllipsePath(c, x, foot - 11, 6.5, 5.5); },
                ShapeStyle{Hazed(palette::LeafGreen, haze), 0.2, 0.3, 1.5, 1,
                           Hazed(palette::Outline, haze)});
            if (random.Below(2)) {
                SetColour(cr, Hazed(random.Below(2) ? palette::Berry : palette::Cream, haze));
                EllipsePath(cr, x + random.Uniform(-3, 3), foot - 11 + random.Uniform(-2, 2), 1, 1);
                cairo_fill(cr);
            }
        }
    }
}

}  // namespace

void ClipToOuterTiles(cairo_t* cr, int layer) {
    const int tileWidth = gamestate::TileWidth(layer);
    cairo_rectangle(cr, 0, 0, 2 * tileWidth, 600);
    cairo_rectangle(cr, 4 * tileWidth, 0, 2 * tileWidth, 600);
    cairo_clip(cr);
}

bool MidTreeHidesAFarLandmark(double x, double crownWidth) {
    // The ravens sit on the far power line and its spark runs along it; between the far layer
    // x 1150 and 1290 they show through this stretch of the middle layer. Further on, the
    // windmill beyond the field shows here.
    bool powerLine = x < 1420 && std::abs(x - 1262) < 95 + crownWidth / 2;
    bool windmill = x > 3100 && x < 3780 && std::abs(x - 3650) < 50 + crownWidth / 2;
    return powerLine || windmill;
}

void PaintFarOuterCountry(cairo_t* cr) {
    cairo_save(cr);
    ClipToOuterTiles(cr, gamestate::FarLayer);
    cairo_save(cr);
    cairo_new_path(cr);
    TraceHills(cr, kFarFieldFrom - 20, kFarFieldTo + 40);
    TraceHills(cr, -20, 1440);
    TraceHills(cr, kFarWidth - 90, kFarWidth + 20);
    cairo_clip(cr);
    PaintFarFieldQuilt(cr);
    // Hedges between the meadow's pastures.
    for (double x : {120.0, 520.0, 700.0, 1180.0, 1330.0}) {
        PaintHedgeRow(cr, x, FarHillLine(x) + 3, x - 18, 290, 0.45);
    }
    cairo_restore(cr);
    // The windmill and the farm stand where the middle layer's tree line leaves a gap.
    for (double x = 3290; x < 3430; x += 17) PaintPoplar(cr, x, FarHillLine(x) + 12, 40, 0.45);
    for (double x = 4090; x < 4170; x += 17) PaintPoplar(cr, x, FarHillLine(x) + 12, 36, 0.45);
    PaintWindmill(cr, 3480, FarHillLine(3480) + 12);
    PaintFarmhouse(cr, 3650, FarHillLine(3680) + 16);
    PaintOrchard(cr, 250, 420, 0.45, 511);
    PaintOrchard(cr, 1090, 1230, 0.45, 512);
    cairo_restore(cr);
}

void PaintMidOuterGround(cairo_t* cr) {
    cairo_save(cr);
    ClipToOuterTiles(cr, gamestate::MidLayer);
    PaintMidFieldStrips(cr);
    for (auto [x0, x1] :
         {std::pair{30.0, 230.0}, std::pair{470.0, 1460.0}, std::pair{4470.0, 4505.0}}) {
        PaintMidMeadowFlowers(cr, x0, x1, static_cast<uint32_t>(x0) + 3);
    }
    cairo_restore(cr);
}

void PaintMidOuterProps(cairo_t* cr) {
    cairo_save(cr);
    ClipToOuterTiles(cr, gamestate::MidLayer);
    // Stooks stand in rows on the stubble strips, the nearer rows larger.
    Random random(409);
    for (int row = 0; row < 2; ++row) {
        int edge = 2 + row * 2;
        for (double x = kMidFieldFrom + 110 + row * 23; x < kMidFieldTo - 90;
             x += random.Uniform(40, 64)) {
            if (std::abs(x - 3590) < 70) continue;  // the hay wagon
            double foot = (MidStripEdge(x, edge) + MidStripEdge(x, edge - 1)) / 2 + 7;
            PaintStook(cr, x, foot, 18 + row * 5 + random.Uniform(-2, 2));
        }
    }
    PaintHayWagon(cr, 3556, MidStripEdge(3590, 3) + 4);
    // Haycocks on the mown part of the meadow.
    PaintHaycock(cr, 548, 334, 26);
    PaintHaycock(cr, 600, 338, 28);
    PaintHaycock(cr, 566, 362, 36);
    PaintHaycock(cr, 652, 366, 34);
    PaintHaycock(cr, 950, 340, 28);
    PaintHaycock(cr, 1002, 364, 36);
    cairo_restore(cr);
}

void PaintNearOuterGround(cairo_t* cr) {
    cairo_save(cr);
    ClipToOuterTiles(cr, gamestate::NearLayer);
    // The harvested part of the field in front of the standing wheat: stubble above and below
    // the path.
    for (auto [x0, x1] : {std::pair{3440.0, 4600.0}}) {
        PaintStubble(cr, x0, x1, 492, 530, 301);
        PaintStubble(cr, x0, x1, 584, 606, 302);
    }
    cairo_restore(cr);
}

void PaintNearOuterProps(cairo_t* cr) {
    cairo_save(cr);
    ClipToOuterTiles(cr, gamestate::NearLayer);
    auto foot = [](double x) { return NearGroundLine(x) + 10; };

    // Meadow: wild flowers along the back of the grass, between the targets.
    const std::initializer_list<Bloom> meadow = {Bloom::Daisy, Bloom::Daisy,      Bloom::Buttercup,
                                                 Bloom::Poppy, Bloom::Cornflower, Bloom::Clover};
    struct Patch {
        double x0, x1, tallest;
    };
    const Patch patches[] = {{282, 340, 34},   {500, 600, 40},   {790, 870, 36},
                             {1040, 1130, 40}, {1420, 1470, 32}, {4700, 4790, 36}};
    for (const Patch& p : patches) {
        Wrapped(kNearWidth, (p.x0 + p.x1) / 2, (p.x1 - p.x0) / 2 + 20, [&](double at) {
            double shift = at - (p.x0 + p.x1) / 2;
            PaintFlowerPatch(cr, p.x0 + shift, p.x1 + shift, foot(p.x0 + shift), p.tallest,
                             static_cast<uint32_t>(p.x0), meadow);
        });
    }
    PaintBeeSkeps(cr, 640, foot(690) + 6);
    PaintMolehill(cr, 455 + 160, 512, 34);
    PaintMolehill(cr, 1085, 506, 30);
    PaintMolehill(cr, 790, 598, 44);
    // Past the meadow sign the forest begins: ferns and the first fallen leaves.
    PaintFern(cr, 1558, foot(1558) + 4, 38, 1566);
    Random leaves(17);
    for (int i = 0; i < 14; ++i) {
        double lx = leaves.Uniform(1552, 1596), ly = leaves.Uniform(490, 530);
        SetColour(cr, leaves.Below(2) ? Hex(0xb8743a) : Hex(0x8a5a2a));
        EllipsePath(cr, lx, ly, 3, 1.6);
        cairo_fill(cr);
    }

    // Field: a band of ripe wheat behind the stubble, with poppies and cornflowers, and straw
    // bales on the stubble.
    PaintWheatBand(
        cr, 3212, 3252, [&](double x) { return foot(x) + 4; }, 321);
    for (auto [x0, x1] : {std::pair{3470.0, 4405.0}, std::pair{4545.0, 4648.0}}) {
        PaintWheatBand(
            cr, x0, x1, [&](double x) { return foot(x) + 4; }, static_cast<uint32_t>(x0));
        for (double x = x0 + 10; x < x1 - 10; x += 64) {
            double end = std::min(x + 64, x1 - 10);
            PaintFieldFlowers(cr, x, end, foot(x + 32) + 6, static_cast<uint32_t>(x) + 7);
        }
    }
    PaintStrawBale(cr, 3585, 528, 66, 34);
    PaintStrawBale(cr, 4000, 526, 68, 35);
    PaintStrawBale(cr, 4070, 529, 68, 35);
    PaintStrawBale(cr, 4036, 492, 68, 35);
    cairo_restore(cr);
}

}  // namespace assetgen::panorama
