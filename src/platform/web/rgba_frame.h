// The game's 16-bit picture as a canvas takes it. RGB565 becomes 8-bit red, green, blue and an
// opaque alpha, in the canvas's byte order (R, G, B, A), each channel's top bits repeated into its
// low ones, so that white stays white and black black. Plain arithmetic on whole rows, which the
// compiler turns into vector instructions.
#pragma once

#include <cstdint>

namespace platform::web {

// Converts `width` x `height` pixels, rows `pitch` pixels apart, into `rgba` (rows `width`
// apart).
void ToRgba(const uint16_t* pixels, int pitch, int width, int height, uint32_t* rgba);

}  // namespace platform::web
