// Compares what a real window shows with one of the game's pictures, for the real-window test.
//
//   tq_window_probe SHOT.xwd PICTURE.bmp PX PY W H WX WY
//
// reads a window dump written by `xwd` and prints how many of the W x H pixels of PICTURE (from
// PX, PY) appear at WX, WY in the window, as a whole percentage. Magenta pixels of the picture
// (the key colour of panels and sheets) are see-through and not compared. Colours are compared
// at the 16-bit depth the game draws with, one step apart allowed per channel. Exit code 0 with
// the percentage printed, 2 when a file cannot be read or the rectangles do not fit.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "display/bmp_decoder.h"
#include "display/colour.h"

namespace {

struct WindowDump {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // top row first
};

uint32_t BigEndian32(const std::vector<uint8_t>& bytes, size_t offset) {
    return (uint32_t(bytes[offset]) << 24) | (uint32_t(bytes[offset + 1]) << 16) |
           (uint32_t(bytes[offset + 2]) << 8) | uint32_t(bytes[offset + 3]);
}

// Spreads the bits under `mask` to 0..255.
uint8_t Channel(uint32_t pixel, uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1u)) ++shift;
    const uint32_t max = mask >> shift;
    return static_cast<uint8_t>(((pixel & mask) >> shift) * 255u / max);
}

// A true-colour ZPixmap dump with 32 bits per pixel, as xwd writes for a 24-bit screen, or with
// 24 (xwd writes those too once another client, xlogo for one, has asked for the format).
bool ReadWindowDump(const std::string& path, WindowDump& dump) {
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    if (bytes.size() < 100) return false;
    const uint32_t headerSize = BigEndian32(bytes, 0);
    const uint32_t format = BigEndian32(bytes, 8);
    const uint32_t width = BigEndian32(bytes, 16);
    const uint32_t height = BigEndian32(bytes, 20);
    const uint32_t byteOrder = BigEndian32(bytes, 28);
    const uint32_t bitsPerPixel = BigEndian32(bytes, 44);
    const uint32_t bytesPerLine = BigEndian32(bytes, 48);
    const uint32_t redMask = BigEndian32(bytes, 56);
    const uint32_t greenMask = BigEndian32(bytes, 60);
    const uint32_t blueMask = BigEndian32(bytes, 64);
    const uint32_t colours = BigEndian32(bytes, 76);
    const uint32_t bytesPerPixel = bitsPerPixel / 8;
    if (format != 2 || (bitsPerPixel != 32 && bitsPerPixel != 24) || width == 0 || height == 0 ||
        width > 16384 || height > 16384 || bytesPerLine < width * bytesPerPixel)
        return false;
    const uint64_t start = uint64_t(headerSize) + uint64_t(colours) * 12;
    if (start + uint64_t(bytesPerLine) * height > bytes.size()) return false;
    dump.width = int(width);
    dump.height = int(height);
    dump.pixels.resize(size_t(width) * height);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const uint8_t* p = &bytes[start + uint64_t(y) * bytesPerLine + x * bytesPerPixel];
            uint32_t pixel = 0;
            for (uint32_t i = 0; i < bytesPerPixel; ++i) {
                const uint32_t shift = byteOrder == 0 ? 8 * i : 8 * (bytesPerPixel - 1 - i);
                pixel |= uint32_t(p[i]) << shift;
            }
            dump.pixels[size_t(y) * width + x] = MakeColourRef(
                Channel(pixel, redMask), Channel(pixel, greenMask), Channel(pixel, blueMask));
        }
    }
    return true;
}

bool Near(int a, int b) {
    return std::abs(a - b) <= 1;
}

bool SameAtGameDepth(COLORREF a, COLORREF b) {
    const uint16_t p = ColourRefToRgb565(a);
    const uint16_t q = ColourRefToRgb565(b);
    return Near(p >> 11, q >> 11) && Near((p >> 5) & 0x3F, (q >> 5) & 0x3F) &&
           Near(p & 0x1F, q & 0x1F);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 9) {
        std::fprintf(stderr, "usage: tq_window_probe SHOT.xwd PICTURE.bmp PX PY W H WX WY\n");
        return 2;
    }
    WindowDump window;
    if (!ReadWindowDump(argv[1], window)) {
        std::fprintf(stderr, "tq_window_probe: cannot read the window dump %s\n", argv[1]);
        return 2;
    }
    display::DecodedBitmap picture;
    if (!display::DecodeBmpFile(argv[2], picture)) {
        std::fprintf(stderr, "tq_window_probe: cannot read the picture %s\n", argv[2]);
        return 2;
    }
    const int px = std::atoi(argv[3]), py = std::atoi(argv[4]);
    const int w = std::atoi(argv[5]), h = std::atoi(argv[6]);
    const int wx = std::atoi(argv[7]), wy = std::atoi(argv[8]);
    if (w <= 0 || h <= 0 || px < 0 || py < 0 || px + w > picture.width || py + h > picture.height ||
        wx < 0 || wy < 0 || wx + w > window.width || wy + h > window.height) {
        std::fprintf(stderr, "tq_window_probe: the rectangle does not fit (window %dx%d)\n",
                     window.width, window.height);
        return 2;
    }
    long compared = 0, matching = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const COLORREF expected = picture.At(px + x, py + y);
            if (expected == PanelKeyColour) continue;
            ++compared;
            matching += SameAtGameDepth(
                expected, window.pixels[size_t(wy + y) * size_t(window.width) + size_t(wx + x)]);
        }
    }
    std::printf("%ld\n", compared ? matching * 100 / compared : 0);
    return 0;
}
