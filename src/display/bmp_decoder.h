// Reads Windows BMP files in every variant a picture may come in: 1, 4, 8, 16, 24 and 32 bits
// per pixel, palettes, bit fields, RLE4 and RLE8, bottom-up and top-down, the core and the
// extended info headers. A corrupt or truncated file is refused, never read out of bounds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "display/colour.h"
#include "display/geometry.h"

namespace display {

struct DecodedBitmap {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // top row first

    COLORREF At(int x, int y) const { return pixels[PixelIndex(x, y, width)]; }
};

// The largest picture we accept in either direction, and in pixels overall.
constexpr int MaxBitmapSide = 16384;
constexpr int64_t MaxBitmapPixels = 64LL * 1024 * 1024;

bool DecodeBmp(const uint8_t* data, size_t size, DecodedBitmap& out);
bool DecodeBmpFile(const std::string& path, DecodedBitmap& out);

// Nearest-neighbour resampling of the source rectangle (sx, sy, sw, sh) onto width x height,
// so key colours stay exact.
DecodedBitmap ScaleNearest(const DecodedBitmap& source, int sx, int sy, int sw, int sh, int width,
                           int height);

}  // namespace display
