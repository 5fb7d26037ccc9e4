#include "platform/web/rgba_frame.h"

#include <cstddef>

namespace platform::web {

void ToRgba(const uint16_t* pixels, int pitch, int width, int height, uint32_t* rgba) {
    for (int y = 0; y < height; ++y) {
        const uint16_t* from = pixels + static_cast<ptrdiff_t>(y) * pitch;
        uint32_t* to = rgba + static_cast<ptrdiff_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            const uint32_t c = from[x];
            const uint32_t r = c >> 11, g = (c >> 5) & 63u, b = c & 31u;
            const uint32_t red = (r << 3) | (r >> 2);
            const uint32_t green = (g << 2) | (g >> 4);
            const uint32_t blue = (b << 3) | (b >> 2);
            // Little-endian: the lowest byte is the first in memory.
            to[x] = red | (green << 8) | (blue << 16) | 0xFF000000u;
        }
    }
}

}  // namespace platform::web
