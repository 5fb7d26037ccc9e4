#include "display/bmp_writer.h"

#include <fstream>

namespace display {

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

constexpr uint32_t FileHeaderSize = 14;
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t PixelsPerMetre = 2835;  // 72 dpi

}  // namespace

std::vector<uint8_t> EncodeBmp(int width, int height,
                               const std::function<COLORREF(int x, int y)>& colourAt) {
    // Rows are padded to whole 32-bit words.
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(height);
    const uint32_t offset = FileHeaderSize + InfoHeaderSize;
    std::vector<uint8_t> out;
    out.reserve(offset + imageBytes);
    // BITMAPFILEHEADER
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageBytes);
    Put32(out, 0);
    Put32(out, offset);
    // BITMAPINFOHEADER
    Put32(out, InfoHeaderSize);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));  // positive: bottom row first
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);  // BI_RGB
    Put32(out, imageBytes);
    Put32(out, PixelsPerMetre);
    Put32(out, PixelsPerMetre);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        const size_t rowStart = out.size();
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colourAt(x, y);
            out.push_back(BlueOf(c));
            out.push_back(GreenOf(c));
            out.push_back(RedOf(c));
        }
        while (out.size() - rowStart < rowBytes) out.push_back(0);
    }
    return out;
}

bool WriteRgb565Bmp(const std::string& path, const uint16_t* pixels, int width, int height,
                    int pitch) {
    if (!pixels || width <= 0 || height <= 0) return false;
    const std::vector<uint8_t> out = EncodeBmp(width, height, [&](int x, int y) {
        return Rgb565ToColourRef(
            pixels[static_cast<size_t>(y) * static_cast<size_t>(pitch) + static_cast<size_t>(x)]);
    });
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

}  // namespace display
