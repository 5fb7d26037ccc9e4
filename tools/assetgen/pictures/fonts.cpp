// The two font sheets: the menu font (dark ink for the high-score window, cells of 20, glyphs
// 20 high) and the in-game font (golden digits with a dark rim for the HUD, cells of 24, glyphs
// 32 high). Glyph shapes come from DejaVu; each glyph is fitted into the width its table gives,
// which already includes the spacing to the next letter.
#include <algorithm>
#include <cmath>
#include <map>

#include "pictures/font_tables.h"
#include "pictures/paint.h"
#include "pictures/recipes.h"

namespace assetgen {

const std::vector<GlyphEntry>& MenuFontGlyphs() {
    static const std::vector<GlyphEntry> glyphs = {
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
        {252, 52, 9}};
    return glyphs;
}

const std::vector<GlyphEntry>& IngameFontGlyphs() {
    static const std::vector<GlyphEntry> glyphs = [] {
        std::map<int, GlyphEntry> table;
        for (const GlyphEntry& g : MenuFontGlyphs()) table[g.code] = g;
        const GlyphEntry changes[] = {
            {45, 12, 12}, {46, 11, 10}, {48, 0, 17},  {49, 1, 14}, {50, 2, 18}, {51, 3, 18},
            {52, 4, 21},  {53, 5, 18},  {54, 6, 17},  {55, 7, 17}, {56, 8, 18}, {57, 9, 18},
            {58, 10, 10}, {95, 0, 0},   {132, 30, 9}, {196, 0, 0}, {214, 0, 0}, {220, 0, 0},
            {223, 0, 0},  {228, 0, 0},  {246, 0, 0},  {252, 0, 0}};
        for (const GlyphEntry& g : changes) table[g.code] = g;
        std::vector<GlyphEntry> out;
        for (const auto& [code, g] : table) {
            if (g.width > 0) out.push_back(g);
        }
        return out;
    }();
    return glyphs;
}

namespace {

// The character a Windows-1252 (or, for the duplicates, code page 437) code stands for.
std::string Utf8ForCode(int code) {
    switch (code) {
        case 129:
        case 252:
            return "\u00fc";
        case 142:
        case 196:
            return "\u00c4";
        case 148:
        case 246:
            return "\u00f6";
        case 153:
        case 214:
            return "\u00d6";
        case 154:
        case 220:
            return "\u00dc";
        case 223:
        case 225:
            return "\u00df";
        case 132:
        case 228:
            return "\u00e4";
        default:
            return std::string(1, static_cast<char>(code));
    }
}

struct GlyphStyle {
    int cell, height;
    double size, baseline;
    Rgb ink;
    double outline;
    Rgb outlineColour;
    bool shadow;
};

// Renders one glyph, scaled across if its ink is wider than the cell's width allows, with its
// ink starting at the column's left edge.
void PaintGlyph(cairo_t* cr, const std::string& text, int column, int width,
                const GlyphStyle& style) {
    double left = column * style.cell;
    double room = width - (style.outline > 0 ? 0.0 : 1.0);  // keep a gap to the next letter
    cairo_save(cr);
    cairo_rectangle(cr, left, 0, width, style.height);
    cairo_clip(cr);
    SelectFont(cr, Font::SansBold, style.size);
    cairo_text_extents_t ink;
    cairo_text_extents(cr, text.c_str(), &ink);
    double inkWidth = ink.width + 2 * style.outline;
    double squeeze = std::min(1.0, room / std::max(1.0, inkWidth));
    // Ink starts near the left edge, like a letter's own side bearing.
    double inkLeft = left + std::min(1.0, (room - inkWidth * squeeze) / 2);
    cairo_translate(cr, inkLeft, 0);
    cairo_scale(cr, squeeze, 1);
    cairo_translate(cr, style.outline - ink.x_bearing, 0);
    auto glyphPath = [&](double dx, double dy) {
        cairo_new_path(cr);
        cairo_move_to(cr, dx, style.baseline + dy);
        cairo_text_path(cr, text.c_str());
    };
    if (style.shadow) {
        glyphPath(1.5, 2);
        SetColour(cr, palette::Outline);
        cairo_set_line_width(cr, style.outline * 2);
        cairo_stroke_preserve(cr);
        cairo_fill(cr);
    }
    glyphPath(0, 0);
    if (style.outline > 0) {
        SetColour(cr, style.outlineColour);
        cairo_set_line_width(cr, style.outline * 2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    cairo_pattern_t* gradient =
        cairo_pattern_create_linear(0, style.baseline - style.size * 0.75, 0, style.baseline);
    Rgb top = Lighter(style.ink, 0.35);
    cairo_pattern_add_color_stop_rgb(gradient, 0, top.r / 255.0, top.g / 255.0, top.b / 255.0);
    cairo_pattern_add_color_stop_rgb(gradient, 1, style.ink.r / 255.0, style.ink.g / 255.0,
                                     style.ink.b / 255.0);
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
    cairo_restore(cr);
}

Picture DrawFontSheet(const std::string& path, const std::vector<GlyphEntry>& glyphs,
                      const GlyphStyle& style, const std::map<int, std::string>& columnText,
                      const FinishOptions& options) {
    Canvas canvas(FontColumns * style.cell, style.height);
    std::map<int, int> drawn;
    for (const GlyphEntry& g : glyphs) {
        if (drawn.count(g.column)) continue;
        drawn[g.column] = g.width;
        auto text = columnText.find(g.column);
        PaintGlyph(canvas.cr(), text != columnText.end() ? text->second : Utf8ForCode(g.code),
                   g.column, g.width, style);
    }
    return Finish(canvas, path, options);
}

// The paper colour of the high-score window, which the menu font's soft edges are blended into.
const Rgb kWindowPaper = Hex(0xf2e6c8);

}  // namespace

void AddFontRecipes(std::vector<Recipe>& recipes) {
    recipes.push_back(
        {"menu font", [] {
             GlyphStyle style{MenuFontCell, MenuFontHeight, 15, 15, Hex(0x3a2210), 0, {}, false};
             FinishOptions options{Key::Panel};
             options.edge = kWindowPaper;
             options.keyBelowAlpha = 80;
             // Only the first code of a shared column is drawn; make those the Windows-1252
             // letters.
             std::vector<GlyphEntry> glyphs = MenuFontGlyphs();
             std::stable_sort(
                 glyphs.begin(), glyphs.end(), [](const GlyphEntry& a, const GlyphEntry& b) {
                     return (a.code >= 128 && a.code < 160) < (b.code >= 128 && b.code < 160);
                 });
             return std::vector<Picture>{
                 DrawFontSheet("grafik/font/font_menue.bmp", glyphs, style, {}, options)};
         }});
    recipes.push_back(
        {"in-game font", [] {
             GlyphStyle style{
                 IngameFontCell, IngameFontHeight, 30, 27, Hex(0xf0c030), 2.2, Hex(0x3a2410), true};
             // The in-game sheet holds digits, colon, full stop and minus only.
             std::map<int, std::string> columns = {{10, ":"}, {11, "."}, {12, "-"}};
             for (int d = 0; d <= 9; ++d) columns[d] = std::string(1, static_cast<char>('0' + d));
             std::vector<GlyphEntry> glyphs;
             for (const GlyphEntry& g : IngameFontGlyphs()) {
                 if (g.column <= 12 &&
                     (g.code == 45 || g.code == 46 || (g.code >= 48 && g.code <= 58))) {
                     glyphs.push_back(g);
                 }
             }
             return std::vector<Picture>{DrawFontSheet("grafik/font/font_ingame.bmp", glyphs, style,
                                                       columns, FinishOptions{Key::Panel})};
         }});
}

}  // namespace assetgen
