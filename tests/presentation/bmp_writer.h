// Writes small 24-bit BMP files for tests that load pictures through the display layer.
#pragma once

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace menu_testing {

// `colour(x, y)` gives 0x00BBGGRR for each pixel; (0, 0) is the top-left corner.
inline bool WriteBmp24(const std::string& path, int width, int height,
                       const std::function<uint32_t(int, int)>& colour) {
    const int rowBytes = (width * 3 + 3) & ~3;
    const uint32_t imageBytes = uint32_t(rowBytes) * uint32_t(height);
    std::vector<uint8_t> file(54 + imageBytes, 0);
    auto put16 = [&](size_t at, uint32_t v) {
        file[at] = uint8_t(v);
        file[at + 1] = uint8_t(v >> 8);
    };
    auto put32 = [&](size_t at, uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, uint32_t(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(height));
    put16(26, 1);
    put16(28, 24);
    put32(34, imageBytes);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = file.data() + 54 + size_t(height - 1 - y) * size_t(rowBytes);
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colour(x, y);
            row[x * 3] = uint8_t(c >> 16);     // blue
            row[x * 3 + 1] = uint8_t(c >> 8);  // green
            row[x * 3 + 2] = uint8_t(c);       // red
        }
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    return bool(out);
}

}  // namespace menu_testing
