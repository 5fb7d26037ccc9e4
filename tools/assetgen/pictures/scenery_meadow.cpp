// Targets of the meadow: the power box with its cover and switch, the bottles, the pot, the three
// giant flowers with their sixteen loose petals, the boulders, the eye in the fence, the turning
// scarecrow with its arms and hat, and the far things: the spark on the power line, the silo
// that takes off and the mountain peak.
#include <cmath>
#include <functional>

#include "pictures/nature.h"
#include "pictures/paint.h"
#include "pictures/recipes.h"

namespace assetgen {

namespace {

const FinishOptions kSprite{Key::Sprite};
constexpr double kMidHaze = 0.16;
constexpr double kFarHaze = 0.35;

Picture Single(const std::string& path, int w, int h, const std::function<void(cairo_t*)>& paint) {
    Canvas canvas(w, h);
    paint(canvas.cr());
    return Finish(canvas, path, kSprite);
}

std::string Level1(const std::string& name) {
    return "grafik/objekte/level1/" + name + ".bmp";
}

void PaintBottle(cairo_t* cr, int frame) {
    Rgb glass = Hex(0x3a8a4a);
    if (frame == 0) {
        PaintShape(
            cr,
            [](cairo_t* c) {
                cairo_move_to(c, 9, 2);
                cairo_line_to(c, 15, 2);
                cairo_line_to(c, 15, 16);
                cairo_curve_to(c, 20, 20, 21, 24, 21, 28);
                cairo_line_to(c, 21, 48);
                cairo_line_to(c, 3, 48);
                cairo_line_to(c, 3, 28);
                cairo_curve_to(c, 3, 24, 4, 20, 9, 16);
                cairo_close_path(c);
            },
            ShapeStyle{glass, 0.35, 0.3, 3, 2});
        SetColour(cr, palette::Cream);
        cairo_rectangle(cr, 5, 30, 14, 10);
        cairo_fill(cr);
        SetColour(cr, Hex(0xb8e8c0));
        cairo_rectangle(cr, 6, 24, 2, 20);
        cairo_fill(cr);
        return;
    }
    // Shattering: shards fly out and fall.
    Random random(static_cast<uint32_t>(frame));
    int k = frame;
    for (int i = 0; i < 8; ++i) {
        double a = random.Uniform(0, 2 * M_PI);
        double d = k * 3.5 + random.Uniform(0, 4);
        double x = 12 + std::cos(a) * d, y = 30 + std::sin(a) * d * 0.7 + k * k;
        if (y > 48) continue;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a + k);
        PaintShape(
            cr,
            [](cairo_t* c) {
                cairo_move_to(c, -4, -2);
                cairo_line_to(c, 3, -3);
                cairo_line_to(c, 1, 3);
                cairo_close_path(c);
            },
            ShapeStyle{i % 3 ? glass : palette::Cream, 0.3, 0.2, 1, 1.5});
        cairo_restore(cr);
    }
}

// The ring of petals around a blossom centre at (28, 30); `only` >= 0 paints that petal alone.
void PaintPetals(cairo_t* cr, int only, Rgb colour) {
    for (int i = 0; i < 16; ++i) {
        if (only >= 0 && i != only) continue;
        double a = 2 * M_PI * i / 16 - M_PI / 2;
        cairo_save(cr);
        cairo_translate(cr, 29 + std::cos(a) * 17, 30 + std::sin(a) * 17);
        cairo_rotate(cr, a);
        PaintShape(
            cr, [](cairo_t* c) { EllipsePath(c, 0, 0, 10, 4.5); },
            ShapeStyle{i % 2 ? colour : Lighter(colour, 0.15), 0.25, 0.25, 2, 1.5});
        cairo_restore(cr);
    }
}

// A flower stalk from the crown down to the meadow, tip at (topX, 0).
void PaintStalk(cairo_t* cr, double topX, double height, bool leaves) {
    Rgb green = Hazed(Hex(0x4a8a34), kMidHaze);
    if (leaves) {
        for (int side = -1; side <= 1; side += 2) {
            double y = height * (side < 0 ? 0.55 : 0.7);
            PaintShape(
                cr,
                [&](cairo_t* c) {
                    cairo_move_to(c, topX, y);
                    cairo_curve_to(c, topX + side * 14, y - 20, topX + side * 26, y - 12,
                                   topX + side * 30, y - 22);
                    cairo_curve_to(c, topX + side * 26, y + 4, topX + side * 12, y + 8, topX,
                                   y + 6);
                    cairo_close_path(c);
                },
                ShapeStyle{green, 0.25, 0.3, 2, 1.5});
        }
        PaintGrassTufts(cr, topX - 18, topX + 18, height, 12, green, 4, 0.4);
        return;
    }
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, topX - 3, 0);
            cairo_curve_to(c, topX - 5, height * 0.4, topX + 1, height * 0.7, topX - 3, height);
            cairo_line_to(c, topX + 3, height);
            cairo_curve_to(c, topX + 7, height * 0.7, topX + 1, height * 0.4, topX + 3, 0);
            cairo_close_path(c);
        },
        ShapeStyle{green, 0.3, 0.3, 1.5, 1.5});
}

void PaintBoulder(cairo_t* cr, double cx, double cy, double rx, double ry, double outline,
                  uint32_t seed) {
    Random random(seed);
    PaintShape(
        cr,
        [&](cairo_t* c) {
            for (int i = 0; i <= 10; ++i) {
                double a = M_PI + M_PI * i / 10;
                double r = random.Uniform(0.88, 1.0);
                double x = cx + std::cos(a) * rx * r, y = cy + std::sin(a) * ry * r;
                if (i == 0) cairo_move_to(c, x, cy + ry * 0.7);
                cairo_line_to(c, x, std::min(y, cy + ry * 0.7));
            }
            cairo_curve_to(c, cx + rx, cy + ry * 0.9, cx - rx, cy + ry * 0.9, cx - rx,
                           cy + ry * 0.7);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x9a968a), 0.25, 0.35, rx * 0.15, outline});
    SetColour(cr, Hex(0x6a8a4a));
    EllipsePath(cr, cx - rx * 0.3, cy - ry * 0.55, rx * 0.25, ry * 0.12);
    cairo_fill(cr);
}

void PaintScarecrow(cairo_t* cr, int frame) {
    // Frame f shows the body turned by f x 22.5 degrees: 0 front, 4 side, 8 back, 12 other side.
    double angle = frame * M_PI / 8;
    double facing = std::cos(angle), side = std::sin(angle);
    double cx = 97;
    PaintShape(
        cr, [&](cairo_t* c) { cairo_rectangle(c, cx - 4, 60, 8, 218); },
        ShapeStyle{Hex(0x8a6a44), 0.15, 0.3, 2, 2});
    // Coat.
    double half = 10 + 14 * std::abs(facing);
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, cx - half, 70);
            cairo_line_to(c, cx + half, 70);
            cairo_line_to(c, cx + half + 6, 160);
            cairo_line_to(c, cx - half - 6, 160);
            cairo_close_path(c);
        },
        ShapeStyle{facing >= 0 ? Hex(0x4a6aa0) : Hex(0x3a5a8a), 0.2, 0.3, 3, 2});
    // Patches and buttons on the front only; straw tufts at the hem.
    if (facing > 0.2) {
        SetColour(cr, Hex(0xc8403a));
        cairo_rectangle(cr, cx - half * 0.6 + side * 4, 110, 10, 12);
        cairo_fill(cr);
        SetColour(cr, Hex(0xe8d8a0));
        for (int i = 0; i < 3; ++i) {
            EllipsePath(cr, cx + side * half * 0.5, 84 + i * 22, 2.5, 2.5);
            cairo_fill(cr);
        }
    }
    SetColour(cr, Hex(0xe0c060));
    cairo_set_line_width(cr, 2);
    for (int i = 0; i < 8; ++i) {
        double x = cx - half - 4 + i * (2 * half + 8) / 7;
        cairo_move_to(cr, x, 158);
        cairo_line_to(cr, x + (i % 2 ? 3 : -3), 172);
    }
    cairo_stroke(cr);
    // Sack head with a stitched face when it looks our way.
    PaintShape(
        cr, [&](cairo_t* c) { EllipsePath(c, cx, 42, 20, 24); },
        ShapeStyle{Hex(0xd8bc88), 0.2, 0.3, 4, 2});
    if (facing > 0.1) {
        double fx = cx + side * 10;
        SetColour(cr, Hex(0x2a1a10));
        EllipsePath(cr, fx - 7, 38, 3 * facing + 0.5, 3);
        EllipsePath(cr, fx + 7, 38, 3 * facing + 0.5, 3);
        cairo_fill(cr);
        cairo_set_line_width(cr, 1.5);
        cairo_move_to(cr, fx - 8, 52);
        for (int i = 0; i < 5; ++i) cairo_line_to(cr, fx - 8 + i * 4, 52 + (i % 2) * 3);
        cairo_stroke(cr);
    }
    SetColour(cr, Hex(0xe0c060));
    cairo_set_line_width(cr, 2);
    for (int i = 0; i < 6; ++i) {
        cairo_move_to(cr, cx - 8 + i * 3, 64);
        cairo_line_to(cr, cx - 10 + i * 4, 74);
    }
    cairo_stroke(cr);
}

void PaintArm(cairo_t* cr, int frame, bool left) {
    double droop = frame == 1 ? 0.35 : 0;
    cairo_save(cr);
    cairo_translate(cr, left ? 70 : 0, 6);
    cairo_scale(cr, left ? -1 : 1, 1);
    cairo_rotate(cr, droop);
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 0, -5);
            cairo_line_to(c, 54, -4);
            cairo_line_to(c, 56, 6);
            cairo_line_to(c, 0, 7);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x4a6aa0), 0.2, 0.3, 2, 2});
    SetColour(cr, Hex(0xe0c060));
    cairo_set_line_width(cr, 2);
    for (int i = 0; i < 5; ++i) {
        cairo_move_to(cr, 55, -2 + i * 2);
        cairo_line_to(cr, 66, -4 + i * 3);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

// The farm's silo on the far meadow: a round metal tower with a red dome, bands and a ladder.
// Frames 1 and 2 add the flames it lifts off on.
void PaintSilo(cairo_t* cr, int frame) {
    Rgb metal = Hazed(Hex(0xb8bcc0), kFarHaze);
    auto body = [](cairo_t* c) { cairo_rectangle(c, 6, 20, 20, 104); };
    PaintShape(cr, body, ShapeStyle{metal, 0.0, 0.0, 0, 1.5});
    cairo_save(cr);
    cairo_new_path(cr);
    body(cr);
    cairo_clip(cr);
    // Round: lit on the left, in shade on the right.
    cairo_pattern_t* round = cairo_pattern_create_linear(6, 0, 26, 0);
    Rgb lit = Lighter(metal, 0.35), shade = Darker(metal, 0.22);
    cairo_pattern_add_color_stop_rgb(round, 0, metal.r / 255.0, metal.g / 255.0, metal.b / 255.0);
    cairo_pattern_add_color_stop_rgb(round, 0.25, lit.r / 255.0, lit.g / 255.0, lit.b / 255.0);
    cairo_pattern_add_color_stop_rgb(round, 1, shade.r / 255.0, shade.g / 255.0, shade.b / 255.0);
    cairo_set_source(cr, round);
    cairo_paint(cr);
    cairo_pattern_destroy(round);
    SetColour(cr, Hazed(Hex(0x8a9094), kFarHaze));
    cairo_set_line_width(cr, 0.8);
    for (double x : {11.0, 16.0, 21.0}) {
        cairo_move_to(cr, x, 20);
        cairo_line_to(cr, x, 124);
    }
    cairo_stroke(cr);
    SetColour(cr, Hazed(Hex(0x6a7074), kFarHaze));
    cairo_set_line_width(cr, 1.6);
    for (double y = 34; y < 124; y += 16) {
        cairo_move_to(cr, 6, y);
        cairo_line_to(cr, 26, y);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    // The ladder up the right side.
    SetColour(cr, Hazed(Hex(0x4a4e52), kFarHaze));
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, 22.5, 24);
    cairo_line_to(cr, 22.5, 122);
    cairo_move_to(cr, 25.5, 24);
    cairo_line_to(cr, 25.5, 122);
    for (double y = 27; y < 122; y += 4) {
        cairo_move_to(cr, 22.5, y);
        cairo_line_to(cr, 25.5, y);
    }
    cairo_stroke(cr);
    // The dome and its vent.
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 4.5, 22);
            cairo_curve_to(c, 5, 8, 27, 8, 27.5, 22);
            cairo_close_path(c);
        },
        ShapeStyle{Hazed(Hex(0xb04a34), kFarHaze), 0.3, 0.3, 2, 1.5});
    PaintShape(
        cr, [](cairo_t* c) { cairo_rectangle(c, 13.5, 6, 5, 6); },
        ShapeStyle{Hazed(Hex(0x8a9094), kFarHaze), 0.2, 0.2, 1, 1.2});
    if (frame == 0) return;
    // Flames and a puff of smoke below the lifting silo.
    PaintShape(
        cr,
        [frame](cairo_t* c) {
            cairo_move_to(c, 6, 110);
            cairo_line_to(c, 26, 110);
            cairo_line_to(c, 24 + frame, 127);
            cairo_line_to(c, 19, 120 + frame * 2);
            cairo_line_to(c, 16, 127);
            cairo_line_to(c, 13, 120 + frame * 2);
            cairo_line_to(c, 8 - frame, 127);
            cairo_close_path(c);
        },
        ShapeStyle{frame == 1 ? Hex(0xf08a28) : Hex(0xf8b030), 0.3, 0.2, 2, 1});
    PaintShape(
        cr,
        [frame](cairo_t* c) {
            cairo_move_to(c, 10, 111);
            cairo_line_to(c, 22, 111);
            cairo_line_to(c, 19, 120 + frame);
            cairo_line_to(c, 16, 116 + frame * 2);
            cairo_line_to(c, 13, 120 + frame);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0xfff0a0), 0.2, 0.1, 1, 0});
}

// The rocky top of the far mountain. Its flanks run on past the bottom of the picture, where the
// mountain's own shoulders continue them, so the foot has no outline and stands in the snow of
// the shoulders.
void PaintMountainPeak(cairo_t* cr) {
    Rgb rock = Hazed(Hex(0x8a9ab8), 0.3);
    Rgb snow = Hex(0xf4f8fc);
    auto body = [](cairo_t* c) {
        cairo_move_to(c, -2.2, 66);
        cairo_line_to(c, 30, 20);
        cairo_line_to(c, 40, 26);
        cairo_line_to(c, 52, 4);
        cairo_line_to(c, 66, 24);
        cairo_line_to(c, 94, 66);
        cairo_close_path(c);
    };
    PaintShape(cr, body, ShapeStyle{rock, 0.25, 0.3, 4, 1.5, Hazed(palette::Outline, 0.55)});
    cairo_save(cr);
    cairo_new_path(cr);
    body(cr);
    cairo_clip(cr);
    // The face turned from the light, right of the ridge that runs down from the summit.
    SetColour(cr, Darker(rock, 0.16));
    cairo_move_to(cr, 52, 4);
    cairo_curve_to(cr, 50, 22, 54, 40, 48, 66);
    cairo_line_to(cr, 100, 66);
    cairo_line_to(cr, 100, 0);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Snow on the top and down the gullies.
    SetColour(cr, snow);
    cairo_move_to(cr, 24, 30);
    cairo_line_to(cr, 30, 20);
    cairo_line_to(cr, 40, 26);
    cairo_line_to(cr, 52, 4);
    cairo_line_to(cr, 66, 24);
    cairo_line_to(cr, 72, 32);
    cairo_line_to(cr, 62, 29);
    cairo_line_to(cr, 58, 40);
    cairo_line_to(cr, 52, 31);
    cairo_line_to(cr, 44, 36);
    cairo_line_to(cr, 40, 30);
    cairo_line_to(cr, 33, 38);
    cairo_close_path(cr);
    cairo_fill(cr);
    SetColour(cr, Hex(0xd8e4f0));
    cairo_move_to(cr, 52, 6);
    cairo_curve_to(cr, 51, 18, 56, 26, 62, 29);
    cairo_line_to(cr, 66, 24);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Drifts at the foot, where the snow of the shoulders begins.
    SetColour(cr, snow);
    cairo_move_to(cr, -4, 66);
    cairo_line_to(cr, -4, 55);
    for (int i = 0; i <= 10; ++i) {
        double x = i * 10.0;
        cairo_curve_to(cr, x - 6, 50 + (i % 3), x - 2, 49 + (i % 2) * 3, x + 2, 54 - (i % 2) * 2);
    }
    cairo_line_to(cr, 100, 66);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace

void AddMeadowSceneryRecipes(std::vector<Recipe>& recipes) {
    recipes.push_back({"power box", [] {
                           std::vector<Picture> out;
                           out.push_back(Single(Level1("stromklappe"), 34, 42, [](cairo_t* cr) {
                               PaintShape(
                                   cr, [](cairo_t* c) { RoundedRectPath(c, 2, 2, 30, 38, 3); },
                                   ShapeStyle{Hazed(Hex(0x9aa4aa), kMidHaze), 0.3, 0.3, 3, 1.5});
                               PaintShape(
                                   cr,
                                   [](cairo_t* c) {
                                       cairo_move_to(c, 17, 8);
                                       cairo_line_to(c, 27, 26);
                                       cairo_line_to(c, 7, 26);
                                       cairo_close_path(c);
                                   },
                                   ShapeStyle{Hex(0xf0c830), 0.2, 0.2, 1, 1.5});
                               SetColour(cr, palette::Outline);
                               cairo_set_line_width(cr, 1.5);
                               cairo_move_to(cr, 18, 12);
                               cairo_line_to(cr, 15, 19);
                               cairo_line_to(cr, 19, 18);
                               cairo_line_to(cr, 16, 24);
                               cairo_stroke(cr);
                               EllipsePath(cr, 28, 33, 1.5, 1.5);
                               cairo_fill(cr);
                           }));
                           out.push_back(Single(Level1("stromschalter"), 18, 20, [](cairo_t* cr) {
                               PaintShape(
                                   cr, [](cairo_t* c) { cairo_rectangle(c, 2, 8, 14, 10); },
                                   ShapeStyle{Hex(0x3a3a40), 0.3, 0.2, 1, 1.5});
                               PaintShape(
                                   cr, [](cairo_t* c) { cairo_rectangle(c, 7, 1, 4, 10); },
                                   ShapeStyle{Hex(0xd83a2a), 0.3, 0.2, 1, 1.5});
                           }));
                           return out;
                       }});
    recipes.push_back({"bottles and pot", [] {
                           std::vector<Picture> out;
                           out.push_back(
                               DrawStrip(Level1("flasche"), 5, 24, 50, kSprite, PaintBottle));
                           out.push_back(Single(Level1("topf"), 38, 32, [](cairo_t* cr) {
                               PaintShape(
                                   cr,
                                   [](cairo_t* c) {
                                       cairo_move_to(c, 4, 6);
                                       cairo_line_to(c, 34, 6);
                                       cairo_line_to(c, 29, 30);
                                       cairo_line_to(c, 9, 30);
                                       cairo_close_path(c);
                                   },
                                   ShapeStyle{Hazed(Hex(0xc0643a), kMidHaze), 0.3, 0.3, 3, 1.5});
                               PaintShape(
                                   cr, [](cairo_t* c) { cairo_rectangle(c, 2, 3, 34, 6); },
                                   ShapeStyle{Hazed(Hex(0xd07848), kMidHaze), 0.3, 0.3, 2, 1.5});
                               PaintBush(cr, 19, 4, 22, 10, TreeStyle{kMidHaze, 1.5, 3});
                           }));
                           return out;
                       }});
    recipes.push_back(
        {"flowers", [] {
             std::vector<Picture> out;
             Rgb petal = Hazed(Hex(0xe86a9a), kMidHaze);
             out.push_back(Single(Level1("bluetenblaetter_all"), 58, 60,
                                  [petal](cairo_t* cr) { PaintPetals(cr, -1, petal); }));
             for (int i = 0; i < 16; ++i) {
                 out.push_back(Single(Level1("bluetenblatt" + std::to_string(i + 1)), 58, 60,
                                      [i, petal](cairo_t* cr) { PaintPetals(cr, i, petal); }));
             }
             const Rgb centres[] = {Hex(0xf0c830), Hex(0xd83a2a), Hex(0x3a6ad8), Hex(0xf4f0e8)};
             out.push_back(DrawStrip(
                 Level1("bluetenmitte"), 4, 22, 22, kSprite, [&centres](cairo_t* cr, int f) {
                     PaintShape(
                         cr, [](cairo_t* c) { EllipsePath(c, 11, 11, 9, 9); },
                         ShapeStyle{centres[f], 0.3, 0.3, 2.5, 1.5});
                     SetColour(cr, Darker(centres[f], 0.35));
                     for (int i = 0; i < 6; ++i) {
                         EllipsePath(cr, 11 + std::cos(i) * 4, 11 + std::sin(i) * 4, 1, 1);
                         cairo_fill(cr);
                     }
                 }));
             struct Stem {
                 const char* name;
                 double topX, height;
             };
             const Stem stems[] = {
                 {"blumenstiel1", 34, 196}, {"blumenstiel2", 45, 164}, {"blumenstiel3", 43, 116}};
             for (const Stem& s : stems) {
                 out.push_back(
                     Single(Level1(s.name), 80, static_cast<int>(s.height) + 2,
                            [&s](cairo_t* cr) { PaintStalk(cr, s.topX, s.height, true); }));
                 out.push_back(
                     Single(Level1(std::string(s.name) + "b"), 80, static_cast<int>(s.height) + 2,
                            [&s](cairo_t* cr) { PaintStalk(cr, s.topX, s.height, false); }));
             }
             return out;
         }});
    recipes.push_back({"boulders and fence eye", [] {
                           std::vector<Picture> out;
                           out.push_back(DrawStrip(Level1("findling_small"), 4, 48, 40, kSprite,
                                                   [](cairo_t* cr, int f) {
                                                       cairo_save(cr);
                                                       if (f == 1) {
                                                           cairo_translate(cr, 24, 22);
                                                           cairo_rotate(cr, -0.3);
                                                           cairo_translate(cr, -24, -22);
                                                       }
                                                       PaintBoulder(cr, 24, 24, 20, 14, 2, 3);
                                                       if (f >= 2) {
                                                           SetColour(cr, palette::Outline);
                                                           cairo_set_line_width(cr, 1.5);
                                                           cairo_move_to(cr, 20, 12);
                                                           cairo_line_to(cr, 24, 22);
                                                           cairo_line_to(cr, 19, 30);
                                                           if (f == 3) {
                                                               cairo_move_to(cr, 30, 14);
                                                               cairo_line_to(cr, 32, 26);
                                                           }
                                                           cairo_stroke(cr);
                                                       }
                                                       cairo_restore(cr);
                                                   }));
                           out.push_back(Single(Level1("findling_big1"), 130, 100, [](cairo_t* cr) {
                               PaintBoulder(cr, 65, 58, 60, 44, 3, 8);
                           }));
                           out.push_back(DrawStrip(
                               Level1("zaunauge"), 2, 24, 16, kSprite, [](cairo_t* cr, int f) {
                                   if (f == 1)
                                       return;  // only the knothole of the fence: nothing to shoot
                                   PaintShape(
                                       cr, [](cairo_t* c) { EllipsePath(c, 12, 8, 10, 6); },
                                       ShapeStyle{Hex(0x2a1a10), 0, 0, 0, 1.5});
                                   PaintShape(
                                       cr, [](cairo_t* c) { EllipsePath(c, 12, 8, 6, 4.5); },
                                       ShapeStyle{palette::White, 0.0, 0.15, 1, 1});
                                   SetColour(cr, Hex(0x3a6a2a));
                                   EllipsePath(cr, 10, 8, 2.6, 2.6);
                                   cairo_fill(cr);
                                   SetColour(cr, Hex(0x101010));
                                   EllipsePath(cr, 10, 8, 1.2, 1.2);
                                   cairo_fill(cr);
                               }));
                           return out;
                       }});
    recipes.push_back(
        {"scarecrow", [] {
             std::vector<Picture> out;
             out.push_back(
                 DrawStrip(Level1("vogelscheuche_anim"), 17, 200, 280, kSprite, PaintScarecrow));
             out.push_back(DrawStrip(Level1("vogelscheuche_arm1"), 2, 70, 24, kSprite,
                                     [](cairo_t* cr, int f) { PaintArm(cr, f, false); }));
             out.push_back(DrawStrip(Level1("vogelscheuche_arm2"), 2, 70, 24, kSprite,
                                     [](cairo_t* cr, int f) { PaintArm(cr, f, true); }));
             out.push_back(
                 DrawStrip(Level1("vogelscheuche_hut"), 2, 44, 30, kSprite, [](cairo_t* cr, int f) {
                     cairo_save(cr);
                     if (f == 0) {
                         cairo_translate(cr, 22, 20);
                         cairo_rotate(cr, -0.25);
                         cairo_translate(cr, -22, -20);
                     }
                     PaintShape(
                         cr, [](cairo_t* c) { EllipsePath(c, 22, 22, 20, 5); },
                         ShapeStyle{Hex(0xc8a050), 0.25, 0.3, 2, 2});
                     PaintShape(
                         cr,
                         [](cairo_t* c) {
                             cairo_move_to(c, 10, 22);
                             cairo_curve_to(c, 10, 4, 34, 4, 34, 22);
                             cairo_close_path(c);
                         },
                         ShapeStyle{Hex(0xd8b060), 0.25, 0.3, 3, 2});
                     SetColour(cr, Hex(0xb83a2a));
                     cairo_rectangle(cr, 11, 16, 22, 4);
                     cairo_fill(cr);
                     cairo_restore(cr);
                 }));
             return out;
         }});
    recipes.push_back({"far meadow targets", [] {
                           std::vector<Picture> out;
                           out.push_back(DrawStrip(
                               Level1("Stromstoss"), 3, 90, 64, kSprite, [](cairo_t* cr, int f) {
                                   if (f == 2) return;  // between flashes
                                   Random random(static_cast<uint32_t>(f + 1));
                                   SetColour(cr, Hex(0xfff070));
                                   cairo_set_line_width(cr, 2.5);
                                   cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
                                   for (int bolt = 0; bolt < 3; ++bolt) {
                                       double x = 8 + bolt * 30 + random.Uniform(0, 10);
                                       cairo_move_to(cr, x, 54);
                                       for (int i = 0; i < 5; ++i)
                                           cairo_line_to(cr, x + random.Uniform(-8, 8),
                                                         50 - i * 10);
                                   }
                                   cairo_stroke_preserve(cr);
                                   SetColour(cr, palette::White);
                                   cairo_set_line_width(cr, 1);
                                   cairo_stroke(cr);
                                   SetColour(cr, Hex(0xfff8b0));
                                   for (int i = 0; i < 6; ++i) {
                                       EllipsePath(cr, random.Uniform(4, 86),
                                                   56 + random.Uniform(-3, 3), 2.5, 2.5);
                                       cairo_fill(cr);
                                   }
                               }));
                           out.push_back(DrawStrip(Level1("silo"), 3, 32, 128, kSprite, PaintSilo));
                           out.push_back(Single(Level1("berggipfel"), 92, 60, PaintMountainPeak));
                           return out;
                       }});
}

}  // namespace assetgen
