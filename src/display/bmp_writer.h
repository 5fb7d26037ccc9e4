#pragma once

#include <cstdint>
#include <string>

namespace display {

// Writes an RGB565 picture as a 24-bit Windows BMP (screenshots of the back buffer).
bool WriteRgb565Bmp(const std::string& path, const uint16_t* pixels, int width, int height,
                    int pitch);

}  // namespace display
