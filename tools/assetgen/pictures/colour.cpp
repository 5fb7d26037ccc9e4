#include "pictures/colour.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

uint8_t Channel(double v) {
    return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
    return Rgb{Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t),
               Channel(a.b + (b.b - a.b) * t)};
}

Rgb Lighter(Rgb c, double t) {
    return Mix(c, Rgb{255, 255, 255}, t);
}

Rgb Darker(Rgb c, double t) {
    return Mix(c, Rgb{0, 0, 0}, t);
}

}  // namespace assetgen
