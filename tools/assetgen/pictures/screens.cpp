// The two full screens: the title shown at start and the loading screen the running hare
// crosses (its feet on the path at y 370) while the level loads.
#include <cmath>

#include "pictures/animals.h"
#include "pictures/nature.h"
#include "pictures/paint.h"
#include "pictures/recipes.h"
#include "pictures/scene_layout.h"

namespace assetgen {

namespace {

using namespace layout;

void PaintLandscape(cairo_t* cr, uint32_t seed, double dusk) {
    FillVerticalGradient(cr, 0, 420,
                         {{0, Mix(Hex(0x86bfe8), Hex(0x5a6a9a), dusk)},
                          {0.6, Mix(palette::SkyHigh, Hex(0xe8a070), dusk)},
                          {1, Mix(palette::SkyLow, Hex(0xf4d0a0), dusk)}});
    Random random(seed);
    for (int i = 0; i < 4; ++i) {
        PaintCloud(cr, random.Uniform(60, 740), random.Uniform(50, 150), random.Uniform(120, 200),
                   random.Next());
    }
    PaintGradientShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 0, 600);
            for (double x = 0; x <= 800; x += 10) {
                cairo_line_to(
                    c, x,
                    250 - 50 * std::exp(-std::pow((x - 560) / 120, 2)) + 10 * std::sin(x / 60));
            }
            cairo_line_to(c, 800, 600);
            cairo_close_path(c);
        },
        200, Hazed(Hex(0x8a9ab8), 0.3), 330, Hazed(palette::FreshGreen, 0.5), 1.5);
    for (double x = 10; x < 800; x += random.Uniform(26, 40)) {
        double h = random.Uniform(60, 110);
        PaintFirTree(cr, x, 330 + random.Uniform(0, 20), h, h * 0.45,
                     TreeStyle{0.3, 1.5, random.Next()});
    }
    PaintGradientShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 0, 600);
            for (double x = 0; x <= 800; x += 10) cairo_line_to(c, x, 340 + 8 * std::sin(x / 90));
            cairo_line_to(c, 800, 600);
            cairo_close_path(c);
        },
        330, Hex(0x6a9e48), 600, Hex(0x2e5e24), 2);
}

Picture DrawStartScreen() {
    Canvas canvas(ScreenWidth, ScreenHeight);
    cairo_t* cr = canvas.cr();
    PaintLandscape(cr, 3, 0.0);
    PaintLeafTree(cr, 90, 560, 520, 300, TreeStyle{0, 3, 12});
    PaintLeafTree(cr, 730, 580, 480, 260, TreeStyle{0, 3, 13},
                  Mix(palette::LeafGreen, palette::Autumn, 0.3));
    // The animals of the game in the meadow.
    PaintAnimalIcon(cr, PaintBoar, 23, BoarFrameWidth, BoarHeight, 300, 390, 220, 160, 0);
    PaintAnimalIcon(cr, PaintHare, 5, HareFrameWidth, HareHeight, 180, 460, 110, 90, 0);
    PaintAnimalIcon(cr, PaintQuail, 0, QuailFrameWidth, QuailHeight, 540, 470, 90, 80, 0);
    PaintAnimalIcon(cr, PaintMole, 0, MoleFrameWidth, MoleHeight, 620, 520, 80, 50, 0);
    PaintAnimalIcon(cr, PaintDuck, 2, DuckFrameWidth, DuckHeight, 430, 214, 100, 70, 1.5);
    PaintAnimalIcon(cr, PaintDuck, 8, DuckFrameWidth, DuckHeight, 530, 250, 70, 50, 1.5);
    PaintShape(
        cr, [](cairo_t* c) { RoundedRectPath(c, 140, 40, 520, 150, 26); },
        ShapeStyle{Hex(0x2f5d2a), 0.2, 0.35, 8, 4});
    PaintShape(
        cr, [](cairo_t* c) { RoundedRectPath(c, 150, 50, 500, 130, 20); },
        ShapeStyle{Hex(0x3f7a34), 0.12, 0.25, 6, 2, Hex(0xd8b048)});
    DrawText(cr, "Tannenquirl Rauze", 400, 118,
             TextStyle{Font::SerifBold, 56, Hex(0xf4d870), 4, Hex(0x2a1a0c), 0.5});
    DrawText(cr, "Die Jagd im Tannenwald", 400, 160,
             TextStyle{Font::SerifBold, 24, palette::Cream, 2.5, Hex(0x2a1a0c), 0.5});
    DrawText(cr, "Linux- und Browser-Ausgabe", 790, 590,
             TextStyle{Font::SansBold, 14, palette::Cream, 2, Hex(0x1a1a10), 1});
    return Finish(canvas, "grafik/screens/startscreen.bmp", FinishOptions{Key::None});
}

// The loading screen, with `hint` on the line under its title.
Picture DrawLoadingScreen(const char* hint, const char* path) {
    Canvas canvas(ScreenWidth, ScreenHeight);
    cairo_t* cr = canvas.cr();
    PaintLandscape(cr, 7, 0.25);
    // The path the loading hare runs along.
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, -10, 362);
            cairo_curve_to(c, 200, 358, 600, 366, 810, 360);
            cairo_line_to(c, 810, 384);
            cairo_curve_to(c, 600, 388, 200, 380, -10, 386);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0xb08a5a), 0.15, 0.2, 3, 2});
    PaintGrassTufts(cr, 0, 800, 362, 10, Hex(0x4a7a34), 3, 0.3);
    PaintShape(
        cr, [](cairo_t* c) { RoundedRectPath(c, 200, 440, 400, 100, 20); },
        ShapeStyle{Hex(0x4a2e1a), 0.15, 0.3, 6, 3});
    DrawText(cr, "Das Revier wird vorbereitet \u2026", 400, 485,
             TextStyle{Font::SerifBold, 26, Hex(0xf4d870), 2.5, Hex(0x1a1008), 0.5});
    DrawText(cr, hint, 400, 518, TextStyle{Font::Sans, 15, palette::Cream, 0, {}, 0.5});
    DrawText(cr, "Bitte warten", 400, 90,
             TextStyle{Font::SerifBold, 40, palette::Cream, 3, Hex(0x2a1a0c), 0.5});
    return Finish(canvas, path, FinishOptions{Key::None});
}

}  // namespace

void AddScreenRecipes(std::vector<Recipe>& recipes) {
    recipes.push_back({"start screen", [] { return std::vector<Picture>{DrawStartScreen()}; }});
    recipes.push_back(
        {"loading screen", [] {
             return std::vector<Picture>{
                 DrawLoadingScreen("Zielen mit der Maus, Nachladen mit der rechten Taste",
                                   "grafik/screens/loadingscreen.bmp"),
                 // Shown while the whole hunting ground is switched on.
                 DrawLoadingScreen("Das ganze Revier: Wiese, Wald und Feld",
                                   "grafik/screens/loadingscreen_revier.bmp")};
         }});
}

}  // namespace assetgen
