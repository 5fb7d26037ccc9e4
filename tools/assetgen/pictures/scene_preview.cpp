#include "pictures/scene_preview.h"

#include <cairo.h>

#include <cstdio>
#include <map>

#include "pictures/font_tables.h"
#include "pictures/recipes.h"
#include "pictures/scene_layout.h"

namespace assetgen {

namespace {

using namespace layout;

class Screen {
  public:
    Screen() : pixels_(ScreenWidth * ScreenHeight, Rgb{}) {}

    // Draws `frame` of a strip scaled down by `shrink` (nearest neighbour, as the game loads
    // half and quarter sizes) with its top-left corner at (x, y).
    void Blit(const Picture& p, int frames, int frame, int shrink, int x, int y) {
        int fullFrame = p.width / frames;
        int w = fullFrame / shrink, h = p.height / shrink;
        Rgb key = KeyColour(p.key);
        for (int row = 0; row < h; ++row) {
            for (int col = 0; col < w; ++col) {
                int sx = frame * fullFrame + col * shrink, sy = row * shrink;
                Rgb c = p.At(sx, sy);
                if (p.key != Key::None && c == key) continue;
                int dx = x + col, dy = y + row;
                if (dx < 0 || dy < 0 || dx >= ScreenWidth || dy >= ScreenHeight) continue;
                pixels_[static_cast<size_t>(dy) * ScreenWidth + dx] = c;
            }
        }
    }

    bool WritePng(const std::filesystem::path& file) const {
        cairo_surface_t* s =
            cairo_image_surface_create(CAIRO_FORMAT_RGB24, ScreenWidth, ScreenHeight);
        unsigned char* data = cairo_image_surface_get_data(s);
        int stride = cairo_image_surface_get_stride(s);
        for (int y = 0; y < ScreenHeight; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
            for (int x = 0; x < ScreenWidth; ++x) {
                Rgb c = pixels_[static_cast<size_t>(y) * ScreenWidth + x];
                // Shown as the game shows it: 5-6-5 bits widened again.
                uint32_t r = (c.r >> 3) * 255 / 31, g = (c.g >> 2) * 255 / 63,
                         b = (c.b >> 3) * 255 / 31;
                row[x] = (r << 16) | (g << 8) | b;
            }
        }
        cairo_surface_mark_dirty(s);
        bool ok = cairo_surface_write_to_png(s, file.c_str()) == CAIRO_STATUS_SUCCESS;
        cairo_surface_destroy(s);
        return ok;
    }

  private:
    std::vector<Rgb> pixels_;
};

// Draws text the way the game's bitmap fonts do: glyph rectangles copied left to right.
int DrawString(Screen& screen, const Picture& sheet, const std::vector<GlyphEntry>& glyphs,
               int cell, int extraAdvance, int spaceAdvance, int x, int y,
               const std::string& text) {
    for (unsigned char c : text) {
        if (c == ' ') {
            x += spaceAdvance;
            continue;
        }
        int column = 0, width = 0;
        for (const GlyphEntry& g : glyphs) {
            if (g.code == c) {
                column = g.column;
                width = g.width;
            }
        }
        if (width > 0) {
            Picture glyph = Crop(sheet, column * cell, 0, width, sheet.height, "");
            screen.Blit(glyph, 1, 0, 1, x, y);
        }
        x += width + extraAdvance;
    }
    return x;
}

}  // namespace

bool WriteScenePreviews(const std::filesystem::path& outDir, std::string& error) {
    std::vector<Picture> pictures = DrawAllPictures();
    std::map<std::string, const Picture*> byPath;
    for (const Picture& p : pictures) byPath[p.path] = &p;
    auto get = [&](const std::string& path) { return byPath.at("grafik/" + path + ".bmp"); };
    std::filesystem::create_directories(outDir);

    for (int camera : {1600, 1950, 2300}) {
        Screen screen;
        int farScroll = static_cast<int>(camera * 0.9f),
            midScroll = static_cast<int>(camera * 0.95f);
        auto layer = [&](int l, int tileWidth, int scroll) {
            for (int i = 2; i <= 3; ++i) {
                const Picture* tile =
                    get("hintergrund/E" + std::to_string(l) + std::to_string(i + 1));
                screen.Blit(*tile, 1, 0, 1, i * tileWidth - scroll, 0);
            }
        };
        // Animals stand at the screen positions of their plane, spread across the view.
        auto animals = [&](int plane, int shrink) {
            struct Row {
                const char* strip;
                int frames, frame, y2, y3, shrink2, shrink3, x;
            };
            const Row rows[] = {{"tiere/wildschwein1", 13, 2, 300, 250, 2, 4, 80},
                                {"tiere/Hase4", 30, 0, 335, 262, 1, 2, 330},
                                {"tiere/maulwurf1", 20, 3, 360, 276, 1, 2, 450},
                                {"tiere/wachtel4", 14, 4, 350, 275, 2, 4, 560},
                                {"tiere/flugente1", 13, 3, 250, 150, 1, 2, 640},
                                {"tiere/Hase1", 30, 18, 335, 262, 1, 2, 700}};
            for (const Row& r : rows) {
                int s = plane == 2 ? r.shrink2 : r.shrink3;
                int x = plane == 2 ? r.x : r.x - 40;
                screen.Blit(*get(r.strip), r.frames, r.frame, s, x, plane == 2 ? r.y2 : r.y3);
            }
            (void)shrink;
        };
        layer(1, FarTileWidth, farScroll);
        animals(3, 2);
        screen.Blit(*get("objekte/level2/Glocke1"), 1, 0, 1, 2557 - farScroll, 146);
        screen.Blit(*get("objekte/level2/Glocke2"), 1, 0, 1, 2560 - farScroll, 127);
        screen.Blit(*get("objekte/level2/Glocke3"), 1, 0, 1, 2560 - farScroll, 111);
        layer(2, MidTileWidth, midScroll);
        screen.Blit(*get("objekte/level2/trogwasser_anim"), 7, 0, 1, 2447 - midScroll, 274);
        screen.Blit(*get("objekte/level2/korken"), 1, 0, 1, 2464 - midScroll, 270);
        animals(2, 1);
        layer(3, NearTileWidth, camera);
        for (int i = 0; i < 5; ++i) {
            screen.Blit(*get("objekte/level2/champignon" + std::to_string(i + 1)), 1, 0, 1,
                        static_cast<int>(MushroomXs[i]) - camera, static_cast<int>(MushroomYs[i]));
        }
        const int appleX[] = {1745, 1845, 1949, 2065, 2163}, appleY[] = {155, 196, 131, 198, 170};
        for (int i = 0; i < 5; ++i) {
            screen.Blit(*get("objekte/level2/apfelstiel"), 1, 0, 1, appleX[i] - camera, appleY[i]);
            screen.Blit(*get("objekte/level2/apfel_anim"), 5, 0, 1, appleX[i] - camera, appleY[i]);
        }
        screen.Blit(*get("objekte/level2/dose_anim"), 7, 0, 1, 2417 - camera, 473);
        screen.Blit(*get("objekte/level2/skulptur_anim"), 5, 0, 1, 2859 - camera, 312);
        screen.Blit(*get("ingame/waldschild_anim"), 2, 0, 1, 3077 - camera, 335);
        // HUD pieces and the shotgun under a cursor in the middle of the screen.
        const Picture* hud = get("ingame/page_ingame_screen");
        Picture clock = Crop(*hud, 0, 0, 32, 39, "");
        screen.Blit(clock, 1, 0, 1, 10, 4);
        Picture crosshair = Crop(*hud, 256, 39, 43, 43, "");
        screen.Blit(crosshair, 1, 0, 1, 400 - 21, 300 - 21);
        const Picture* ingameFont = get("font/font_ingame");
        auto hudText = [&](int x, int y, const std::string& text) {
            DrawString(screen, *ingameFont, IngameFontGlyphs(), IngameFontCell, 3, 8, x, y, text);
        };
        hudText(50, 10, "1:23");
        screen.Blit(Crop(*hud, 32, 0, 33, 33, ""), 1, 0, 1, 620, 10);
        hudText(660, 10, "001234");
        const int quotaIcons[][2] = {{65, 42}, {107, 38}, {145, 35}};
        for (int i = 0; i < 3; ++i) {
            screen.Blit(Crop(*hud, quotaIcons[i][0], 0, quotaIcons[i][1], 39, ""), 1, 0, 1,
                        278 + 104 * i, 10);
            char count[8];
            std::snprintf(count, sizeof count, "%.2d", 3 + i);
            hudText(278 + 104 * i + 47, 10, count);
        }
        screen.Blit(Crop(*hud, 0, 39, 64, 32, ""), 1, 0, 1, 10, 53);
        screen.Blit(Crop(*hud, 64, 71, 64, 32, ""), 1, 0, 1, 10, 87);
        for (int n = 0; n < 5; ++n)
            screen.Blit(Crop(*hud, 0, 104, 52, 65, ""), 1, 0, 1, 738 - 42 * n, 524);
        hudText(camera == 1950 ? 380 : 500, 200, "80");
        const Picture* gun = get("waffen/schrotflinte");
        int gx = 400 - 21 - (gun->width / 4 + 11);
        int gy = 350 + gun->height + (300 - 21) / 10;
        Picture visible = Crop(*gun, 0, 0, gun->width, std::min(gun->height, 600 - gy), "");
        screen.Blit(visible, 1, 0, 1, gx, gy);
        std::filesystem::path file = outDir / ("scene_" + std::to_string(camera) + ".png");
        if (!screen.WritePng(file)) {
            error = "cannot write " + file.string();
            return false;
        }
    }
    // The opened high-score window with a result and a table written in the menu font.
    Screen menu;
    menu.Blit(Crop(*get("menue/menue"), 400, 0, 800, 600, ""), 1, 0, 1, 0, 0);
    menu.Blit(*get("menue/bttn_back"), 2, 1, 1, 50, 480);
    menu.Blit(*get("menue/menu_window_highscores"), 1, 0, 1, 388, 8);
    const Picture* menuFont = get("font/font_menue");
    auto menuText = [&](int x, int y, const std::string& text) {
        return DrawString(menu, *menuFont, MenuFontGlyphs(), MenuFontCell, 0, 4, x, y, text);
    };
    menuText(440, 150, "Sie haben");
    menuText(650, 150, "Punkte erreicht.");
    DrawString(menu, *get("font/font_ingame"), IngameFontGlyphs(), IngameFontCell, 3, 8, 520, 135,
               "004711");
    const char* names[] = {"J\xe4ger Gr\xfcnrock", "Waldl\xe4ufer", "\xd6si", "Hubertus",
                           "Fu\xdf"
                           "ball-Franz"};
    for (int i = 0; i < 20; ++i) {
        int y = 180 + 16 * i;
        char place[8];
        std::snprintf(place, sizeof place, "%.2d.", i + 1);
        menuText(440, y, place);
        menuText(500, y, std::to_string(900000 - i * 41234).substr(0, 6));
        menuText(560, y, names[i % 5]);
    }
    std::filesystem::path file = outDir / "menu_highscores.png";
    if (!menu.WritePng(file)) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

}  // namespace assetgen
