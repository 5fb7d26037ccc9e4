#include "pictures/weapon_icons.h"

#include <cmath>

#include "pictures/paint.h"

namespace assetgen {

namespace {

const Rgb kSteel = Hex(0x5a6470);
const Rgb kWood = Hex(0x9a5e30);
const Rgb kBrass = Hex(0xd8b048);

Rgb Grey(Rgb c, bool greyed) {
    if (!greyed) return c;
    int v = (c.r * 3 + c.g * 6 + c.b) / 10;
    return Mix(Rgb{static_cast<uint8_t>(v), static_cast<uint8_t>(v), static_cast<uint8_t>(v)},
               Hex(0x9a9a9a), 0.5);
}

// Sets up a 64 x 32 design space inside the box.
void Fit(cairo_t* cr, double x, double y, double w, double h) {
    double scale = std::min(w / 64, h / 32);
    cairo_translate(cr, x + (w - 64 * scale) / 2, y + (h - 32 * scale) / 2);
    cairo_scale(cr, scale, scale);
}

}  // namespace

void PaintShotgunIcon(cairo_t* cr, double x, double y, double w, double h, bool greyed) {
    cairo_save(cr);
    Fit(cr, x, y, w, h);
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 36, 14);
            cairo_line_to(c, 62, 12);
            cairo_line_to(c, 62, 24);
            cairo_curve_to(c, 54, 22, 46, 20, 40, 22);
            cairo_close_path(c);
        },
        ShapeStyle{Grey(kWood, greyed), 0.25, 0.3, 2, 1.5});
    PaintShape(
        cr, [](cairo_t* c) { cairo_rectangle(c, 2, 11, 36, 5); },
        ShapeStyle{Grey(kSteel, greyed), 0.35, 0.2, 1.5, 1.5});
    PaintShape(
        cr, [](cairo_t* c) { cairo_rectangle(c, 12, 15, 16, 4); },
        ShapeStyle{Grey(kWood, greyed), 0.25, 0.2, 1, 1.5});
    PaintShape(
        cr, [](cairo_t* c) { cairo_rectangle(c, 30, 12, 9, 9); },
        ShapeStyle{Grey(Hex(0x7a848e), greyed), 0.3, 0.3, 1.5, 1.5});
    SetColour(cr, palette::Outline);
    cairo_set_line_width(cr, 1.2);
    cairo_arc(cr, 36, 22, 3, 0, M_PI);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void PaintCrossbowIcon(cairo_t* cr, double x, double y, double w, double h, bool greyed) {
    cairo_save(cr);
    Fit(cr, x, y, w, h);
    // Bow limbs, string, stock and a bolt.
    SetColour(cr, palette::Outline);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, 10, 3);
    cairo_line_to(cr, 24, 16);
    cairo_line_to(cr, 10, 29);
    cairo_stroke(cr);
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 6, 16);
            cairo_line_to(c, 58, 14);
            cairo_line_to(c, 62, 22);
            cairo_line_to(c, 50, 20);
            cairo_line_to(c, 6, 19);
            cairo_close_path(c);
        },
        ShapeStyle{Grey(kWood, greyed), 0.25, 0.3, 1.5, 1.5});
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 8, 2);
            cairo_curve_to(c, 12, 8, 12, 24, 8, 30);
            cairo_line_to(c, 11, 30);
            cairo_curve_to(c, 15, 24, 15, 8, 11, 2);
            cairo_close_path(c);
        },
        ShapeStyle{Grey(Hex(0x6a4a2a), greyed), 0.2, 0.2, 1, 1.5});
    SetColour(cr, Grey(Hex(0xb83a2a), greyed));
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, 2, 15);
    cairo_line_to(cr, 28, 15);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void PaintMachineGunIcon(cairo_t* cr, double x, double y, double w, double h, bool greyed) {
    cairo_save(cr);
    Fit(cr, x, y, w, h);
    PaintShape(
        cr, [](cairo_t* c) { cairo_rectangle(c, 2, 12, 26, 4); },
        ShapeStyle{Grey(kSteel, greyed), 0.3, 0.2, 1, 1.5});
    PaintShape(
        cr, [](cairo_t* c) { RoundedRectPath(c, 10, 9, 18, 10, 2); },
        ShapeStyle{Grey(Hex(0x4a5058), greyed), 0.3, 0.3, 1.5, 1.5});
    SetColour(cr, Grey(Hex(0x22262a), greyed));
    for (int i = 0; i < 4; ++i) {
        EllipsePath(cr, 13 + i * 4, 14, 1.2, 1.2);
        cairo_fill(cr);
    }
    PaintShape(
        cr, [](cairo_t* c) { cairo_rectangle(c, 28, 10, 16, 10); },
        ShapeStyle{Grey(kSteel, greyed), 0.3, 0.3, 1.5, 1.5});
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, 36, 24, 6, 6); },
        ShapeStyle{Grey(Hex(0x3a4048), greyed), 0.3, 0.3, 1.5, 1.5});
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 44, 11);
            cairo_line_to(c, 62, 12);
            cairo_line_to(c, 62, 22);
            cairo_line_to(c, 44, 18);
            cairo_close_path(c);
        },
        ShapeStyle{Grey(kWood, greyed), 0.25, 0.3, 1.5, 1.5});
    cairo_restore(cr);
}

void PaintDynamiteBanner(cairo_t* cr, double x, double y, double w, double h, bool) {
    cairo_save(cr);
    Fit(cr, x, y, w, h);
    for (int i = 0; i < 3; ++i) {
        PaintShape(
            cr, [i](cairo_t* c) { RoundedRectPath(c, 14 + i * 9, 8, 9, 22, 2); },
            ShapeStyle{Hex(0xc83a2a), 0.3, 0.3, 1.5, 1.5});
    }
    PaintShape(
        cr, [](cairo_t* c) { cairo_rectangle(c, 13, 16, 29, 5); },
        ShapeStyle{Hex(0xd8c8a0), 0.2, 0.2, 1, 1});
    SetColour(cr, Hex(0x3a3a3a));
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, 27, 8);
    cairo_curve_to(cr, 28, 2, 34, 4, 36, 1);
    cairo_stroke(cr);
    SetColour(cr, Hex(0xffd040));
    EllipsePath(cr, 37, 1.5, 2.5, 2.5);
    cairo_fill(cr);
    cairo_restore(cr);
}

void PaintShellIcon(cairo_t* cr, double x, double y, double w, double h) {
    PaintShape(
        cr, [&](cairo_t* c) { RoundedRectPath(c, x, y, w, h * 0.72, 3); },
        ShapeStyle{Hex(0xc0302a), 0.3, 0.3, 3, 1.5});
    PaintShape(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x - 1, y + h * 0.72, w + 2, h * 0.26); },
        ShapeStyle{kBrass, 0.35, 0.3, 3, 1.5});
    SetColour(cr, Darker(kBrass, 0.3));
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, x, y + h * 0.9);
    cairo_line_to(cr, x + w, y + h * 0.9);
    cairo_stroke(cr);
}

void PaintBoltIcon(cairo_t* cr, double x, double y, double w, double h) {
    double cx = x + w / 2;
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, cx, y);
            cairo_line_to(c, cx + 5, y + 12);
            cairo_line_to(c, cx - 5, y + 12);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x8a949c), 0.35, 0.2, 1.5, 1.5});
    PaintShape(
        cr, [&](cairo_t* c) { cairo_rectangle(c, cx - 2, y + 11, 4, h - 22); },
        ShapeStyle{Hex(0xb08050), 0.3, 0.2, 1, 1.5});
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, cx - 2, y + h - 16);
            cairo_line_to(c, cx - 8, y + h - 2);
            cairo_line_to(c, cx - 2, y + h - 6);
            cairo_move_to(c, cx + 2, y + h - 16);
            cairo_line_to(c, cx + 8, y + h - 2);
            cairo_line_to(c, cx + 2, y + h - 6);
        },
        ShapeStyle{Hex(0xc8402a), 0.2, 0.2, 1, 1.5});
}

void PaintCartridgeIcon(cairo_t* cr, double x, double y, double w, double h) {
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, x + w / 2, y);
            cairo_curve_to(c, x + w, y + 6, x + w * 0.85, y + 14, x + w * 0.85, y + 18);
            cairo_line_to(c, x + w * 0.15, y + 18);
            cairo_curve_to(c, x + w * 0.15, y + 14, x, y + 6, x + w / 2, y);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0xb87a40), 0.35, 0.3, 2, 1.5});
    PaintShape(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x + 1, y + 18, w - 2, h - 20); },
        ShapeStyle{kBrass, 0.35, 0.3, 2, 1.5});
}

void PaintDynamiteIcon(cairo_t* cr, double x, double y, double w, double h) {
    double stickTop = y + h * 0.22;
    PaintShape(
        cr, [&](cairo_t* c) { RoundedRectPath(c, x + w * 0.15, stickTop, w * 0.7, h * 0.76, 5); },
        ShapeStyle{Hex(0xc83a2a), 0.3, 0.3, 4, 2});
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_rectangle(c, x + w * 0.15, stickTop + h * 0.3, w * 0.7, h * 0.16);
        },
        ShapeStyle{Hex(0xe8dcb8), 0.2, 0.2, 2, 1.5});
    DrawText(cr, "TNT", x + w / 2, stickTop + h * 0.43,
             TextStyle{Font::SansBold, 10, Hex(0x3a2414), 0, palette::Outline, 0.5});
    SetColour(cr, Hex(0x3a3a3a));
    cairo_set_line_width(cr, 2.5);
    cairo_move_to(cr, x + w / 2, stickTop);
    cairo_curve_to(cr, x + w / 2, y + h * 0.1, x + w * 0.75, y + h * 0.12, x + w * 0.8, y + 6);
    cairo_stroke(cr);
    SetColour(cr, Hex(0xffd040));
    EllipsePath(cr, x + w * 0.8, y + 5, 4, 4);
    cairo_fill(cr);
    SetColour(cr, Hex(0xfff4c0));
    EllipsePath(cr, x + w * 0.8, y + 5, 2, 2);
    cairo_fill(cr);
}

}  // namespace assetgen
