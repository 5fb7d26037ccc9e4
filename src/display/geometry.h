#pragma once

#include <cstddef>
#include <cstdint>

// A rectangle in pixels; right and bottom are exclusive.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
};

namespace display {

// Pixels of a width x height picture, and where pixel (x, y) lies in one stored row by row with
// `pitch` pixels to a row. None of them is negative; they are counted in size_t, so that no
// product overflows an int.
constexpr size_t PixelCount(int width, int height) {
    return static_cast<size_t>(width) * static_cast<size_t>(height);
}
constexpr size_t PixelIndex(int x, int y, int pitch) {
    return PixelCount(pitch, y) + static_cast<size_t>(x);
}

}  // namespace display
