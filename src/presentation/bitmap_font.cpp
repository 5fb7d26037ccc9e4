#include "presentation/bitmap_font.h"

#include <array>

#include "display/bitmap_surface.h"
#include "display/colour.h"
#include "display/display_device.h"

namespace presentation {

namespace {

using GlyphTable = std::array<Glyph, 256>;

struct Entry {
    int code;
    int column;
    int width;
};

// The menu sheet's columns run A Ä B .. O Ö P .. U Ü V .. Z a ä b .. o ö p .. u ü v .. z ß
// 1 .. 9 0, then punctuation; column 72 is empty. The German letters are listed under their
// Windows-1252 codes and again under their DOS (code page 437) codes, which share the glyphs;
// the DOS ä (132) has no glyph here.
constexpr Entry kMenuEntries[] = {
    {33, 76, 3},   {34, 82, 7},   {35, 89, 8},   {37, 87, 16},  {38, 88, 12},  {39, 93, 4},
    {40, 85, 5},   {41, 86, 5},   {43, 75, 9},   {44, 79, 3},   {45, 74, 5},   {46, 78, 3},
    {47, 83, 5},   {48, 68, 9},   {49, 59, 9},   {50, 60, 9},   {51, 61, 9},   {52, 62, 9},
    {53, 63, 9},   {54, 64, 9},   {55, 65, 9},   {56, 66, 9},   {57, 67, 9},   {58, 81, 3},
    {59, 80, 3},   {60, 70, 9},   {61, 71, 9},   {62, 69, 9},   {63, 77, 9},   {64, 90, 16},
    {65, 0, 12},   {66, 2, 11},   {67, 3, 11},   {68, 4, 11},   {69, 5, 10},   {70, 6, 9},
    {71, 7, 11},   {72, 8, 11},   {73, 9, 3},    {74, 10, 9},   {75, 11, 11},  {76, 12, 9},
    {77, 13, 12},  {78, 14, 11},  {79, 15, 11},  {80, 17, 10},  {81, 18, 11},  {82, 19, 12},
    {83, 20, 11},  {84, 21, 11},  {85, 22, 11},  {86, 24, 12},  {87, 25, 16},  {88, 26, 10},
    {89, 27, 11},  {90, 28, 10},  {92, 84, 5},   {95, 73, 10},  {97, 29, 9},   {98, 31, 9},
    {99, 32, 8},   {100, 33, 9},  {101, 34, 8},  {102, 35, 7},  {103, 36, 9},  {104, 37, 9},
    {105, 38, 3},  {106, 39, 5},  {107, 40, 8},  {108, 41, 3},  {109, 42, 13}, {110, 43, 9},
    {111, 44, 9},  {112, 46, 9},  {113, 47, 9},  {114, 48, 6},  {115, 49, 8},  {116, 50, 6},
    {117, 51, 9},  {118, 53, 8},  {119, 54, 14}, {120, 55, 8},  {121, 56, 10}, {122, 57, 8},
    {129, 52, 9},  {142, 1, 12},  {148, 45, 9},  {153, 16, 11}, {154, 23, 11}, {196, 1, 12},
    {214, 16, 11}, {220, 23, 11}, {223, 58, 9},  {225, 58, 9},  {228, 30, 9},  {246, 45, 9},
    {252, 52, 9},
};

// The in-game sheet holds the digits 0 .. 9 in columns 0 .. 9, then colon, full stop and minus.
// Its table is the menu table with these changes; the German letters of the Windows code page
// lose their glyphs while the DOS ä gains one, pointing at a column the sheet leaves empty.
constexpr Entry kIngameChanges[] = {
    {45, 12, 12}, {46, 11, 10}, {48, 0, 17},  {49, 1, 14}, {50, 2, 18}, {51, 3, 18},
    {52, 4, 21},  {53, 5, 18},  {54, 6, 17},  {55, 7, 17}, {56, 8, 18}, {57, 9, 18},
    {58, 10, 10}, {95, 0, 0},   {132, 30, 9}, {196, 0, 0}, {214, 0, 0}, {220, 0, 0},
    {223, 0, 0},  {228, 0, 0},  {246, 0, 0},  {252, 0, 0},
};

template <size_t N>
constexpr void Apply(GlyphTable& table, const Entry (&entries)[N]) {
    for (const Entry& e : entries) {
        table[size_t(e.code)] = Glyph{int8_t(e.column), int8_t(e.width)};
    }
}

constexpr GlyphTable MakeMenuTable() {
    GlyphTable table{};
    Apply(table, kMenuEntries);
    return table;
}

constexpr GlyphTable MakeIngameTable() {
    GlyphTable table = MakeMenuTable();
    Apply(table, kIngameChanges);
    return table;
}

constexpr GlyphTable kMenuTable = MakeMenuTable();
constexpr GlyphTable kIngameTable = MakeIngameTable();

}  // namespace

const FontStyle IngameFontStyle = {
    "grafik/font/font_ingame.bmp", 24, 32, 3, 8, kIngameTable.data()};
const FontStyle MenuFontStyle = {"grafik/font/font_menue.bmp", 20, 20, 0, 4, kMenuTable.data()};

BitmapFont* MenuFont = nullptr;
BitmapFont* IngameFont = nullptr;

BitmapFont::BitmapFont(CDisplayDevice* display, const FontStyle& style) : style_(style) {
    if (!display) return;
    if (display->LoadBitmapSurface(&sheet_, style.sheetFile, 0, 0) < 0 || !sheet_) {
        sheet_ = nullptr;
        return;
    }
    sheet_->SetKeyColour(PanelKeyColour);
}

BitmapFont::~BitmapFont() {
    delete sheet_;
}

int BitmapFont::Advance(const FontStyle& style, unsigned char code) {
    if (code == ' ') return style.spaceAdvance;
    return style.table[code].width + style.extraAdvance;
}

int BitmapFont::DrawString(CDisplayDevice* display, int x, int y, const char* text) {
    if (!text) return x;
    for (const char* c = text; *c != '\0'; ++c) {
        const auto code = static_cast<unsigned char>(*c);
        if (code != ' ') {
            const Glyph glyph = style_.table[code];
            // A code without a glyph is an empty rectangle: nothing to copy. Positions off the
            // left or top edge wrap to huge unsigned values and are refused like any other
            // rectangle that leaves the screen.
            if (glyph.width > 0 && sheet_ && display) {
                const int left = glyph.column * style_.cellWidth;
                const Rect source{left, 0, left + glyph.width, style_.glyphHeight};
                display->DrawSurface(uint32_t(x), uint32_t(y), sheet_, &source);
            }
        }
        x += Advance(code);
    }
    return x;
}

int BitmapFont::MeasureString(const FontStyle& style, const char* text) {
    int width = 0;
    if (!text) return width;
    for (const char* c = text; *c != '\0'; ++c) {
        width += Advance(style, static_cast<unsigned char>(*c));
    }
    return width;
}

void CreateMissingFonts(CDisplayDevice* display) {
    if (!MenuFont) MenuFont = new BitmapFont(display, MenuFontStyle);
    if (!IngameFont) IngameFont = new BitmapFont(display, IngameFontStyle);
}

void ReleaseFonts() {
    delete MenuFont;
    MenuFont = nullptr;
    delete IngameFont;
    IngameFont = nullptr;
}

}  // namespace presentation
