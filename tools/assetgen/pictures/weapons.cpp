// The weapon held at the bottom of the screen, seen from behind the shooter: the muzzle points
// up into the scene near the crosshair, the rest runs down to the right out of the picture. The
// game shows only the top 50 to 110 rows, so the telling parts sit at the top.
#include <cmath>

#include "pictures/paint.h"
#include "pictures/recipes.h"

namespace assetgen {

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 150;
// The game puts the picture's left edge 32 + width / 4 pixels left of the cursor.
constexpr double kMuzzleX = kWidth / 4.0 + 32;

const Rgb kSteel = Hex(0x56606c);
const Rgb kWood = Hex(0x9a5e30);

// Moves into the gun's own frame: x across the gun, y from the muzzle (0) down towards the
// shooter. The gun leans so that it runs down to the lower right.
void GunFrame(cairo_t* cr) {
    cairo_translate(cr, kMuzzleX, 6);
    cairo_rotate(cr, -0.5);
}

// A segment of the gun between along-positions y0 and y1 whose width grows towards the
// shooter, for a touch of perspective.
void TaperPath(cairo_t* c, double y0, double y1, double w0, double w1, double dx = 0) {
    cairo_move_to(c, dx - w0 / 2, y0);
    cairo_line_to(c, dx + w0 / 2, y0);
    cairo_line_to(c, dx + w1 / 2, y1);
    cairo_line_to(c, dx - w1 / 2, y1);
    cairo_close_path(c);
}

// The shooter's gloved hand around the gun: four fingers wrapped across it from the left, the
// thumb lying along its right side.
void PaintHand(cairo_t* cr, double y, double width) {
    Rgb glove = Hex(0x6a4a30);
    for (int i = 0; i < 4; ++i) {
        double fy = y - 12 + i * 8.5;
        PaintShape(
            cr, [&](cairo_t* c) { RoundedRectPath(c, -width * 0.62, fy, width * 0.95, 9, 4.5); },
            ShapeStyle{i % 2 ? glove : Lighter(glove, 0.06), 0.25, 0.3, 2.5, 2.5});
    }
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, width * 0.3, y + 26);
            cairo_curve_to(c, width * 0.55, y + 10, width * 0.62, y - 6, width * 0.5, y - 16);
            cairo_curve_to(c, width * 0.42, y - 20, width * 0.3, y - 12, width * 0.32, y - 4);
            cairo_curve_to(c, width * 0.34, y + 6, width * 0.2, y + 16, width * 0.1, y + 24);
            cairo_close_path(c);
        },
        ShapeStyle{Darker(glove, 0.05), 0.25, 0.3, 3, 2.5});
    // The cuff runs off towards the shooter.
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, -width * 0.66, y + 22);
            cairo_line_to(c, width * 0.4, y + 22);
            cairo_line_to(c, width * 0.9, y + 90);
            cairo_line_to(c, -width * 0.3, y + 90);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x3f6a3a), 0.2, 0.3, 5, 2.5});
}

void PaintShotgun(cairo_t* cr) {
    cairo_save(cr);
    GunFrame(cr);
    // Stock and receiver first, then the two barrels with the fore-end and the holding hand.
    PaintShape(
        cr, [](cairo_t* c) { TaperPath(c, 120, 230, 34, 58); },
        ShapeStyle{kWood, 0.25, 0.3, 6, 2.5});
    PaintShape(
        cr, [](cairo_t* c) { TaperPath(c, 96, 128, 30, 34); },
        ShapeStyle{Hex(0x7a8490), 0.3, 0.3, 4, 2.5});
    for (int side = -1; side <= 1; side += 2) {
        PaintShape(
            cr, [side](cairo_t* c) { TaperPath(c, 0, 100, 11, 15, side * 6.5); },
            ShapeStyle{kSteel, 0.35, 0.3, 3, 2.5});
        PaintShape(
            cr, [side](cairo_t* c) { EllipsePath(c, side * 6.5, 1, 5, 2.5); },
            ShapeStyle{Hex(0x18181c), 0, 0, 0, 1.5});
    }
    SetColour(cr, Hex(0xc8d0d8));
    EllipsePath(cr, 0, 3, 1.6, 1.6);  // bead sight
    cairo_fill(cr);
    PaintShape(
        cr, [](cairo_t* c) { TaperPath(c, 40, 88, 30, 34); }, ShapeStyle{kWood, 0.25, 0.3, 4, 2.5});
    SetColour(cr, Darker(kWood, 0.3));
    cairo_set_line_width(cr, 1.5);
    for (int i = 0; i < 5; ++i) {
        cairo_move_to(cr, -12, 48 + i * 8);
        cairo_line_to(cr, 12, 48 + i * 8);
    }
    cairo_stroke(cr);
    PaintHand(cr, 70, 34);
    cairo_restore(cr);
}

void PaintCrossbow(cairo_t* cr) {
    cairo_save(cr);
    GunFrame(cr);
    PaintShape(
        cr, [](cairo_t* c) { TaperPath(c, 10, 230, 22, 44); },
        ShapeStyle{kWood, 0.25, 0.3, 5, 2.5});
    // The bow across the front with its string drawn back.
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, -95, 40);
            cairo_curve_to(c, -60, 14, -20, 12, 0, 14);
            cairo_curve_to(c, 20, 12, 60, 14, 95, 40);
            cairo_line_to(c, 92, 46);
            cairo_curve_to(c, 60, 24, 20, 22, 0, 24);
            cairo_curve_to(c, -20, 22, -60, 24, -92, 46);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x6a4426), 0.25, 0.3, 4, 2.5});
    SetColour(cr, Hex(0xe8dcb8));
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, -93, 43);
    cairo_line_to(cr, 0, 96);
    cairo_line_to(cr, 93, 43);
    cairo_stroke(cr);
    // The bolt lying in its groove.
    PaintShape(
        cr, [](cairo_t* c) { TaperPath(c, 6, 96, 5, 7); },
        ShapeStyle{Hex(0xc09060), 0.3, 0.2, 2, 2});
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 0, -6);
            cairo_line_to(c, 6, 8);
            cairo_line_to(c, -6, 8);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x9aa4ac), 0.35, 0.2, 2, 2});
    PaintShape(
        cr, [](cairo_t* c) { TaperPath(c, 84, 100, 14, 16); },
        ShapeStyle{Hex(0xc8402a), 0.3, 0.2, 2, 2});
    PaintHand(cr, 130, 44);
    cairo_restore(cr);
}

void PaintMachineGun(cairo_t* cr) {
    cairo_save(cr);
    GunFrame(cr);
    PaintShape(
        cr, [](cairo_t* c) { TaperPath(c, 130, 230, 40, 60); },
        ShapeStyle{kWood, 0.25, 0.3, 6, 2.5});
    PaintShape(
        cr, [](cairo_t* c) { TaperPath(c, 0, 40, 10, 12); }, ShapeStyle{kSteel, 0.35, 0.3, 3, 2.5});
    PaintShape(
        cr, [](cairo_t* c) { TaperPath(c, 26, 120, 26, 34); },
        ShapeStyle{Hex(0x4a525c), 0.3, 0.3, 4, 2.5});
    SetColour(cr, Hex(0x1c2024));
    for (int row = 0; row < 5; ++row) {
        for (int col = -1; col <= 1; ++col) {
            EllipsePath(cr, col * 8, 40 + row * 16, 2.5, 3.5);
            cairo_fill(cr);
        }
    }
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, 0, 1, 4, 2); },
        ShapeStyle{Hex(0x18181c), 0, 0, 0, 1.5});
    PaintShape(
        cr, [](cairo_t* c) { TaperPath(c, 112, 150, 40, 44); },
        ShapeStyle{Hex(0x6a747e), 0.3, 0.3, 4, 2.5});
    // Drum magazine on the side.
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, -44, 132, 26, 22); },
        ShapeStyle{Hex(0x3a4048), 0.3, 0.3, 5, 2.5});
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, -44, 132, 8, 7); },
        ShapeStyle{Hex(0x7a848e), 0.3, 0.2, 2, 2});
    // Front sight.
    PaintShape(
        cr, [](cairo_t* c) { cairo_rectangle(c, -2, 20, 4, 10); },
        ShapeStyle{kSteel, 0.3, 0.2, 1, 2});
    PaintHand(cr, 100, 42);
    cairo_restore(cr);
}

void PaintDynamite(cairo_t* cr) {
    cairo_save(cr);
    GunFrame(cr);
    cairo_rotate(cr, 0.35);
    // A bundle of three sticks held ready to throw, the fuse burning at the top.
    for (int i = -1; i <= 1; ++i) {
        PaintShape(
            cr,
            [i](cairo_t* c) { RoundedRectPath(c, i * 17 - 9, 28 + std::abs(i) * 6, 18, 120, 6); },
            ShapeStyle{Hex(0xc83a2a), 0.3, 0.3, 5, 2.5});
    }
    PaintShape(
        cr, [](cairo_t* c) { cairo_rectangle(c, -28, 70, 56, 12); },
        ShapeStyle{Hex(0xe0d0a8), 0.2, 0.2, 2, 2});
    DrawText(cr, "TNT", 0, 60,
             TextStyle{Font::SansBold, 13, palette::Cream, 1.2, Hex(0x3a1a10), 0.5});
    SetColour(cr, Hex(0x3a3a3a));
    cairo_set_line_width(cr, 3.5);
    cairo_move_to(cr, 0, 30);
    cairo_curve_to(cr, 2, 18, 14, 20, 12, 6);
    cairo_stroke(cr);
    // Sparks.
    SetColour(cr, Hex(0xffb020));
    EllipsePath(cr, 12, 4, 7, 7);
    cairo_fill(cr);
    SetColour(cr, Hex(0xfff4c0));
    EllipsePath(cr, 12, 4, 3.5, 3.5);
    cairo_fill(cr);
    SetColour(cr, Hex(0xffd040));
    cairo_set_line_width(cr, 2);
    for (int i = 0; i < 8; ++i) {
        double a = i * M_PI / 4;
        cairo_move_to(cr, 12 + std::cos(a) * 8, 4 + std::sin(a) * 8);
        cairo_line_to(cr, 12 + std::cos(a) * 13, 4 + std::sin(a) * 13);
    }
    cairo_stroke(cr);
    PaintHand(cr, 112, 60);
    cairo_restore(cr);
}

Picture DrawWeapon(const char* path, void (*paint)(cairo_t*)) {
    Canvas canvas(kWidth, kHeight);
    paint(canvas.cr());
    return Finish(canvas, path, FinishOptions{Key::Panel});
}

}  // namespace

void AddWeaponRecipes(std::vector<Recipe>& recipes) {
    recipes.push_back({"weapons", [] {
                           return std::vector<Picture>{
                               DrawWeapon("grafik/waffen/schrotflinte.bmp", PaintShotgun),
                               DrawWeapon("grafik/waffen/armbrust.bmp", PaintCrossbow),
                               DrawWeapon("grafik/waffen/dynamit.bmp", PaintDynamite),
                               DrawWeapon("grafik/waffen/mg.bmp", PaintMachineGun)};
                       }});
}

}  // namespace assetgen
