// Targets of the forest: mushrooms under the apple tree, the apples and their stalks, the tin can,
// the carved sculpture, the cork and the water in the trough, and the three chapel bells.
#include <cmath>

#include "pictures/paint.h"
#include "pictures/recipes.h"

namespace assetgen {

namespace {

const FinishOptions kSprite{Key::Sprite};

std::vector<Picture> One(Picture p) {
    std::vector<Picture> out;
    out.push_back(std::move(p));
    return out;
}

// A mushroom of the champignon kind: a cream cap and a stout stem, standing on a grass tuft.
void PaintMushroom(cairo_t* cr, double w, double h, double capShare, double lean, Rgb cap) {
    double stemTop = h * capShare;
    cairo_save(cr);
    cairo_translate(cr, w / 2, h);
    cairo_rotate(cr, lean);
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, -w * 0.16, -2);
            cairo_curve_to(c, -w * 0.2, -h * 0.4, -w * 0.12, -(h - stemTop), -w * 0.1,
                           -(h - stemTop) - 4);
            cairo_line_to(c, w * 0.1, -(h - stemTop) - 4);
            cairo_curve_to(c, w * 0.12, -(h - stemTop), w * 0.2, -h * 0.4, w * 0.16, -2);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0xf0e6d2), 0.1, 0.25, 3, 2});
    PaintShape(
        cr,
        [&](cairo_t* c) {
            double top = -h + 2;
            double bottom = -(h - stemTop);
            cairo_move_to(c, -w * 0.47, bottom);
            cairo_curve_to(c, -w * 0.47, top + 4, -w * 0.2, top, 0, top);
            cairo_curve_to(c, w * 0.2, top, w * 0.47, top + 4, w * 0.47, bottom);
            cairo_curve_to(c, w * 0.2, bottom + 4, -w * 0.2, bottom + 4, -w * 0.47, bottom);
            cairo_close_path(c);
        },
        ShapeStyle{cap, 0.25, 0.3, 4, 2});
    // Gills under the rim.
    SetColour(cr, Hex(0x9a7a5a));
    cairo_set_line_width(cr, 1);
    for (int i = -3; i <= 3; ++i) {
        cairo_move_to(cr, i * w * 0.1, -(h - stemTop) + 1);
        cairo_line_to(cr, i * w * 0.06, -(h - stemTop) + 3);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    SetColour(cr, Hex(0x4c8a34));
    cairo_set_line_width(cr, 2);
    for (int i = 0; i < 6; ++i) {
        double x = w * 0.2 + i * w * 0.12;
        cairo_move_to(cr, x, h);
        cairo_line_to(cr, x + (i % 2 ? 3 : -3), h - 7 - (i % 3) * 2);
    }
    cairo_stroke(cr);
}

// A church bell with its clapper, hanging from a loop at the top.
void PaintBell(cairo_t* cr, double w, double h, Rgb metal) {
    SetColour(cr, palette::Outline);
    cairo_set_line_width(cr, 2);
    cairo_arc(cr, w / 2, 3, 2.5, 0, 2 * M_PI);
    cairo_stroke(cr);
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, w * 0.3, 5);
            cairo_curve_to(c, w * 0.2, 6, w * 0.22, h * 0.5, w * 0.12, h * 0.72);
            cairo_curve_to(c, w * 0.05, h * 0.82, 1.5, h - 4, 1.5, h - 3);
            cairo_line_to(c, w - 1.5, h - 3);
            cairo_curve_to(c, w - 1.5, h - 4, w * 0.95, h * 0.82, w * 0.88, h * 0.72);
            cairo_curve_to(c, w * 0.78, h * 0.5, w * 0.8, 6, w * 0.7, 5);
            cairo_close_path(c);
        },
        ShapeStyle{metal, 0.35, 0.3, 2.5, 1.5});
    PaintShape(
        cr, [&](cairo_t* c) { EllipsePath(c, w / 2, h - 2, 2.2, 2); },
        ShapeStyle{Darker(metal, 0.4), 0, 0, 0, 1});
}

// The tin can: 0 standing, 1..6 one tumble end over end.
void PaintTinCan(cairo_t* cr, int frame) {
    double w = 30, h = 40;
    cairo_save(cr);
    cairo_translate(cr, w / 2, h / 2 + 2);
    cairo_rotate(cr, frame * M_PI / 3.5);
    PaintShape(
        cr, [](cairo_t* c) { RoundedRectPath(c, -9, -13, 18, 26, 2); },
        ShapeStyle{Hex(0xb0b8bc), 0.35, 0.3, 3, 2});
    PaintShape(
        cr, [](cairo_t* c) { cairo_rectangle(c, -9, -6, 18, 11); },
        ShapeStyle{Hex(0xc83a2a), 0.2, 0.2, 2, 1});
    SetColour(cr, palette::Cream);
    EllipsePath(cr, 0, -0.5, 4, 3);
    cairo_fill(cr);
    SetColour(cr, Hex(0x6a7074));
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < 2; ++i) {
        cairo_move_to(cr, -9, -10 + i * 21);
        cairo_line_to(cr, 9, -10 + i * 21);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

// The carved wooden owl on its stump: 0 whole, 1..4 shot to pieces step by step.
void PaintSculpture(cairo_t* cr, int frame) {
    double w = 76, h = 168;
    Rgb wood = Hex(0xb07a48);
    ShapeStyle woodStyle{wood, 0.2, 0.35, 5, 2.5};
    // Stump.
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, 6, h - 2);
            cairo_line_to(c, 12, 112);
            cairo_line_to(c, w - 12, 112);
            cairo_line_to(c, w - 6, h - 2);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x7a5232), 0.15, 0.3, 5, 2.5});
    PaintShape(
        cr, [&](cairo_t* c) { EllipsePath(c, w / 2, 112, w / 2 - 12, 6); },
        ShapeStyle{Hex(0xd8b48a), 0.1, 0.2, 2, 2});
    // Owl body, the parts that are already shot off are missing.
    bool ears = frame < 1, head = frame < 3, wings = frame < 2, body = frame < 4;
    if (body) {
        PaintShape(
            cr, [&](cairo_t* c) { EllipsePath(c, w / 2, 84, 24, 28); }, woodStyle);
        SetColour(cr, Hex(0x8a5a32));
        cairo_set_line_width(cr, 2);
        for (int i = 0; i < 4; ++i) {
            cairo_move_to(cr, w / 2 - 8 + (i % 2) * 8, 72 + i * 8);
            cairo_line_to(cr, w / 2 - 4 + (i % 2) * 8, 76 + i * 8);
            cairo_line_to(cr, w / 2 + (i % 2) * 8, 72 + i * 8);
        }
        cairo_stroke(cr);
    } else {
        PaintShape(
            cr,
            [&](cairo_t* c) {
                cairo_move_to(c, w / 2 - 22, 112);
                cairo_line_to(c, w / 2 - 16, 96);
                cairo_line_to(c, w / 2 - 4, 104);
                cairo_line_to(c, w / 2 + 8, 92);
                cairo_line_to(c, w / 2 + 20, 112);
                cairo_close_path(c);
            },
            woodStyle);
    }
    if (wings) {
        for (int side = -1; side <= 1; side += 2) {
            PaintShape(
                cr, [&](cairo_t* c) { EllipsePath(c, w / 2 + side * 22, 86, 8, 20); },
                ShapeStyle{Darker(wood, 0.12), 0.2, 0.3, 3, 2.5});
        }
    }
    if (head) {
        PaintShape(
            cr, [&](cairo_t* c) { EllipsePath(c, w / 2, 44, 22, 20); }, woodStyle);
        if (ears) {
            PaintShape(
                cr,
                [&](cairo_t* c) {
                    cairo_move_to(c, w / 2 - 20, 36);
                    cairo_line_to(c, w / 2 - 18, 14);
                    cairo_line_to(c, w / 2 - 6, 28);
                    cairo_close_path(c);
                    cairo_move_to(c, w / 2 + 20, 36);
                    cairo_line_to(c, w / 2 + 18, 14);
                    cairo_line_to(c, w / 2 + 6, 28);
                    cairo_close_path(c);
                },
                woodStyle);
        }
        for (int side = -1; side <= 1; side += 2) {
            PaintShape(
                cr, [&](cairo_t* c) { EllipsePath(c, w / 2 + side * 9, 44, 7, 7); },
                ShapeStyle{Hex(0xe8cc98), 0.1, 0.2, 2, 2});
            SetColour(cr, Hex(0x2a1a10));
            EllipsePath(cr, w / 2 + side * 9, 44, 3, 3);
            cairo_fill(cr);
        }
        PaintShape(
            cr,
            [&](cairo_t* c) {
                cairo_move_to(c, w / 2 - 3, 50);
                cairo_line_to(c, w / 2 + 3, 50);
                cairo_line_to(c, w / 2, 58);
                cairo_close_path(c);
            },
            ShapeStyle{Hex(0x8a5a32), 0, 0, 0, 1.5});
    }
    // Splinters of the latest hit.
    if (frame > 0) {
        Random random(static_cast<uint32_t>(frame));
        for (int i = 0; i < 5; ++i) {
            double x = random.Uniform(8, w - 8), y = random.Uniform(20, 100);
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_rotate(cr, random.Uniform(0, M_PI));
            PaintShape(
                cr, [](cairo_t* c) { cairo_rectangle(c, -5, -1.5, 10, 3); },
                ShapeStyle{Hex(0xd8b48a), 0, 0, 0, 1.5});
            cairo_restore(cr);
        }
    }
}

// Water in the trough: 0 still with ripples, 1..6 a fountain from the cork hole draining it.
void PaintTroughWater(cairo_t* cr, int frame) {
    double w = 48, h = 40;
    double surface = 10;
    if (frame == 0) {
        PaintShape(
            cr, [&](cairo_t* c) { EllipsePath(c, w / 2, surface, w / 2 - 4, 4); },
            ShapeStyle{Hex(0x4a8ac8), 0.3, 0.2, 2, 1.5});
        SetColour(cr, Hex(0xc8e4f8));
        cairo_set_line_width(cr, 1);
        cairo_move_to(cr, 10, surface);
        cairo_line_to(cr, 18, surface);
        cairo_move_to(cr, 30, surface + 1);
        cairo_line_to(cr, 38, surface + 1);
        cairo_stroke(cr);
        return;
    }
    int k = frame - 1;  // 0..5
    double level = surface + k * 1.5;
    PaintShape(
        cr, [&](cairo_t* c) { EllipsePath(c, w / 2, level, w / 2 - 4 - k, 3.5); },
        ShapeStyle{Hex(0x4a8ac8), 0.3, 0.2, 2, 1.5});
    // The jet from where the cork was, splashing over the rim.
    double jet = 12 - (k % 3) * 2;
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, w / 2 - 2, level);
            cairo_curve_to(c, w / 2 - 2, level - jet, w / 2 + 6, level - jet - 4, w / 2 + 10,
                           level - jet + 2);
            cairo_line_to(c, w / 2 + 6, level - jet + 3);
            cairo_curve_to(c, w / 2 + 4, level - jet, w / 2 + 2, level - jet + 2, w / 2 + 2, level);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x6aa8e0), 0.3, 0.1, 1, 1});
    Random random(static_cast<uint32_t>(frame));
    for (int i = 0; i < 6; ++i) {
        double x = random.Uniform(4, w - 4), y = random.Uniform(2, h - 4);
        SetColour(cr, Hex(0x9acaf0));
        EllipsePath(cr, x, y, 2, 2.5);
        cairo_fill(cr);
    }
    // Water running down the trough's side.
    SetColour(cr, Hex(0x5a9ad8));
    cairo_rectangle(cr, w - 10 - k % 2, level + 2, 3, h - level - 4);
    cairo_fill(cr);
}

}  // namespace

void AddForestSceneryRecipes(std::vector<Recipe>& recipes) {
    recipes.push_back({"mushrooms", [] {
                           struct Mushroom {
                               int w, h;
                               double capShare, lean;
                               Rgb cap;
                           };
                           // Sizes chosen so their feet stand on the apple tree's root mound.
                           const Mushroom mushrooms[] = {{42, 40, 0.45, -0.05, Hex(0xe8dcc4)},
                                                         {36, 44, 0.4, 0.08, Hex(0xd8c8a8)},
                                                         {40, 40, 0.45, 0.0, Hex(0xe0d2b8)},
                                                         {48, 50, 0.48, -0.06, Hex(0xeadfc8)},
                                                         {38, 42, 0.42, 0.1, Hex(0xd4c2a0)}};
                           std::vector<Picture> out;
                           for (int i = 0; i < 5; ++i) {
                               const Mushroom& m = mushrooms[i];
                               Canvas canvas(m.w, m.h);
                               PaintMushroom(canvas.cr(), m.w, m.h, m.capShare, m.lean, m.cap);
                               out.push_back(Finish(canvas,
                                                    "grafik/objekte/level2/champignon" +
                                                        std::to_string(i + 1) + ".bmp",
                                                    kSprite));
                           }
                           return out;
                       }});
    recipes.push_back(
        {"bells", [] {
             struct Bell {
                 int w, h;
                 Rgb metal;
             };
             const Bell bells[] = {
                 {24, 20, Hex(0xc89a3a)}, {18, 19, Hex(0xd4a848)}, {18, 16, Hex(0xb88a36)}};
             std::vector<Picture> out;
             for (int i = 0; i < 3; ++i) {
                 Canvas canvas(bells[i].w, bells[i].h);
                 PaintBell(canvas.cr(), bells[i].w, bells[i].h, bells[i].metal);
                 out.push_back(
                     Finish(canvas, "grafik/objekte/level2/Glocke" + std::to_string(i + 1) + ".bmp",
                            kSprite));
             }
             return out;
         }});
    recipes.push_back({"tin can", [] {
                           return One(DrawStrip("grafik/objekte/level2/dose_anim.bmp", 7, 30, 44,
                                                kSprite, PaintTinCan));
                       }});
    recipes.push_back({"cork", [] {
                           Canvas canvas(14, 14);
                           PaintShape(
                               canvas.cr(),
                               [](cairo_t* c) {
                                   cairo_move_to(c, 2, 3);
                                   cairo_line_to(c, 12, 3);
                                   cairo_line_to(c, 10.5, 12);
                                   cairo_line_to(c, 3.5, 12);
                                   cairo_close_path(c);
                               },
                               ShapeStyle{Hex(0xc8a070), 0.25, 0.3, 2, 1.5});
                           SetColour(canvas.cr(), Hex(0x8a6a40));
                           EllipsePath(canvas.cr(), 5, 7, 1, 1);
                           EllipsePath(canvas.cr(), 9, 9, 1, 1);
                           cairo_fill(canvas.cr());
                           return One(Finish(canvas, "grafik/objekte/level2/korken.bmp", kSprite));
                       }});
    recipes.push_back(
        {"tree apples", [] {
             std::vector<Picture> out;
             // 0 hanging, 1..4 burst by the shot.
             out.push_back(DrawStrip(
                 "grafik/objekte/level2/apfel_anim.bmp", 5, 32, 36, kSprite,
                 [](cairo_t* cr, int frame) {
                     if (frame == 0) {
                         double r = 12;
                         cairo_save(cr);
                         cairo_translate(cr, 16, 22);
                         PaintShape(
                             cr,
                             [r](cairo_t* c) {
                                 cairo_move_to(c, 0, -r * 0.7);
                                 cairo_curve_to(c, r * 0.5, -r * 1.1, r * 1.1, -r * 0.7, r, 0);
                                 cairo_curve_to(c, r * 0.95, r * 0.8, r * 0.4, r, 0, r * 0.9);
                                 cairo_curve_to(c, -r * 0.4, r, -r * 0.95, r * 0.8, -r, 0);
                                 cairo_curve_to(c, -r * 1.1, -r * 0.7, -r * 0.5, -r * 1.1, 0,
                                                -r * 0.7);
                                 cairo_close_path(c);
                             },
                             ShapeStyle{Hex(0xc8302a), 0.3, 0.3, 3, 2});
                         SetColour(cr, Hex(0xf4d0a0));
                         EllipsePath(cr, -5, -4, 2.2, 1.5);
                         cairo_fill(cr);
                         cairo_restore(cr);
                         return;
                     }
                     // Pieces flying apart and a splash of juice.
                     Random random(static_cast<uint32_t>(frame));
                     double spread = frame * 3.5;
                     for (int i = 0; i < 5; ++i) {
                         double a = 2 * M_PI * i / 5 + frame * 0.3;
                         double x = 16 + std::cos(a) * spread;
                         double y = 22 + std::sin(a) * spread + frame * 1.5;
                         cairo_save(cr);
                         cairo_translate(cr, x, y);
                         cairo_rotate(cr, a);
                         PaintShape(
                             cr,
                             [](cairo_t* c) {
                                 cairo_move_to(c, -5, 0);
                                 cairo_arc(c, 0, 0, 5, M_PI, 2 * M_PI);
                                 cairo_close_path(c);
                             },
                             ShapeStyle{i % 2 ? Hex(0xc8302a) : Hex(0xf4e0b0), 0.2, 0.2, 1.5, 1.5});
                         cairo_restore(cr);
                     }
                 }));
             Canvas stalk(32, 36);
             SetColour(stalk.cr(), Hex(0x5a3b22));
             cairo_set_line_width(stalk.cr(), 3);
             cairo_set_line_cap(stalk.cr(), CAIRO_LINE_CAP_ROUND);
             cairo_move_to(stalk.cr(), 18, 1);
             cairo_curve_to(stalk.cr(), 17, 5, 16, 8, 16, 12);
             cairo_stroke(stalk.cr());
             PaintShape(
                 stalk.cr(),
                 [](cairo_t* c) {
                     cairo_move_to(c, 17, 6);
                     cairo_curve_to(c, 21, 0, 28, 1, 30, 4);
                     cairo_curve_to(c, 26, 9, 21, 9, 17, 6);
                     cairo_close_path(c);
                 },
                 ShapeStyle{palette::LeafGreen, 0.25, 0.25, 1.5, 1.5});
             out.push_back(Finish(stalk, "grafik/objekte/level2/apfelstiel.bmp", kSprite));
             return out;
         }});
    recipes.push_back({"sculpture", [] {
                           return One(DrawStrip("grafik/objekte/level2/skulptur_anim.bmp", 5, 76,
                                                168, kSprite, PaintSculpture));
                       }});
    recipes.push_back({"trough water", [] {
                           return One(DrawStrip("grafik/objekte/level2/trogwasser_anim.bmp", 7, 48,
                                                40, kSprite, PaintTroughWater));
                       }});
}

}  // namespace assetgen
