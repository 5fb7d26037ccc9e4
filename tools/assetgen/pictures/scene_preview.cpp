#include "pictures/scene_preview.h"

#include <cairo.h>

#include <cstdio>
#include <map>

#include "gamestate/parallax.h"
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
                pixels_[display::PixelIndex(dx, dy, ScreenWidth)] = c;
            }
        }
    }

    bool WritePng(const std::filesystem::path& file) const {
        cairo_surface_t* s =
            cairo_image_surface_create(CAIRO_FORMAT_RGB24, ScreenWidth, ScreenHeight);
        for (int y = 0; y < ScreenHeight; ++y) {
            uint32_t* row = SurfaceRow(s, y);
            for (int x = 0; x < ScreenWidth; ++x) {
                const Rgb c = Shown(pixels_[display::PixelIndex(x, y, ScreenWidth)]);
                row[x] = (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b;
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
    for (const char character : text) {
        const auto c = static_cast<unsigned char>(character);
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

    // The scenery as the level layouts place it: picture, frames, frame shown, plane, x, y.
    struct Placed {
        const char* picture;
        int frames, frame, plane, x, y;
    };
    const Placed scenery[] = {{"objekte/level1/blumenstiel1", 1, 0, 2, 251, 202},
                              {"objekte/level1/blumenstiel1b", 1, 0, 2, 251, 202},
                              {"objekte/level1/bluetenblaetter_all", 1, 0, 2, 257, 156},
                              {"objekte/level1/bluetenmitte", 4, 0, 2, 274, 175},
                              {"objekte/level1/blumenstiel3", 1, 0, 2, 367, 283},
                              {"objekte/level1/blumenstiel3b", 1, 0, 2, 367, 283},
                              {"objekte/level1/bluetenblaetter_all", 1, 0, 2, 382, 240},
                              {"objekte/level1/bluetenmitte", 4, 1, 2, 399, 259},
                              {"objekte/level1/blumenstiel2b", 1, 0, 2, 311, 234},
                              {"objekte/level1/blumenstiel2", 1, 0, 2, 311, 234},
                              {"objekte/level1/bluetenblatt1", 1, 0, 2, 328, 187},
                              {"objekte/level1/bluetenblatt5", 1, 0, 2, 328, 187},
                              {"objekte/level1/bluetenblatt9", 1, 0, 2, 328, 187},
                              {"objekte/level1/bluetenblatt13", 1, 0, 2, 328, 187},
                              {"objekte/level1/bluetenmitte", 4, 2, 2, 345, 206},
                              {"objekte/level1/stromklappe", 1, 0, 2, 1314, 253},
                              {"objekte/level1/topf", 1, 0, 2, 1196, 262},
                              {"objekte/level1/zaunauge", 2, 0, 2, 1412, 255},
                              {"objekte/level1/silo", 3, 0, 3, 969, 172},
                              {"objekte/level1/berggipfel", 1, 0, 3, 788, 56},
                              {"tiere/rabe1", 6, 0, 3, 1173, 139},
                              {"tiere/rabe1", 6, 1, 3, 1187, 141},
                              {"tiere/rabe1", 6, 2, 3, 1200, 136},
                              {"tiere/rabe1", 6, 0, 3, 1220, 139},
                              {"objekte/level1/Stromstoss", 3, 0, 3, 1193, 112},
                              {"objekte/level2/Glocke1", 1, 0, 3, 2557, 146},
                              {"objekte/level2/Glocke2", 1, 0, 3, 2560, 127},
                              {"objekte/level2/Glocke3", 1, 0, 3, 2560, 111},
                              {"objekte/level2/korken", 1, 0, 2, 2464, 270},
                              {"objekte/level2/trogwasser_anim", 7, 0, 2, 2447, 274},
                              {"objekte/level3/hoehlenstein", 1, 0, 2, 4191, 225},
                              {"objekte/level3/Specht", 3, 0, 2, 4044, 155},
                              {"objekte/level3/baer_zielscheibe_anim", 7, 0, 2, 4117, 179},
                              {"ingame/wieseschild_anim", 2, 0, 1, 1477, 344},
                              {"objekte/level1/flasche", 5, 0, 1, 1221, 262},
                              {"objekte/level1/flasche", 5, 0, 1, 1292, 295},
                              {"objekte/level1/findling_small", 4, 0, 1, 433, 441},
                              {"objekte/level1/findling_small", 4, 0, 1, 960, 552},
                              {"objekte/level1/findling_small", 4, 0, 1, 1362, 450},
                              {"objekte/level1/findling_big1", 1, 0, 1, 45, 454},
                              {"objekte/level1/vogelscheuche_anim", 17, 0, 1, 43, 190},
                              {"objekte/level1/vogelscheuche_arm1", 2, 0, 1, 154, 261},
                              {"objekte/level1/vogelscheuche_arm2", 2, 1, 1, 61, 262},
                              {"objekte/level1/vogelscheuche_hut", 2, 1, 1, 120, 201},
                              {"tiere/rabe1", 6, 0, 1, 55, 198},
                              {"objekte/level2/champignon1", 1, 0, 1, 1788, 444},
                              {"objekte/level2/champignon2", 1, 0, 1, 1795, 426},
                              {"objekte/level2/champignon3", 1, 0, 1, 2036, 432},
                              {"objekte/level2/champignon4", 1, 0, 1, 2098, 398},
                              {"objekte/level2/champignon5", 1, 0, 1, 2138, 412},
                              {"objekte/level2/dose_anim", 7, 0, 1, 2417, 473},
                              {"objekte/level2/apfelstiel", 1, 0, 1, 1745, 155},
                              {"objekte/level2/apfel_anim", 5, 0, 1, 1745, 155},
                              {"objekte/level2/apfelstiel", 1, 0, 1, 1845, 196},
                              {"objekte/level2/apfel_anim", 5, 0, 1, 1845, 196},
                              {"objekte/level2/apfelstiel", 1, 0, 1, 1949, 131},
                              {"objekte/level2/apfel_anim", 5, 0, 1, 1949, 131},
                              {"objekte/level2/apfelstiel", 1, 0, 1, 2065, 198},
                              {"objekte/level2/apfel_anim", 5, 0, 1, 2065, 198},
                              {"objekte/level2/apfelstiel", 1, 0, 1, 2163, 170},
                              {"objekte/level2/apfel_anim", 5, 0, 1, 2163, 170},
                              {"objekte/level2/skulptur_anim", 5, 0, 1, 2859, 312},
                              {"ingame/waldschild_anim", 2, 1, 1, 3077, 335},
                              {"objekte/level3/eichel1", 1, 0, 1, 3491, 74},
                              {"objekte/level3/eichel2", 1, 0, 1, 3514, 76},
                              {"objekte/level3/eichel3", 1, 0, 1, 3527, 100},
                              {"objekte/level3/eichel4", 1, 0, 1, 3582, 143},
                              {"objekte/level3/eichel4", 1, 0, 1, 3514, 156},
                              {"objekte/level3/eichel5", 1, 0, 1, 3497, 175},
                              {"objekte/level3/eichel6", 1, 0, 1, 3474, 158},
                              {"objekte/level3/eichel6", 1, 0, 1, 3563, 170},
                              {"objekte/level3/baumherz_anim", 6, 0, 1, 3309, 271},
                              {"objekte/level3/baumaugen1", 2, 1, 1, 3329, 88},
                              {"objekte/level3/baumaugen2", 2, 1, 1, 3365, 139},
                              {"objekte/level3/baumaugen3", 2, 1, 1, 3324, 186},
                              {"objekte/level3/fliegerpilzstengel", 1, 0, 1, 4445, 351},
                              {"objekte/level3/fliegerpilz_anim", 6, 0, 1, 4445, 351},
                              {"ingame/feldschild_anim", 2, 0, 1, 4609, 333},
                              {"ingame/uhr", 1, 0, 1, 2200, 300}};
    // Cameras inside the game's range, and three outside it to see the meadow and the field.
    for (int camera : {1600, 1950, 2300, 0, 1100, 3300, 3900}) {
        Screen screen;
        const auto scrollOf = [camera](int l) {
            return static_cast<int>(gamestate::LayerScroll(l, static_cast<float>(camera)));
        };
        const int farScroll = scrollOf(gamestate::FarLayer);
        const int midScroll = scrollOf(gamestate::MidLayer);
        auto layer = [&](int l) {
            for (int i = 0; i < gamestate::TilesPerLayer; ++i) {
                const Picture* tile =
                    get("hintergrund/E" + std::to_string(l) + std::to_string(i + 1));
                screen.Blit(*tile, 1, 0, 1, i * gamestate::TileWidth(l) - scrollOf(l), 0);
            }
        };
        auto placed = [&](int plane, int scroll) {
            for (const Placed& p : scenery) {
                if (p.plane != plane) continue;
                screen.Blit(*get(p.picture), p.frames, p.frame,
                            p.picture[0] == 't' && plane == 3 ? 2 : 1, p.x - scroll, p.y);
            }
        };
        // Animals stand at the screen positions of their plane, spread across the view.
        auto animals = [&](int plane) {
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
            screen.Blit(*get("tiere/apfel1"), 13, 2, plane == 2 ? 2 : 4, plane == 2 ? 80 : 40,
                        plane == 2 ? 300 : 250);
        };
        layer(gamestate::FarLayer);
        animals(3);
        placed(3, farScroll);
        layer(gamestate::MidLayer);
        placed(2, midScroll);
        animals(2);
        layer(gamestate::NearLayer);
        placed(1, camera);
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
