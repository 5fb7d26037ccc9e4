// Walks every picture the game loads from the generated data directory and checks that it fits
// the way the game uses it: name, size, frames that divide the width (also at half and quarter
// size), key colours that stay transparent in 16-bit colour, HUD icons and font glyphs inside
// the rectangles the game cuts, and animals standing on the ground lines.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "display/bmp_decoder.h"
#include "display/colour.h"
#include "gamestate/asset_catalogue.h"
#include "presentation/bitmap_font.h"

namespace {

enum class Key { None, Sprite, Panel };

struct Expected {
    std::string path;
    Key key;
    int frames = 1;
    int smallestScale = 1;  // 2 or 4 when the game also loads the file at half or quarter size
};

std::string DataPath(const std::string& relative) {
    return std::string(TQ_DATA_DIR) + "/" + relative;
}

display::DecodedBitmap Load(const std::string& relative) {
    display::DecodedBitmap bitmap;
    EXPECT_TRUE(display::DecodeBmpFile(DataPath(relative), bitmap)) << relative << " is missing";
    return bitmap;
}

uint16_t Pixel565(COLORREF c) {
    return ColourRefToRgb565(c);
}
const uint16_t kSpriteKey565 = ColourRefToRgb565(SpriteKeyColour);
const uint16_t kPanelKey565 = ColourRefToRgb565(PanelKeyColour);

COLORREF KeyOf(Key key) {
    return key == Key::Panel ? PanelKeyColour : SpriteKeyColour;
}

bool IsKey(const display::DecodedBitmap& b, int x, int y, Key key) {
    return key != Key::None && b.At(x, y) == KeyOf(key);
}

// Frame counts of the strips among the single pictures; everything else has one frame.
const std::map<std::string, int> kSceneryFrames = {{"flasche", 5},
                                                   {"bluetenmitte", 4},
                                                   {"findling_small", 4},
                                                   {"zaunauge", 2},
                                                   {"vogelscheuche_anim", 17},
                                                   {"vogelscheuche_arm1", 2},
                                                   {"vogelscheuche_arm2", 2},
                                                   {"vogelscheuche_hut", 2},
                                                   {"Stromstoss", 3},
                                                   {"silo", 3},
                                                   {"dose_anim", 7},
                                                   {"apfel_anim", 5},
                                                   {"skulptur_anim", 5},
                                                   {"trogwasser_anim", 7},
                                                   {"baumherz_anim", 6},
                                                   {"baumaugen1", 2},
                                                   {"baumaugen2", 2},
                                                   {"baumaugen3", 2},
                                                   {"fliegerpilz_anim", 6},
                                                   {"Specht", 3},
                                                   {"wieseschild_anim", 2},
                                                   {"waldschild_anim", 2},
                                                   {"feldschild_anim", 2}};

std::string StemOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return path.substr(slash + 1, path.size() - slash - 5);
}

std::vector<Expected> EverythingTheGameLoads() {
    std::vector<Expected> all;
    auto tiere = [&](const std::string& name, int frames, int scale) {
        all.push_back({"grafik/tiere/" + name + ".bmp", Key::Sprite, frames, scale});
    };
    for (const char* n : {"Hase1", "Hase4"}) tiere(n, 30, 2);
    for (const char* n : {"wildschwein1", "wildschwein2", "wildschwein4", "wildschwein5", "apfel1",
                          "apfel2", "apfel4", "apfel5"}) {
        tiere(n, 13, 4);
    }
    for (const char* n : {"flugente1", "flugente4"}) tiere(n, 13, 2);
    for (const char* n : {"rabe1", "rabe4"}) tiere(n, 6, 2);
    for (const char* n : {"maulwurf1", "maulwurf4"}) tiere(n, 20, 2);
    for (const char* n : {"wachtel1", "wachtel4"}) tiere(n, 14, 4);
    tiere("broesel_anim", 8, 4);
    tiere("explosion_anim", 9, 4);
    all.push_back({"grafik/objekte/level3/baer_zielscheibe_anim.bmp", Key::Sprite, 7, 1});
    for (int layer = 1; layer <= 3; ++layer) {
        for (int tile = 1; tile <= 6; ++tile) {
            all.push_back(
                {"grafik/hintergrund/E" + std::to_string(layer) + std::to_string(tile) + ".bmp",
                 layer == 1 ? Key::None : Key::Panel});
        }
    }
    for (int i = 0; i < gamestate::ScenePictureCount; ++i) {
        std::string path = gamestate::ScenePictureFiles[i];
        auto frames = kSceneryFrames.find(StemOf(path));
        bool panel = path.find("/info_") != std::string::npos;
        all.push_back({path, panel ? Key::Panel : Key::Sprite,
                       frames == kSceneryFrames.end() ? 1 : frames->second, 1});
    }
    all.push_back({"grafik/screens/startscreen.bmp", Key::None});
    all.push_back({"grafik/screens/loadingscreen.bmp", Key::None});
    all.push_back({"grafik/screens/loadingscreen_revier.bmp", Key::None});
    all.push_back({"grafik/ingame/page_ingame_screen.bmp", Key::Panel});
    all.push_back({presentation::MenuFontStyle.sheetFile, Key::Panel});
    all.push_back({presentation::IngameFontStyle.sheetFile, Key::Panel});
    all.push_back({"grafik/menue/menue.bmp", Key::None});
    all.push_back({"grafik/menue/gamelogo.bmp", Key::Panel});
    for (const char* n : {"gamestart", "highscores", "credits", "back", "exit"}) {
        all.push_back({std::string("grafik/menue/bttn_") + n + ".bmp", Key::Panel, 2});
    }
    all.push_back({"grafik/menue/bttn_sound.bmp", Key::Panel, 4});
    all.push_back({"grafik/menue/menu_window_impressum.bmp", Key::Panel});
    all.push_back({"grafik/menue/menu_window_highscores.bmp", Key::Panel});
    for (const char* n : {"hirsch", "hase", "schwein", "specht", "ente"}) {
        all.push_back({std::string("grafik/menue/trophy_") + n + ".bmp", Key::Sprite, 2});
    }
    for (const char* n : {"schrotflinte", "armbrust", "dynamit", "mg"}) {
        all.push_back({std::string("grafik/waffen/") + n + ".bmp", Key::Panel});
    }
    return all;
}

TEST(PictureManifest, EveryPictureIsThereWithWholeFramesAndCleanKeys) {
    std::vector<Expected> all = EverythingTheGameLoads();
    EXPECT_EQ(all.size(), 137u);
    for (const Expected& e : all) {
        SCOPED_TRACE(e.path);
        display::DecodedBitmap b = Load(e.path);
        if (b.width == 0) continue;
        EXPECT_EQ(b.width % (e.frames * e.smallestScale), 0)
            << b.width << " wide, " << e.frames << " frames, scaled down " << e.smallestScale;
        int keyPixels = 0, lookalikes = 0;
        for (int y = 0; y < b.height; ++y) {
            for (int x = 0; x < b.width; ++x) {
                COLORREF c = b.At(x, y);
                if (e.key != Key::None && c == KeyOf(e.key)) {
                    ++keyPixels;
                } else if (Pixel565(c) == kSpriteKey565 || Pixel565(c) == kPanelKey565) {
                    ++lookalikes;
                }
            }
        }
        EXPECT_EQ(lookalikes, 0) << "visible pixels that turn into a key colour in 16 bits";
        if (e.key != Key::None) {
            EXPECT_GT(keyPixels, 0) << "keyed picture without transparent pixels";
        }
    }
}

TEST(PictureManifest, LoadingHareCarriesTheSpriteKeyInItsCorner) {
    display::DecodedBitmap hare = Load("grafik/tiere/Hase4.bmp");
    ASSERT_GT(hare.width, 0);
    EXPECT_EQ(hare.At(0, 0), SpriteKeyColour);
}

TEST(PictureManifest, BackgroundTilesHaveTheirLayerSizesAndSeeThroughSkies) {
    const int widths[] = {0, 720, 760, 800};
    for (int layer = 1; layer <= 3; ++layer) {
        for (int tile = 1; tile <= 6; ++tile) {
            std::string path =
                "grafik/hintergrund/E" + std::to_string(layer) + std::to_string(tile) + ".bmp";
            SCOPED_TRACE(path);
            display::DecodedBitmap b = Load(path);
            ASSERT_EQ(b.width, widths[layer]);
            ASSERT_EQ(b.height, 600);
            if (layer == 1) continue;
            // The sky is see-through across the top and the ground is opaque at the bottom.
            int skyKeys = 0, groundKeys = 0;
            for (int x = 0; x < b.width; ++x) {
                skyKeys += b.At(x, 0) == PanelKeyColour;
                groundKeys += b.At(x, 599) == PanelKeyColour;
            }
            EXPECT_GT(skyKeys, b.width / 4);
            EXPECT_EQ(groundKeys, 0);
        }
    }
}

// The lowest opaque row of a frame: feet (or belly) on the ground line means the bottom rows.
int LowestOpaqueRow(const display::DecodedBitmap& b, int frame, int frames) {
    int w = b.width / frames;
    for (int y = b.height - 1; y >= 0; --y) {
        for (int x = frame * w; x < (frame + 1) * w; ++x) {
            if (b.At(x, y) != SpriteKeyColour) return y;
        }
    }
    return -1;
}

TEST(PictureManifest, WalkingAnimalsStandOnTheBottomOfTheirFrames) {
    struct Walker {
        const char* path;
        int frames;
        std::vector<int> onGround;
    };
    const Walker walkers[] = {{"grafik/tiere/wildschwein1.bmp", 13, {0, 2, 4, 6, 8, 10, 12}},
                              {"grafik/tiere/wildschwein2.bmp", 13, {0, 4, 10, 11, 12}},
                              {"grafik/tiere/maulwurf1.bmp", 20, {0, 1, 2, 3, 4, 5, 6}},
                              {"grafik/tiere/wachtel4.bmp", 14, {0, 4, 8}},
                              {"grafik/tiere/Hase1.bmp", 30, {0, 4, 5, 10}}};
    for (const Walker& walker : walkers) {
        SCOPED_TRACE(walker.path);
        display::DecodedBitmap b = Load(walker.path);
        ASSERT_GT(b.width, 0);
        for (int frame : walker.onGround) {
            EXPECT_GE(LowestOpaqueRow(b, frame, walker.frames), b.height - 5) << "frame " << frame;
        }
    }
    // The apple rides on the boar: its strips match the boar's so the same position fits both.
    display::DecodedBitmap boar = Load("grafik/tiere/wildschwein1.bmp");
    display::DecodedBitmap apple = Load("grafik/tiere/apfel1.bmp");
    EXPECT_EQ(apple.width, boar.width);
    EXPECT_EQ(apple.height, boar.height);
}

// A pixel of a layer's panorama, found in the tile that holds it.
COLORREF LayerPixel(int layer, int tileWidth, double layerX, int y) {
    int tile = static_cast<int>(layerX) / tileWidth;
    display::DecodedBitmap b =
        Load("grafik/hintergrund/E" + std::to_string(layer) + std::to_string(tile + 1) + ".bmp");
    if (b.width == 0) return CLR_INVALID;
    return b.At(static_cast<int>(layerX) - tile * tileWidth, y);
}

bool IsDark(COLORREF c) {
    return c != CLR_INVALID && RedOf(c) + GreenOf(c) + BlueOf(c) < 300;
}

TEST(PictureManifest, HolesLieWhereMolesAndHaresDiveAndTheBellsHangInABelfry) {
    // Left edges (layer x) at which the game lets a mole or hare dive; the hole is under the
    // middle of the frame: full-size frames in the middle layer, half-size in the far layer.
    const double midMoles[] = {1633, 2160, 2473}, midHares[] = {1613, 2150, 2463};
    const double farMoles[] = {1763, 2003, 2343}, farHares[] = {1758, 1998, 2323};
    display::DecodedBitmap mole = Load("grafik/tiere/maulwurf1.bmp");
    display::DecodedBitmap hare = Load("grafik/tiere/Hase1.bmp");
    ASSERT_GT(mole.width, 0);
    ASSERT_GT(hare.width, 0);
    double moleHalf = mole.width / 20 / 2.0, hareHalf = hare.width / 30 / 2.0;
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(IsDark(LayerPixel(2, 760, midMoles[i] + 2 + moleHalf, 400))) << midMoles[i];
        EXPECT_TRUE(IsDark(LayerPixel(2, 760, midHares[i] + 2 + hareHalf, 400))) << midHares[i];
        EXPECT_TRUE(IsDark(LayerPixel(1, 720, farMoles[i] + 2 + moleHalf / 2, 300))) << farMoles[i];
        EXPECT_TRUE(IsDark(LayerPixel(1, 720, farHares[i] + 2 + hareHalf / 2, 300))) << farHares[i];
    }
    // The bells hang at layer x 2557 .. 2584, y 111 .. 166 of the far layer: behind them the
    // belfry's opening is dark.
    for (int y : {115, 135, 160}) EXPECT_TRUE(IsDark(LayerPixel(1, 720, 2569, y))) << y;
}

struct Rect {
    int left, top, right, bottom;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

TEST(PictureManifest, HudIconsSitInsideTheRectanglesTheGameCuts) {
    const Rect icons[] = {{0, 0, 32, 39},       {32, 0, 65, 33},      {65, 0, 107, 39},
                          {107, 0, 145, 39},    {145, 0, 180, 39},    {180, 0, 219, 39},
                          {220, 0, 256, 39},    {0, 39, 64, 71},      {64, 39, 128, 71},
                          {64, 71, 128, 103},   {0, 104, 52, 169},    {53, 103, 104, 178},
                          {104, 103, 120, 176}, {120, 103, 177, 199}, {256, 39, 299, 82}};
    display::DecodedBitmap sheet = Load("grafik/ingame/page_ingame_screen.bmp");
    ASSERT_GE(sheet.width, 299);
    ASSERT_GE(sheet.height, 199);
    std::vector<int> ink(std::size(icons), 0);
    for (int y = 0; y < sheet.height; ++y) {
        for (int x = 0; x < sheet.width; ++x) {
            if (IsKey(sheet, x, y, Key::Panel)) continue;
            bool inside = false;
            for (size_t i = 0; i < std::size(icons); ++i) {
                if (icons[i].Contains(x, y)) {
                    inside = true;
                    ++ink[i];
                }
            }
            EXPECT_TRUE(inside) << "stray pixel at " << x << ", " << y;
            if (!inside) return;
        }
    }
    for (size_t i = 0; i < std::size(icons); ++i)
        EXPECT_GT(ink[i], 40) << "icon " << i << " is empty";
    // The crosshair's centre is the cursor: the cell's pixel (21, 21) lies on the cross.
    EXPECT_FALSE(IsKey(sheet, 256 + 21, 39 + 21 - 12, Key::Panel));
}

void CheckFont(const presentation::FontStyle& style, const std::vector<int>& mustHaveInk) {
    SCOPED_TRACE(style.sheetFile);
    display::DecodedBitmap sheet = Load(style.sheetFile);
    ASSERT_GT(sheet.width, 0);
    EXPECT_EQ(sheet.height, style.glyphHeight);
    std::vector<int> widths(static_cast<size_t>(sheet.width / style.cellWidth + 1), 0);
    auto widthOfColumn = [&](int column) -> int& { return widths[static_cast<size_t>(column)]; };
    for (int code = 0; code < 256; ++code) {
        const presentation::Glyph& g = style.table[code];
        if (g.width <= 0) continue;
        ASSERT_LE((g.column + 1) * style.cellWidth, sheet.width) << "code " << code;
        widthOfColumn(g.column) = std::max(widthOfColumn(g.column), static_cast<int>(g.width));
    }
    for (int y = 0; y < sheet.height; ++y) {
        for (int x = 0; x < sheet.width; ++x) {
            if (IsKey(sheet, x, y, Key::Panel)) continue;
            int column = x / style.cellWidth;
            EXPECT_LT(x - column * style.cellWidth, widthOfColumn(column))
                << "ink outside glyph column " << column << " at " << x << ", " << y;
            if (x - column * style.cellWidth >= widthOfColumn(column)) return;
        }
    }
    for (int code : mustHaveInk) {
        const presentation::Glyph& g = style.table[code];
        int ink = 0;
        for (int y = 0; y < sheet.height; ++y) {
            for (int x = g.column * style.cellWidth; x < g.column * style.cellWidth + g.width;
                 ++x) {
                ink += !IsKey(sheet, x, y, Key::Panel);
            }
        }
        EXPECT_GT(ink, 3) << "no glyph for code " << code;
    }
}

TEST(PictureManifest, FontGlyphsStayInsideTheirColumnsAndWidths) {
    std::vector<int> menuCodes;
    for (int c = 'A'; c <= 'Z'; ++c) menuCodes.push_back(c);
    for (int c = 'a'; c <= 'z'; ++c) menuCodes.push_back(c);
    for (int c = '0'; c <= '9'; ++c) menuCodes.push_back(c);
    for (int c : {46, 58, 95, 33, 63, 196, 214, 220, 223, 228, 246, 252}) menuCodes.push_back(c);
    CheckFont(presentation::MenuFontStyle, menuCodes);
    CheckFont(presentation::IngameFontStyle,
              {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', ':', '-'});
}

TEST(PictureManifest, MenuAndScreenPiecesFitTheirPlaces) {
    for (const char* n : {"gamestart", "highscores", "credits", "back", "exit", "sound"}) {
        display::DecodedBitmap button = Load(std::string("grafik/menue/bttn_") + n + ".bmp");
        EXPECT_EQ(button.height, 65) << n;
        EXPECT_EQ(button.width, std::string(n) == "sound" ? 4 * 305 : 2 * 305) << n;
    }
    display::DecodedBitmap background = Load("grafik/menue/menue.bmp");
    EXPECT_GE(background.width, 1200);
    EXPECT_EQ(background.height, 600);
    for (const char* n : {"menu_window_impressum", "menu_window_highscores"}) {
        display::DecodedBitmap window = Load(std::string("grafik/menue/") + n + ".bmp");
        EXPECT_LE(388 + window.width, 800) << n;
        EXPECT_LE(8 + window.height, 600) << n;
        // The high-score table goes on it from x 440 to 760 and y 135 to 500 on screen.
        EXPECT_GE(388 + window.width, 760) << n;
        EXPECT_GE(8 + window.height, 500) << n;
    }
    display::DecodedBitmap logo = Load("grafik/menue/gamelogo.bmp");
    EXPECT_LE(438 + logo.width, 800);
    EXPECT_LE(40 + logo.height, 190) << "the logo runs into the first button";
    struct Trophy {
        const char* name;
        int x, y;
    };
    for (const Trophy& t :
         {Trophy{"hase", 318, 50}, Trophy{"schwein", 208, 66}, Trophy{"hirsch", 120, 22},
          Trophy{"specht", 37, 34}, Trophy{"ente", 36, 147}}) {
        display::DecodedBitmap trophy = Load(std::string("grafik/menue/trophy_") + t.name + ".bmp");
        EXPECT_LE(t.x + trophy.width / 2, 450) << t.name << " reaches into the buttons";
        EXPECT_LE(t.y + trophy.height, 600) << t.name;
    }
    struct Panel {
        const char* path;
        int width;
    };
    for (const Panel& p :
         {Panel{"grafik/ingame/info_armbrust.bmp", 408},
          Panel{"grafik/ingame/info_dynamit.bmp", 392}, Panel{"grafik/ingame/info_mg.bmp", 328}}) {
        display::DecodedBitmap panel = Load(p.path);
        EXPECT_GE(panel.width, p.width) << p.path;
        EXPECT_GE(panel.height, 54) << p.path;
    }
    for (const char* n : {"schrotflinte", "armbrust", "dynamit", "mg"}) {
        display::DecodedBitmap weapon = Load(std::string("grafik/waffen/") + n + ".bmp");
        EXPECT_GE(weapon.height, 120) << n;
        EXPECT_LE(weapon.height, 170) << n;
        EXPECT_LE(weapon.width, 800) << n;
    }
    for (const char* n : {"startscreen", "loadingscreen", "loadingscreen_revier"}) {
        display::DecodedBitmap screen = Load(std::string("grafik/screens/") + n + ".bmp");
        EXPECT_EQ(screen.width, 800) << n;
        EXPECT_EQ(screen.height, 600) << n;
    }
}

}  // namespace
