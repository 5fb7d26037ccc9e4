// Colours of the pack: the two transparent keys, the woodland palette and the conversion of a
// drawn colour into the 16-bit colour the game shows.
#pragma once

#include <cstdint>

#include "display/colour.h"

namespace assetgen {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;

    constexpr bool operator==(const Rgb&) const = default;
};

constexpr Rgb Hex(uint32_t rgb) {
    return Rgb{static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
               static_cast<uint8_t>(rgb)};
}

// Mixes `a` towards `b` by `t` (0 = a, 1 = b).
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Lighter(Rgb c, double t);  // towards white
Rgb Darker(Rgb c, double t);   // towards black

// A drawn colour as the game's colour value, and back.
constexpr COLORREF ToColourRef(Rgb c) {
    return MakeColourRef(c.r, c.g, c.b);
}
constexpr Rgb FromColourRef(COLORREF c) {
    return Rgb{RedOf(c), GreenOf(c), BlueOf(c)};
}

// The 5-6-5 bits the game keeps of a colour.
constexpr uint16_t ToRgb565(Rgb c) {
    return ColourRefToRgb565(ToColourRef(c));
}
// The colour the game shows for `c`: its 5-6-5 bits widened again.
constexpr Rgb Shown(Rgb c) {
    return FromColourRef(Rgb565ToColourRef(ToRgb565(c)));
}

// The transparent colours: sprites, scenery, signs, the clock object and the trophies use the
// almost-black sprite key; panels, fonts, menu pieces, the HUD sheet and the middle and near
// background tiles use magenta.
constexpr Rgb SpriteKey = FromColourRef(SpriteKeyColour);
constexpr Rgb PanelKey = FromColourRef(PanelKeyColour);

// True when a visible colour would turn into one of the two keys in 16-bit colour.
constexpr bool LooksLikeAKey(Rgb c) {
    uint16_t pixel = ToRgb565(c);
    return pixel == ToRgb565(SpriteKey) || pixel == ToRgb565(PanelKey);
}

namespace palette {
// Woodland greens, earth and bark, sky, autumn accents and highlights.
constexpr Rgb DeepGreen = Hex(0x2f5d2a);
constexpr Rgb LeafGreen = Hex(0x4f8a3c);
constexpr Rgb FreshGreen = Hex(0x8fbf5a);
constexpr Rgb Earth = Hex(0x5a3b22);
constexpr Rgb Bark = Hex(0x8a5a32);
constexpr Rgb Sand = Hex(0xc49a6c);
constexpr Rgb SkyHigh = Hex(0x9fd0f0);
constexpr Rgb SkyLow = Hex(0xe8f4ff);
constexpr Rgb Autumn = Hex(0xd9772b);
constexpr Rgb Berry = Hex(0xb8322a);
constexpr Rgb Cream = Hex(0xf4ead0);
// The dark brown-green every shape is outlined with.
constexpr Rgb Outline = Hex(0x24251a);
constexpr Rgb Black = Hex(0x141414);
constexpr Rgb White = Hex(0xfbfbf6);
}  // namespace palette

}  // namespace assetgen
