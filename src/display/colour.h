// Colour values as the game states them (Windows COLORREF, 0x00BBGGRR) and the 16-bit RGB565
// pixels of every surface.
#pragma once

#include <cstdint>

using COLORREF = uint32_t;

// No colour, or a failed pixel read.
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Transparent colour of animal, effect, scenery, clock object and sign pictures: RGB(0, 0, 13).
constexpr COLORREF SpriteKeyColour = 0x000D0000;
// Transparent colour of panels, the middle and near layers, the HUD sheet, fonts and menu: magenta.
constexpr COLORREF PanelKeyColour = 0x00FF00FF;

constexpr COLORREF MakeColourRef(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) |
           (static_cast<COLORREF>(b) << 16);
}
constexpr uint8_t RedOf(COLORREF c) {
    return static_cast<uint8_t>(c & 0xFF);
}
constexpr uint8_t GreenOf(COLORREF c) {
    return static_cast<uint8_t>((c >> 8) & 0xFF);
}
constexpr uint8_t BlueOf(COLORREF c) {
    return static_cast<uint8_t>((c >> 16) & 0xFF);
}

// The one conversion from a colour to a surface pixel: each channel keeps its high bits. Loading
// a bitmap and converting a key colour both go through here, so a key always matches the pixels
// that were loaded from it.
constexpr uint16_t ColourRefToRgb565(COLORREF c) {
    return static_cast<uint16_t>(((RedOf(c) >> 3) << 11) | ((GreenOf(c) >> 2) << 5) |
                                 (BlueOf(c) >> 3));
}

// Widens a pixel back to 8 bits per channel by repeating the high bits: a full channel reads 0xFF
// and an empty one 0x00, so magenta reads back as exactly 0x00FF00FF.
constexpr COLORREF Rgb565ToColourRef(uint16_t p) {
    uint32_t r5 = (p >> 11) & 0x1F;
    uint32_t g6 = (p >> 5) & 0x3F;
    uint32_t b5 = p & 0x1F;
    return MakeColourRef(static_cast<uint8_t>((r5 << 3) | (r5 >> 2)),
                         static_cast<uint8_t>((g6 << 2) | (g6 >> 4)),
                         static_cast<uint8_t>((b5 << 3) | (b5 >> 2)));
}
