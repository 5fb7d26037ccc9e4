// The game's two bitmap fonts. A font is a sheet of fixed-pitch cells plus a table that gives,
// for every 8-bit (Windows-1252) character code, the cell column of its glyph and the glyph's
// width. Glyphs are copied from the sheet with the sheet's key colour; there is no scaling,
// kerning or line breaking.
#pragma once

#include <cstdint>

class CBitmapSurface;
class CDisplayDevice;

namespace presentation {

struct Glyph {
    int8_t column = 0;
    int8_t width = 0;  // 0: the code has no glyph and draws nothing
};

struct FontStyle {
    const char* sheetFile;
    int cellWidth;  // column pitch of the sheet
    int glyphHeight;
    int extraAdvance;    // added to the glyph width after each glyph
    int spaceAdvance;    // a space is never looked up in the table
    const Glyph* table;  // 256 entries, indexed by the unsigned character code
};

// HUD numbers, point labels and the round result: digits, colon, full stop and minus.
extern const FontStyle IngameFontStyle;
// High-score table and menu messages: letters with the German umlauts, digits, punctuation.
extern const FontStyle MenuFontStyle;

class BitmapFont {
  public:
    // Loads the style's sheet and keys it with the panel key colour. Without a sheet (a missing
    // file or no display) the font draws nothing but still measures and advances.
    BitmapFont(CDisplayDevice* display, const FontStyle& style);
    ~BitmapFont();
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    // Draws `text` (NUL-terminated, 8-bit) left to right from the top-left corner (x, y) and
    // returns the x after the last character. Glyphs that would leave the screen are not drawn;
    // the menu's name entry uses the returned x as its cursor position.
    int DrawString(CDisplayDevice* display, int x, int y, const char* text);
    // The x advance of `text`, as DrawString would move.
    int MeasureString(const char* text) const { return MeasureString(style_, text); }
    // The same for a font of `style`, whether or not one has been created.
    static int MeasureString(const FontStyle& style, const char* text);
    static int Advance(const FontStyle& style, unsigned char code);

    // The glyph of `code`.
    Glyph GlyphOf(unsigned char code) const { return style_.table[code]; }
    int Advance(unsigned char code) const { return Advance(style_, code); }

    CBitmapSurface* Sheet() const { return sheet_; }

  private:
    const FontStyle& style_;
    CBitmapSurface* sheet_ = nullptr;
};

// The two fonts of the game, created on the display when the menu is first entered and anew
// after the display surfaces were lost; empty until then.
extern BitmapFont* MenuFont;
extern BitmapFont* IngameFont;

// Creates whichever of the two fonts does not exist yet.
void CreateMissingFonts(CDisplayDevice* display);
// Deletes both fonts (before a reload after a display loss, and at the end).
void ReleaseFonts();

}  // namespace presentation
