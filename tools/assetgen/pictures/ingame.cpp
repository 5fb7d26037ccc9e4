// In-game pieces: the HUD sheet (clock, score, quota animals, weapons, ammunition, crosshair),
// the weapon info banners, the bonus clock target and the three region signs.
#include <cmath>

#include "pictures/animals.h"
#include "pictures/hud_layout.h"
#include "pictures/paint.h"
#include "pictures/recipes.h"
#include "pictures/scene_layout.h"
#include "pictures/weapon_icons.h"

namespace assetgen {

namespace {

using namespace layout;

// An alarm clock face, centred at (cx, cy) with radius r.
void PaintAlarmClock(cairo_t* cr, double cx, double cy, double r, double outline) {
    for (int side = -1; side <= 1; side += 2) {
        PaintShape(
            cr,
            [&](cairo_t* c) {
                EllipsePath(c, cx + side * r * 0.7, cy - r * 0.85, r * 0.32, r * 0.24);
            },
            ShapeStyle{Hex(0xd8a838), 0.3, 0.3, 1.5, outline});
    }
    SetColour(cr, palette::Outline);
    cairo_set_line_width(cr, outline * 1.5);
    cairo_move_to(cr, cx - r * 0.6, cy + r * 0.8);
    cairo_line_to(cr, cx - r * 0.8, cy + r * 1.05);
    cairo_move_to(cr, cx + r * 0.6, cy + r * 0.8);
    cairo_line_to(cr, cx + r * 0.8, cy + r * 1.05);
    cairo_stroke(cr);
    PaintShape(
        cr, [&](cairo_t* c) { EllipsePath(c, cx, cy, r, r); },
        ShapeStyle{Hex(0xc83a2a), 0.3, 0.3, r * 0.15, outline});
    PaintShape(
        cr, [&](cairo_t* c) { EllipsePath(c, cx, cy, r * 0.74, r * 0.74); },
        ShapeStyle{palette::Cream, 0.0, 0.15, r * 0.1, outline * 0.6});
    SetColour(cr, palette::Outline);
    for (int i = 0; i < 12; ++i) {
        double a = 2 * M_PI * i / 12;
        EllipsePath(cr, cx + std::cos(a) * r * 0.6, cy + std::sin(a) * r * 0.6, r * 0.05, r * 0.05);
        cairo_fill(cr);
    }
    cairo_set_line_width(cr, std::max(1.5, r * 0.1));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx, cy - r * 0.48);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + r * 0.35, cy + r * 0.1);
    cairo_stroke(cr);
}

void PaintScoreIcon(cairo_t* cr, double x, double y, double size) {
    // A round target with a hole in the bull's eye.
    double cx = x + size / 2, cy = y + size / 2, r = size / 2 - 2;
    const Rgb rings[] = {palette::Cream, Hex(0xc83a2a), palette::Cream, Hex(0xc83a2a)};
    for (int i = 0; i < 4; ++i) {
        double rr = r * (1 - i * 0.24);
        PaintShape(
            cr, [&](cairo_t* c) { EllipsePath(c, cx, cy, rr, rr); },
            ShapeStyle{rings[i], 0.0, 0.15, 1.5, i == 0 ? 1.5 : 0.8});
    }
    SetColour(cr, palette::Outline);
    EllipsePath(cr, cx + 1, cy - 1, 2.2, 2.2);
    cairo_fill(cr);
}

void PaintCrosshair(cairo_t* cr, double x, double y) {
    double cx = x + 21.5, cy = y + 21.5;
    auto shape = [&](cairo_t* c) {
        cairo_new_sub_path(c);
        cairo_arc(c, cx, cy, 14, 0, 2 * M_PI);
        cairo_move_to(c, cx - 20, cy);
        cairo_line_to(c, cx - 6, cy);
        cairo_move_to(c, cx + 6, cy);
        cairo_line_to(c, cx + 20, cy);
        cairo_move_to(c, cx, cy - 20);
        cairo_line_to(c, cx, cy - 6);
        cairo_move_to(c, cx, cy + 6);
        cairo_line_to(c, cx, cy + 20);
    };
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    shape(cr);
    SetColour(cr, palette::Outline);
    cairo_set_line_width(cr, 4.5);
    cairo_stroke(cr);
    shape(cr);
    SetColour(cr, Hex(0xf4f0e0));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    SetColour(cr, Hex(0xe83a2a));
    EllipsePath(cr, cx, cy, 2, 2);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Clip(cairo_t* cr, const HudRect& r) {
    cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_clip(cr);
}

Picture DrawHudSheet() {
    Canvas canvas(HudSheetWidth, HudSheetHeight);
    cairo_t* cr = canvas.cr();
    auto inBox = [&](const HudRect& r, auto paint) {
        cairo_save(cr);
        Clip(cr, r);
        paint(r);
        cairo_restore(cr);
    };
    inBox(hud::Clock,
          [&](const HudRect& r) { PaintAlarmClock(cr, r.left + 16, r.top + 21, 12, 1.5); });
    inBox(hud::Score, [&](const HudRect& r) { PaintScoreIcon(cr, r.left, r.top, 33); });
    inBox(hud::QuotaBoar, [&](const HudRect& r) {
        PaintAnimalIcon(cr, PaintBoar, 23, BoarFrameWidth, BoarHeight, r.left, r.top,
                        r.right - r.left, r.bottom - r.top);
    });
    inBox(hud::QuotaMole, [&](const HudRect& r) {
        PaintAnimalIcon(cr, PaintMole, 0, MoleFrameWidth, MoleHeight, r.left, r.top,
                        r.right - r.left, r.bottom - r.top);
    });
    inBox(hud::QuotaHare, [&](const HudRect& r) {
        PaintAnimalIcon(cr, PaintHare, 5, HareFrameWidth, HareHeight, r.left, r.top,
                        r.right - r.left, r.bottom - r.top);
    });
    inBox(hud::QuotaDuck, [&](const HudRect& r) {
        PaintAnimalIcon(cr, PaintDuck, 3, DuckFrameWidth, DuckHeight, r.left, r.top,
                        r.right - r.left, r.bottom - r.top);
    });
    inBox(hud::QuotaQuail, [&](const HudRect& r) {
        PaintAnimalIcon(cr, PaintQuail, 0, QuailFrameWidth, QuailHeight, r.left, r.top,
                        r.right - r.left, r.bottom - r.top);
    });
    inBox(hud::Shotgun,
          [&](const HudRect& r) { PaintShotgunIcon(cr, r.left, r.top, 64, 32, false); });
    inBox(hud::Crossbow,
          [&](const HudRect& r) { PaintCrossbowIcon(cr, r.left, r.top, 64, 32, false); });
    inBox(hud::CrossbowLocked,
          [&](const HudRect& r) { PaintCrossbowIcon(cr, r.left, r.top, 64, 32, true); });
    inBox(hud::ShotgunShell,
          [&](const HudRect& r) { PaintShellIcon(cr, r.left + 14, r.top + 2, 24, 60); });
    inBox(hud::CrossbowBolt,
          [&](const HudRect& r) { PaintBoltIcon(cr, r.left + 16, r.top + 2, 20, 70); });
    inBox(hud::MachineGunRound,
          [&](const HudRect& r) { PaintCartridgeIcon(cr, r.left + 2, r.top + 2, 12, 68); });
    inBox(hud::DynamiteStick,
          [&](const HudRect& r) { PaintDynamiteIcon(cr, r.left + 8, r.top + 4, 40, 90); });
    inBox(hud::Crosshair, [&](const HudRect& r) { PaintCrosshair(cr, r.left, r.top); });
    return Finish(canvas, "grafik/ingame/page_ingame_screen.bmp", FinishOptions{Key::Panel});
}

// A wooden banner with a weapon picture on the left and two lines of text.
Picture DrawInfoPanel(const std::string& path, int width, const std::string& title,
                      const std::string& hint,
                      void (*icon)(cairo_t*, double, double, double, double, bool)) {
    Canvas canvas(width, InfoPanelHeight);
    cairo_t* cr = canvas.cr();
    PaintShape(
        cr, [&](cairo_t* c) { RoundedRectPath(c, 2, 2, width - 4, InfoPanelHeight - 4, 10); },
        ShapeStyle{Hex(0x7a4e2c), 0.2, 0.35, 4, 2});
    PaintShape(
        cr, [&](cairo_t* c) { RoundedRectPath(c, 8, 7, width - 16, InfoPanelHeight - 14, 6); },
        ShapeStyle{Hex(0xf0e2bc), 0.1, 0.15, 3, 1.5});
    icon(cr, 14, 11, 76, 32, false);
    DrawText(cr, title, 100, 27, TextStyle{Font::SansBold, 17, Hex(0x4a2a14)});
    DrawText(cr, hint, 100, 44, TextStyle{Font::Sans, 13, Hex(0x5a3b22)});
    FinishOptions options{Key::Panel};
    options.edge = Hex(0x7a4e2c);
    return Finish(canvas, path, options);
}

// A signpost on a post: a board with the region's name; frame 1 adds a green ribbon with a tick
// once the region's stage is done.
Picture DrawSign(const std::string& path, const std::string& name, Rgb board) {
    constexpr int kWidth = 120, kHeight = 146;
    return DrawStrip(
        path, 2, kWidth, kHeight, FinishOptions{Key::Sprite}, [&](cairo_t* cr, int frame) {
            PaintShape(
                cr, [](cairo_t* c) { cairo_rectangle(c, 53, 40, 14, 104); },
                ShapeStyle{Hex(0x7a5232), 0.15, 0.3, 4, 2.5});
            PaintShape(
                cr,
                [](cairo_t* c) {
                    cairo_move_to(c, 6, 18);
                    cairo_line_to(c, 100, 14);
                    cairo_line_to(c, 116, 38);
                    cairo_line_to(c, 100, 62);
                    cairo_line_to(c, 6, 60);
                    cairo_close_path(c);
                },
                ShapeStyle{board, 0.2, 0.3, 4, 2.5});
            SetColour(cr, Darker(board, 0.2));
            cairo_set_line_width(cr, 1.5);
            cairo_move_to(cr, 10, 32);
            cairo_line_to(cr, 96, 30);
            cairo_move_to(cr, 10, 47);
            cairo_line_to(cr, 96, 45);
            cairo_stroke(cr);
            DrawText(cr, name, 56, 46,
                     TextStyle{Font::SerifBold, 22, palette::Cream, 2, Hex(0x3a2414), 0.5});
            // Nails.
            SetColour(cr, Hex(0x3a3a3a));
            EllipsePath(cr, 60, 24, 2, 2);
            EllipsePath(cr, 60, 54, 2, 2);
            cairo_fill(cr);
            if (frame == 1) {
                PaintShape(
                    cr,
                    [](cairo_t* c) {
                        cairo_move_to(c, 72, 64);
                        cairo_line_to(c, 72, 104);
                        cairo_line_to(c, 84, 96);
                        cairo_line_to(c, 96, 104);
                        cairo_line_to(c, 96, 64);
                        cairo_close_path(c);
                    },
                    ShapeStyle{Hex(0x3a8a3a), 0.25, 0.3, 3, 2});
                PaintShape(
                    cr, [](cairo_t* c) { EllipsePath(c, 84, 70, 15, 15); },
                    ShapeStyle{Hex(0xe8c040), 0.3, 0.3, 3, 2});
                SetColour(cr, Hex(0x2a6a2a));
                cairo_set_line_width(cr, 4);
                cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
                cairo_move_to(cr, 77, 70);
                cairo_line_to(cr, 82, 76);
                cairo_line_to(cr, 91, 63);
                cairo_stroke(cr);
            }
        });
}

}  // namespace

void AddIngameRecipes(std::vector<Recipe>& recipes) {
    recipes.push_back({"hud sheet", [] { return std::vector<Picture>{DrawHudSheet()}; }});
    recipes.push_back(
        {"info panels", [] {
             return std::vector<Picture>{
                 DrawInfoPanel("grafik/ingame/info_armbrust.bmp", InfoCrossbowWidth,
                               "Armbrust freigeschaltet!", "Taste 2: Armbrust, Taste 1: Flinte",
                               PaintCrossbowIcon),
                 DrawInfoPanel("grafik/ingame/info_dynamit.bmp", InfoDynamiteWidth,
                               "Dynamit freigeschaltet!", "Taste 3 w\u00e4hlt das Dynamit",
                               PaintDynamiteBanner),
                 DrawInfoPanel("grafik/ingame/info_mg.bmp", InfoMachineGunWidth,
                               "MG freigeschaltet!", "Taste 4: Dauerfeuer", PaintMachineGunIcon)};
         }});
    recipes.push_back(
        {"bonus clock", [] {
             Canvas canvas(44, 48);
             PaintAlarmClock(canvas.cr(), 22, 26, 17, 2);
             DrawText(canvas.cr(), "+10", 22, 33,
                      TextStyle{Font::SansBold, 9, Hex(0xc83a2a), 0, palette::Outline, 0.5});
             return std::vector<Picture>{
                 Finish(canvas, "grafik/ingame/uhr.bmp", FinishOptions{Key::Sprite})};
         }});
    recipes.push_back(
        {"signs", [] {
             return std::vector<Picture>{
                 DrawSign("grafik/ingame/wieseschild_anim.bmp", "Wiese", Hex(0xb88a52)),
                 DrawSign("grafik/ingame/waldschild_anim.bmp", "Wald", Hex(0xa07040)),
                 DrawSign("grafik/ingame/feldschild_anim.bmp", "Feld", Hex(0xc09a5a))};
         }});
}

}  // namespace assetgen
