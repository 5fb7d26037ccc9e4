// The glyph tables of the two bitmap fonts, taken from the game: for each Windows-1252 code with
// a glyph, its column on the sheet and its width.
#pragma once

#include <vector>

namespace assetgen {

struct GlyphEntry {
    int code;
    int column;
    int width;
};

constexpr int MenuFontCell = 20, MenuFontHeight = 20;
constexpr int IngameFontCell = 24, IngameFontHeight = 32;
constexpr int FontColumns = 94;  // the menu table reaches column 93

const std::vector<GlyphEntry>& MenuFontGlyphs();
const std::vector<GlyphEntry>& IngameFontGlyphs();

}  // namespace assetgen
