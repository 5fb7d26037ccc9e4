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
#include "presentation/bitmap_font.h"

namespace assetgen {

namespace {

// Every code with a glyph in one of the game's own tables, in code order.
std::vector<GlyphEntry> GlyphsOf(const presentation::FontStyle& style) {
    std::vector<GlyphEntry> glyphs;
    for (int code = 0; code < 256; ++code) {
        const presentation::Glyph glyph = style.table[code];
        if (glyph.width > 0) glyphs.push_back({code, glyph.column, glyph.width});
    }
    return glyphs;
}

}  // namespace

// The sheets are drawn from the very tables the game reads them with.
const std::vector<GlyphEntry>& MenuFontGlyphs() {
    static const std::vector<GlyphEntry> glyphs = GlyphsOf(presentation::MenuFontStyle);
    return glyphs;
}

const std::vector<GlyphEntry>& IngameFontGlyphs() {
    static const std::vector<GlyphEntry> glyphs = GlyphsOf(presentation::IngameFontStyle);
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
