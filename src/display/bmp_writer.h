// Writes pictures as 24-bit Windows BMP files: uncompressed, BITMAPINFOHEADER, bottom row first,
// 72 dpi. The screenshots of the back buffer and the generated pictures of the pack both come
// from here.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "display/colour.h"

namespace display {

// The file's bytes for a picture of `width` x `height` whose pixel (x, y), counted from the top
// row, has the colour `colourAt(x, y)`.
std::vector<uint8_t> EncodeBmp(int width, int height,
                               const std::function<COLORREF(int x, int y)>& colourAt);

// Writes an RGB565 picture (screenshots of the back buffer). False when there is nothing to
// write or the file could not be written.
bool WriteRgb565Bmp(const std::string& path, const uint16_t* pixels, int width, int height,
                    int pitch);

}  // namespace display
