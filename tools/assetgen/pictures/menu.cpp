// The main menu: the lodge wall background (1200 wide, the right part slides into view with the
// windows), the game logo, the wooden buttons, the high-score and credits windows and the five
// hunting trophies.
#include <cmath>
#include <functional>

#include "pictures/animals.h"
#include "pictures/nature.h"
#include "pictures/paint.h"
#include "pictures/recipes.h"
#include "pictures/scene_layout.h"

namespace assetgen {

namespace {

using namespace layout;

constexpr int kButtonWidth = 305, kButtonHeight = 65;
constexpr int kWindowWidth = 404, kWindowHeight = 584;
const Rgb kLog = Hex(0x8a5a34);
const Rgb kPaper = Hex(0xf2e6c8);
const Rgb kInk = Hex(0x3a2210);

// A view of the woods, used in the lodge window.
void PaintWoodsView(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    FillVerticalGradient(cr, y, y + h * 0.6, {{0, Hex(0x86bfe8)}, {1, palette::SkyLow}});
    PaintCloud(cr, x + w * 0.3, y + h * 0.2, w * 0.35, 3);
    PaintGradientShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, x, y + h);
            for (double t = 0; t <= 1.0001; t += 0.02) {
                cairo_line_to(c, x + t * w, y + h * (0.5 - 0.08 * std::sin(t * 5 + 1)));
            }
            cairo_line_to(c, x + w, y + h);
            cairo_close_path(c);
        },
        y + h * 0.4, Hazed(palette::FreshGreen, 0.4), y + h, Hazed(palette::LeafGreen, 0.3), 1.5);
    Random random(5);
    for (int i = 0; i < 9; ++i) {
        double tx = x + (i + 0.5) * w / 9 + random.Uniform(-8, 8);
        double th = random.Uniform(0.3, 0.45) * h;
        PaintFirTree(cr, tx, y + h * random.Uniform(0.62, 0.75), th, th * 0.45,
                     TreeStyle{0.35, 1.5, random.Next()});
    }
    PaintGradientShape(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x, y + h * 0.78, w, h * 0.22); }, y + h * 0.78,
        Hex(0x6a9e48), y + h, Hex(0x4a8434), 0);
    PaintLeafTree(cr, x + w * 0.82, y + h * 0.95, h * 0.7, w * 0.35, TreeStyle{0, 2, 9});
    PaintBush(cr, x + w * 0.2, y + h, w * 0.3, h * 0.15, TreeStyle{0, 2, 4});
    cairo_restore(cr);
}

Picture DrawBackground() {
    Canvas canvas(1200, 600);
    cairo_t* cr = canvas.cr();
    // Log wall.
    for (int i = 0; i < 10; ++i) {
        double top = i * 62 - 6;
        PaintShape(
            cr, [&](cairo_t* c) { RoundedRectPath(c, -20, top, 1240, 62, 28); },
            ShapeStyle{i % 2 ? kLog : Darker(kLog, 0.06), 0.18, 0.35, 10, 3});
        Random random(static_cast<uint32_t>(20 + i));
        SetColour(cr, Darker(kLog, 0.22));
        cairo_set_line_width(cr, 2);
        for (int k = 0; k < 14; ++k) {
            double x = random.Uniform(0, 1200);
            cairo_move_to(cr, x, top + 24 + random.Uniform(-8, 8));
            cairo_line_to(cr, x + random.Uniform(30, 90), top + 26 + random.Uniform(-8, 8));
        }
        cairo_stroke(cr);
    }
    // The window on the woods, lower left.
    PaintShape(
        cr, [](cairo_t* c) { cairo_rectangle(c, 52, 262, 336, 276); },
        ShapeStyle{Hex(0x6a4020), 0.2, 0.35, 6, 3});
    PaintWoodsView(cr, 68, 278, 304, 244);
    SetColour(cr, Hex(0x6a4020));
    cairo_rectangle(cr, 216, 278, 8, 244);
    cairo_rectangle(cr, 68, 396, 304, 8);
    cairo_fill(cr);
    PaintShape(
        cr, [](cairo_t* c) { cairo_rectangle(c, 40, 532, 360, 16); },
        ShapeStyle{Hex(0x7a4e2c), 0.2, 0.3, 4, 3});
    // The dark board behind the buttons (and behind the back button once slid over).
    for (double left : {430.0}) {
        PaintShape(
            cr, [&](cairo_t* c) { RoundedRectPath(c, left, 172, 345, 412, 14); },
            ShapeStyle{Hex(0x4a2e1a), 0.12, 0.3, 6, 3});
    }
    // A round wooden plaque with crossed arrows on the part of the wall the slide reveals.
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, 560, 82, 66, 58); },
        ShapeStyle{Hex(0x6a3e1e), 0.2, 0.35, 6, 3});
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, 560, 82, 54, 46); },
        ShapeStyle{Hex(0xd8b880), 0.15, 0.25, 4, 2});
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, 560, 82);
        cairo_rotate(cr, side * 0.7);
        PaintShape(
            cr, [](cairo_t* c) { cairo_rectangle(c, -44, -2, 88, 4); },
            ShapeStyle{Hex(0x8a5a32), 0.2, 0.2, 1, 1.5});
        PaintShape(
            cr,
            [](cairo_t* c) {
                cairo_move_to(c, 44, -7);
                cairo_line_to(c, 56, 0);
                cairo_line_to(c, 44, 7);
                cairo_close_path(c);
            },
            ShapeStyle{Hex(0x8a949c), 0.3, 0.2, 1, 1.5});
        cairo_restore(cr);
    }
    DrawText(cr, "Waidmannsheil", 560, 132,
             TextStyle{Font::SerifBold, 15, palette::Cream, 2, Hex(0x2a1a0c), 0.5});
    // The same panel on the right side for the windows: a lighter plank frame.
    PaintShape(
        cr, [](cairo_t* c) { RoundedRectPath(c, 780, 0, 420, 600, 0); },
        ShapeStyle{Darker(kLog, 0.1), 0.0, 0.0, 0, 0});
    for (int i = 0; i < 10; ++i) {
        PaintShape(
            cr, [&](cairo_t* c) { cairo_rectangle(c, 780 + i * 42, -4, 42, 608); },
            ShapeStyle{i % 2 ? Hex(0x7a4c2a) : Hex(0x845430), 0.15, 0.3, 6, 2});
    }
    return Finish(canvas, "grafik/menue/menue.bmp", FinishOptions{Key::None});
}

Picture DrawLogo() {
    Canvas canvas(340, 140);
    cairo_t* cr = canvas.cr();
    PaintShape(
        cr, [](cairo_t* c) { RoundedRectPath(c, 4, 10, 332, 124, 24); },
        ShapeStyle{Hex(0x2f5d2a), 0.2, 0.35, 8, 3});
    PaintShape(
        cr, [](cairo_t* c) { RoundedRectPath(c, 12, 18, 316, 108, 18); },
        ShapeStyle{Hex(0x3f7a34), 0.15, 0.25, 5, 2, Hex(0xd8b048)});
    // Fir sprigs in the corners.
    for (int side = -1; side <= 1; side += 2) {
        double cx = 170 + side * 140;
        PaintFirTree(cr, cx, 122, 56, 30, TreeStyle{0, 2, 3});
    }
    DrawText(cr, "Tannenquirl", 170, 70,
             TextStyle{Font::SerifBold, 44, Hex(0xf4d870), 3, Hex(0x2a1a0c), 0.5});
    DrawText(cr, "RAUZE", 170, 112,
             TextStyle{Font::SerifBold, 34, palette::Cream, 3, Hex(0x2a1a0c), 0.5});
    // A small crosshair over the o of Rauze's line.
    SetColour(cr, Hex(0xc83a2a));
    cairo_set_line_width(cr, 2.5);
    cairo_arc(cr, 286, 98, 10, 0, 2 * M_PI);
    cairo_move_to(cr, 272, 98);
    cairo_line_to(cr, 300, 98);
    cairo_move_to(cr, 286, 84);
    cairo_line_to(cr, 286, 112);
    cairo_stroke(cr);
    FinishOptions options{Key::Panel};
    options.edge = Hex(0x2a1a0c);
    return Finish(canvas, "grafik/menue/gamelogo.bmp", options);
}

// One button frame: a wooden plank with the label; `lit` is the frame under the cursor.
void PaintButton(cairo_t* cr, const std::string& label, bool lit) {
    Rgb wood = lit ? Hex(0xb8844c) : Hex(0x94643a);
    PaintShape(
        cr, [](cairo_t* c) { RoundedRectPath(c, 3, 3, kButtonWidth - 6, kButtonHeight - 6, 14); },
        ShapeStyle{wood, 0.2, 0.35, 6, 3, lit ? Hex(0xf4d060) : palette::Outline});
    SetColour(cr, Darker(wood, 0.18));
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, 20, 22);
    cairo_line_to(cr, kButtonWidth - 20, 20);
    cairo_move_to(cr, 24, 46);
    cairo_line_to(cr, kButtonWidth - 24, 47);
    cairo_stroke(cr);
    SetColour(cr, Hex(0x4a4a4a));
    for (double x : {16.0, kButtonWidth - 16.0}) {
        EllipsePath(cr, x, kButtonHeight / 2.0, 3, 3);
        cairo_fill(cr);
    }
    DrawText(cr, label, kButtonWidth / 2.0, 43,
             TextStyle{Font::SerifBold, 26, lit ? Hex(0xfff0b0) : palette::Cream, 2.5,
                       Hex(0x2a1a0c), 0.5});
}

Picture DrawButton(const std::string& path,
                   const std::vector<std::pair<std::string, bool>>& frames) {
    FinishOptions options{Key::Panel};
    return DrawStrip(path, static_cast<int>(frames.size()), kButtonWidth, kButtonHeight, options,
                     [&](cairo_t* cr, int f) {
                         const auto& [label, lit] = frames[static_cast<size_t>(f)];
                         PaintButton(cr, label, lit);
                     });
}

void PaintWindowFrame(cairo_t* cr, const std::string& title) {
    PaintShape(
        cr, [](cairo_t* c) { RoundedRectPath(c, 3, 3, kWindowWidth - 6, kWindowHeight - 6, 18); },
        ShapeStyle{Hex(0x6a4020), 0.2, 0.35, 8, 3});
    PaintShape(
        cr,
        [](cairo_t* c) { RoundedRectPath(c, 18, 18, kWindowWidth - 36, kWindowHeight - 36, 10); },
        ShapeStyle{kPaper, 0.0, 0.12, 5, 2});
    // Title plate.
    PaintShape(
        cr, [](cairo_t* c) { RoundedRectPath(c, 62, 30, kWindowWidth - 124, 56, 12); },
        ShapeStyle{Hex(0x3f7a34), 0.2, 0.3, 5, 2.5});
    DrawText(cr, title, kWindowWidth / 2.0, 68,
             TextStyle{Font::SerifBold, 28, Hex(0xf4d870), 2.5, Hex(0x2a1a0c), 0.5});
    // Fir sprigs at the foot of the paper.
    for (int i = 0; i < 5; ++i) {
        PaintFirTree(cr, 60 + i * 71, kWindowHeight - 26, 34 + (i % 2) * 8, 20,
                     TreeStyle{0.1, 1.5, static_cast<uint32_t>(i)});
    }
}

Picture DrawHighScoreWindow() {
    Canvas canvas(kWindowWidth, kWindowHeight);
    cairo_t* cr = canvas.cr();
    PaintWindowFrame(cr, "Bestenliste");
    // Faint ruled lines for the table the game writes (rows from y 172 in window pixels, every
    // 16): light enough for the dark menu font to stay legible.
    SetColour(cr, Hex(0xe2d2ae));
    cairo_set_line_width(cr, 1);
    for (int row = 0; row <= 20; ++row) {
        double y = 172 + row * 16 - 0.5;
        cairo_move_to(cr, 46, y);
        cairo_line_to(cr, kWindowWidth - 30, y);
    }
    cairo_stroke(cr);
    FinishOptions options{Key::Panel};
    options.edge = Hex(0x6a4020);
    return Finish(canvas, "grafik/menue/menu_window_highscores.bmp", options);
}

Picture DrawCreditsWindow() {
    Canvas canvas(kWindowWidth, kWindowHeight);
    cairo_t* cr = canvas.cr();
    PaintWindowFrame(cr, "Credits");
    struct Line {
        const char* text;
        Font font;
        double size;
    };
    const Line lines[] = {{"Tannenquirl Rauze", Font::SerifBold, 24},
                          {"Linux- und Browser-Ausgabe", Font::Sans, 16},
                          {"", Font::Sans, 10},
                          {"Programmierung", Font::SansBold, 17},
                          {"Das Tannenquirl-Team", Font::Sans, 16},
                          {"", Font::Sans, 6},
                          {"Grafik", Font::SansBold, 17},
                          {"Das Tannenquirl-Team", Font::Sans, 16},
                          {"", Font::Sans, 6},
                          {"Klang und Musik", Font::SansBold, 17},
                          {"Das Tannenquirl-Team", Font::Sans, 16},
                          {"", Font::Sans, 10},
                          {"Gezeichnet mit cairo,", Font::Sans, 14},
                          {"Schrift: DejaVu", Font::Sans, 14},
                          {"", Font::Sans, 10},
                          {"Waidmannsheil!", Font::SerifBold, 20}};
    double y = 130;
    for (const Line& line : lines) {
        y += line.size * 1.45;
        if (*line.text) {
            DrawText(cr, line.text, kWindowWidth / 2.0, y,
                     TextStyle{line.font, line.size, kInk, 0, {}, 0.5});
        }
    }
    FinishOptions options{Key::Panel};
    options.edge = Hex(0x6a4020);
    return Finish(canvas, "grafik/menue/menu_window_impressum.bmp", options);
}

// A hunting trophy: an animal on a carved shield; frame 0 dark, frame 1 lit.
Picture DrawTrophy(const std::string& path, int width, int height,
                   const std::function<void(cairo_t*, double, double, double, double)>& animal) {
    return DrawStrip(
        path, 2, width, height, FinishOptions{Key::Sprite}, [&](cairo_t* cr, int frame) {
            cairo_push_group(cr);
            double w = width, h = height;
            PaintShape(
                cr,
                [&](cairo_t* c) {
                    cairo_move_to(c, w * 0.12, h * 0.3);
                    cairo_curve_to(c, w * 0.12, h * 0.05, w * 0.88, h * 0.05, w * 0.88, h * 0.3);
                    cairo_curve_to(c, w * 0.88, h * 0.65, w * 0.6, h * 0.85, w * 0.5, h * 0.97);
                    cairo_curve_to(c, w * 0.4, h * 0.85, w * 0.12, h * 0.65, w * 0.12, h * 0.3);
                    cairo_close_path(c);
                },
                ShapeStyle{Hex(0x6a3e1e), 0.2, 0.35, 5, 2.5,
                           frame ? Hex(0xf0c040) : palette::Outline});
            animal(cr, 3, h * 0.08, w - 6, h * 0.72);
            cairo_pattern_t* group = cairo_pop_group(cr);
            cairo_set_source(cr, group);
            cairo_paint(cr);
            if (frame == 0) {
                cairo_set_source_rgba(cr, 0.05, 0.04, 0.03, 0.45);
                cairo_mask(cr, group);
            } else {
                cairo_set_source_rgba(cr, 1, 0.9, 0.5, 0.12);
                cairo_mask(cr, group);
            }
            cairo_pattern_destroy(group);
        });
}

void PaintDeerHead(cairo_t* cr, double x, double y, double w, double h) {
    double cx = x + w / 2, s = std::min(w, h) / 100;
    cairo_save(cr);
    cairo_translate(cr, cx, y);
    cairo_scale(cr, s, s);
    ShapeStyle antler{Hex(0xe0cca0), 0.15, 0.3, 3, 2.5 / s};
    for (int side = -1; side <= 1; side += 2) {
        PaintShape(
            cr,
            [side](cairo_t* c) {
                cairo_move_to(c, side * 10, 40);
                cairo_curve_to(c, side * 30, 30, side * 40, 10, side * 34, -4);
                cairo_line_to(c, side * 40, -6);
                cairo_curve_to(c, side * 46, 12, side * 40, 28, side * 50, 20);
                cairo_line_to(c, side * 54, 24);
                cairo_curve_to(c, side * 40, 40, side * 30, 44, side * 14, 50);
                cairo_close_path(c);
            },
            antler);
    }
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, -18, 44);
            cairo_curve_to(c, -22, 60, -12, 90, 0, 100);
            cairo_curve_to(c, 12, 90, 22, 60, 18, 44);
            cairo_curve_to(c, 10, 38, -10, 38, -18, 44);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0xa87440), 0.25, 0.3, 6, 2.5 / s});
    for (int side = -1; side <= 1; side += 2) {
        PaintShape(
            cr, [side](cairo_t* c) { EllipsePath(c, side * 26, 50, 12, 5); },
            ShapeStyle{Hex(0x9a6838), 0.2, 0.2, 2, 2 / s});
        SetColour(cr, Hex(0x1a1010));
        EllipsePath(cr, side * 9, 62, 3, 3);
        cairo_fill(cr);
    }
    SetColour(cr, Hex(0x2a1a14));
    EllipsePath(cr, 0, 96, 6, 4);
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace

void AddMenuRecipes(std::vector<Recipe>& recipes) {
    recipes.push_back({"menu background", [] { return std::vector<Picture>{DrawBackground()}; }});
    recipes.push_back(
        {"menu pieces", [] {
             std::vector<Picture> out;
             out.push_back(DrawLogo());
             out.push_back(DrawButton("grafik/menue/bttn_gamestart.bmp",
                                      {{"Spiel starten", false}, {"Spiel starten", true}}));
             out.push_back(DrawButton("grafik/menue/bttn_highscores.bmp",
                                      {{"Highscores", false}, {"Highscores", true}}));
             out.push_back(DrawButton("grafik/menue/bttn_credits.bmp",
                                      {{"Credits", false}, {"Credits", true}}));
             out.push_back(DrawButton("grafik/menue/bttn_back.bmp",
                                      {{"Zur\u00fcck", false}, {"Zur\u00fcck", true}}));
             out.push_back(
                 DrawButton("grafik/menue/bttn_exit.bmp", {{"Beenden", false}, {"Beenden", true}}));
             out.push_back(DrawButton("grafik/menue/bttn_sound.bmp", {{"Musik: an", false},
                                                                      {"Musik: an", true},
                                                                      {"Musik: aus", false},
                                                                      {"Musik: aus", true}}));
             out.push_back(DrawCreditsWindow());
             out.push_back(DrawHighScoreWindow());
             return out;
         }});
    recipes.push_back(
        {"trophies", [] {
             std::vector<Picture> out;
             out.push_back(DrawTrophy("grafik/menue/trophy_hirsch.bmp", 86, 126, PaintDeerHead));
             out.push_back(DrawTrophy("grafik/menue/trophy_hase.bmp", 80, 110,
                                      [](cairo_t* cr, double x, double y, double w, double h) {
                                          PaintAnimalIcon(cr, PaintHare, 1, HareFrameWidth,
                                                          HareHeight, x, y, w, h);
                                      }));
             out.push_back(DrawTrophy("grafik/menue/trophy_schwein.bmp", 100, 100,
                                      [](cairo_t* cr, double x, double y, double w, double h) {
                                          PaintAnimalIcon(cr, PaintBoar, 23, BoarFrameWidth,
                                                          BoarHeight, x, y, w, h);
                                      }));
             out.push_back(DrawTrophy("grafik/menue/trophy_specht.bmp", 78, 106,
                                      [](cairo_t* cr, double x, double y, double w, double h) {
                                          PaintAnimalIcon(cr, PaintWoodpecker, 0, WoodpeckerWidth,
                                                          WoodpeckerHeight, x, y, w, h);
                                      }));
             out.push_back(DrawTrophy("grafik/menue/trophy_ente.bmp", 80, 96,
                                      [](cairo_t* cr, double x, double y, double w, double h) {
                                          PaintAnimalIcon(cr, PaintDuck, 2, DuckFrameWidth,
                                                          DuckHeight, x, y, w, h);
                                      }));
             return out;
         }});
}

}  // namespace assetgen
