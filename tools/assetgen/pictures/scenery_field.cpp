// Targets of the field: the bear target by the cave, the cave stone, the woodpecker, the old
// oak's carved heart, eyes and acorns, and the fly agaric.
#include <cmath>
#include <functional>

#include "pictures/animals.h"
#include "pictures/nature.h"
#include "pictures/paint.h"
#include "pictures/recipes.h"

namespace assetgen {

namespace {

const FinishOptions kSprite{Key::Sprite};
constexpr double kMidHaze = 0.16;

std::string Level3(const std::string& name) {
    return "grafik/objekte/level3/" + name + ".bmp";
}

Picture Single(const std::string& path, int w, int h, const std::function<void(cairo_t*)>& paint) {
    Canvas canvas(w, h);
    paint(canvas.cr());
    return Finish(canvas, path, kSprite);
}

// The bear target: a painted board on a post. Frames 2..6 show the bear coming up behind it and
// putting its paw on the board; 0 is the bare target, 1 the bear's ears peeping.
void PaintBearTarget(cairo_t* cr, int frame) {
    Rgb fur = Hazed(Hex(0x6a4428), kMidHaze);
    double rise[] = {200, 40, 30, 14, 4, 0, 6};
    double bearTop = rise[frame];
    if (frame >= 1) {
        cairo_save(cr);
        cairo_rectangle(cr, 0, 0, 80, 96);
        cairo_clip(cr);
        cairo_translate(cr, 40, bearTop);
        for (int side = -1; side <= 1; side += 2) {
            PaintShape(
                cr, [side](cairo_t* c) { EllipsePath(c, side * 16, 8, 7, 7); },
                ShapeStyle{fur, 0.2, 0.3, 2, 2});
        }
        PaintShape(
            cr, [](cairo_t* c) { EllipsePath(c, 0, 26, 22, 20); },
            ShapeStyle{fur, 0.25, 0.3, 4, 2});
        PaintShape(
            cr, [](cairo_t* c) { EllipsePath(c, 0, 34, 9, 7); },
            ShapeStyle{Hazed(Hex(0xc8a070), kMidHaze), 0.2, 0.2, 2, 1.5});
        SetColour(cr, Hex(0x1a1010));
        EllipsePath(cr, 0, 31, 3, 2);
        EllipsePath(cr, -8, 20, 2.2, 2.2);
        EllipsePath(cr, 8, 20, 2.2, 2.2);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    PaintShape(
        cr, [](cairo_t* c) { cairo_rectangle(c, 36, 60, 8, 60); },
        ShapeStyle{Hazed(Hex(0x7a5232), kMidHaze), 0.15, 0.3, 2, 2});
    const Rgb rings[] = {palette::Cream, Hex(0x3a6ab0), palette::Cream, Hex(0xc83a2a)};
    for (int i = 0; i < 4; ++i) {
        double r = 26 - i * 6.5;
        PaintShape(
            cr, [r](cairo_t* c) { EllipsePath(c, 40, 66, r, r); },
            ShapeStyle{Hazed(rings[i], kMidHaze), 0.0, 0.15, 2, i == 0 ? 2.0 : 1.0});
    }
    if (frame >= 4) {
        // The paw over the rim of the board.
        PaintShape(
            cr, [](cairo_t* c) { EllipsePath(c, 58, 44, 9, 7); }, ShapeStyle{fur, 0.2, 0.3, 2, 2});
    }
}

void PaintAcorn(cairo_t* cr, double tilt, double scale, bool golden) {
    cairo_save(cr);
    cairo_translate(cr, 9, 12);
    cairo_rotate(cr, tilt);
    cairo_scale(cr, scale, scale);
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, 0, 3, 6, 8); },
        ShapeStyle{golden ? Hex(0xd8a040) : Hex(0xb8843a), 0.3, 0.3, 2, 1.5});
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, -7, -2);
            cairo_curve_to(c, -7, -9, 7, -9, 7, -2);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x7a5a32), 0.25, 0.2, 1.5, 1.5});
    SetColour(cr, Hex(0x5a3b22));
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, 0, -7);
    cairo_line_to(cr, 1, -10);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void PaintTreeEyes(cairo_t* cr, int frame, double glare) {
    if (frame == 0) return;  // closed up in the hollow: nothing to see
    for (int side = -1; side <= 1; side += 2) {
        PaintShape(
            cr, [side](cairo_t* c) { EllipsePath(c, 15 + side * 8, 8, 6, 5); },
            ShapeStyle{Hex(0xf4e890), 0.0, 0.2, 1.5, 1.5});
        SetColour(cr, Hex(0x101010));
        EllipsePath(cr, 15 + side * 8 + glare, 8, 2, 3);
        cairo_fill(cr);
    }
}

// The carved heart of the oak: 0 whole, each later frame one more bullet hole, 5 shot out.
void PaintTreeHeart(cairo_t* cr, int frame) {
    auto heart = [](cairo_t* c) {
        cairo_move_to(c, 20, 36);
        cairo_curve_to(c, 4, 24, 2, 14, 6, 8);
        cairo_curve_to(c, 10, 2, 18, 4, 20, 10);
        cairo_curve_to(c, 22, 4, 30, 2, 34, 8);
        cairo_curve_to(c, 38, 14, 36, 24, 20, 36);
        cairo_close_path(c);
    };
    if (frame == 5) {
        PaintShape(cr, heart, ShapeStyle{Hex(0x2a1a10), 0, 0, 0, 2});
        return;
    }
    PaintShape(cr, heart, ShapeStyle{Hex(0xc8403a), 0.3, 0.3, 3, 2});
    const double holes[][2] = {{14, 12}, {26, 14}, {20, 24}, {12, 20}};
    for (int i = 0; i < frame; ++i) {
        PaintShape(
            cr, [&](cairo_t* c) { EllipsePath(c, holes[i][0], holes[i][1], 3, 3); },
            ShapeStyle{Hex(0x2a1a10), 0, 0, 0, 1});
    }
}

void PaintFlyAgaricCap(cairo_t* cr, int frame) {
    auto cap = [](cairo_t* c) {
        cairo_move_to(c, 4, 64);
        cairo_curve_to(c, 4, 24, 66, 24, 66, 64);
        cairo_curve_to(c, 50, 68, 20, 68, 4, 64);
        cairo_close_path(c);
    };
    auto dots = [&]() {
        SetColour(cr, palette::White);
        const double spots[][3] = {{20, 44, 4}, {36, 36, 5}, {52, 46, 4}, {28, 56, 3}, {46, 58, 3}};
        for (const auto& s : spots) {
            EllipsePath(cr, s[0], s[1], s[2], s[2] * 0.8);
            cairo_fill(cr);
        }
    };
    if (frame == 0 || frame >= 4) {
        cairo_save(cr);
        if (frame >= 4) {
            cairo_translate(cr, 35, 50);
            cairo_rotate(cr, frame == 4 ? 0.3 : -0.3);
            cairo_translate(cr, -35, -50);
        }
        PaintShape(cr, cap, ShapeStyle{Hex(0xd8302a), 0.3, 0.3, 5, 2.5});
        dots();
        cairo_restore(cr);
        return;
    }
    Random random(static_cast<uint32_t>(frame));
    for (int i = 0; i < 9; ++i) {
        double a = random.Uniform(M_PI, 2 * M_PI);
        double d = 6 + frame * 8;
        double x = 35 + std::cos(a) * d, y = 50 + std::sin(a) * d * 0.8 + frame * 4;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a);
        PaintShape(
            cr, [](cairo_t* c) { cairo_rectangle(c, -6, -4, 12, 8); },
            ShapeStyle{i % 3 ? Hex(0xd8302a) : palette::White, 0.3, 0.2, 2, 2});
        cairo_restore(cr);
    }
}

}  // namespace

void AddFieldSceneryRecipes(std::vector<Recipe>& recipes) {
    recipes.push_back({"bear target", [] {
                           return std::vector<Picture>{DrawStrip(Level3("baer_zielscheibe_anim"), 7,
                                                                 80, 120, kSprite,
                                                                 PaintBearTarget)};
                       }});
    recipes.push_back({"cave stone and woodpecker", [] {
                           std::vector<Picture> out;
                           out.push_back(Single(Level3("hoehlenstein"), 76, 80, [](cairo_t* cr) {
                               PaintShape(
                                   cr,
                                   [](cairo_t* c) {
                                       cairo_move_to(c, 4, 78);
                                       cairo_curve_to(c, 0, 40, 14, 6, 38, 4);
                                       cairo_curve_to(c, 62, 4, 76, 40, 72, 78);
                                       cairo_close_path(c);
                                   },
                                   ShapeStyle{Hazed(Hex(0x8a867a), kMidHaze), 0.25, 0.35, 8, 2});
                               SetColour(cr, Hex(0x5a564e));
                               cairo_set_line_width(cr, 1.5);
                               cairo_move_to(cr, 30, 20);
                               cairo_line_to(cr, 36, 40);
                               cairo_line_to(cr, 30, 56);
                               cairo_stroke(cr);
                           }));
                           out.push_back(DrawStrip(Level3("Specht"), 3, WoodpeckerWidth,
                                                   WoodpeckerHeight, kSprite, PaintWoodpecker));
                           return out;
                       }});
    recipes.push_back(
        {"oak targets", [] {
             std::vector<Picture> out;
             out.push_back(DrawStrip(Level3("baumherz_anim"), 6, 40, 40, kSprite, PaintTreeHeart));
             const double tilts[] = {-0.3, 0.2, 0.5, -0.1, 0.35, -0.45};
             for (int i = 0; i < 6; ++i) {
                 double tilt = tilts[i];
                 bool golden = i % 2 == 1;
                 out.push_back(
                     Single(Level3("eichel" + std::to_string(i + 1)), 18, 24,
                            [tilt, golden](cairo_t* cr) { PaintAcorn(cr, tilt, 1.0, golden); }));
             }
             for (int i = 0; i < 3; ++i) {
                 double glare = i - 1.0;
                 out.push_back(
                     DrawStrip(Level3("baumaugen" + std::to_string(i + 1)), 2, 30, 16, kSprite,
                               [glare](cairo_t* cr, int f) { PaintTreeEyes(cr, f, glare); }));
             }
             return out;
         }});
    recipes.push_back(
        {"fly agaric", [] {
             std::vector<Picture> out;
             out.push_back(Single(Level3("fliegerpilzstengel"), 70, 120, [](cairo_t* cr) {
                 PaintShape(
                     cr,
                     [](cairo_t* c) {
                         cairo_move_to(c, 26, 118);
                         cairo_curve_to(c, 28, 100, 29, 80, 29, 60);
                         cairo_line_to(c, 41, 60);
                         cairo_curve_to(c, 41, 80, 42, 100, 44, 118);
                         cairo_close_path(c);
                     },
                     ShapeStyle{palette::White, 0.0, 0.2, 3, 2});
                 PaintShape(
                     cr, [](cairo_t* c) { EllipsePath(c, 35, 80, 11, 4); },
                     ShapeStyle{Hex(0xf0ead8), 0.0, 0.2, 1.5, 1.5});
                 PaintGrassTufts(cr, 16, 54, 119, 10, Hex(0x4c8a34), 5, 0.5);
             }));
             out.push_back(
                 DrawStrip(Level3("fliegerpilz_anim"), 6, 70, 120, kSprite, PaintFlyAgaricCap));
             return out;
         }});
}

}  // namespace assetgen
