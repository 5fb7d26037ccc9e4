#include "support/bmp_fixture.h"

#include <fstream>

#include "display/geometry.h"

namespace testing_support {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

namespace {

void PutHeaders(std::vector<uint8_t>& out, int width, int height, int bits, uint32_t paletteSize,
                uint32_t imageBytes) {
    uint32_t offset = 14 + 40 + paletteSize * 4;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageBytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bits));
    Put32(out, 0);
    Put32(out, imageBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, paletteSize);
    Put32(out, 0);
}

}  // namespace

std::vector<uint8_t> MakeBmp24(int width, int height, const std::vector<COLORREF>& pixels) {
    uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    std::vector<uint8_t> out;
    PutHeaders(out, width, height, 24, 0, stride * static_cast<uint32_t>(height));
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = pixels[display::PixelIndex(x, y, width)];
            out.push_back(BlueOf(c));
            out.push_back(GreenOf(c));
            out.push_back(RedOf(c));
        }
        for (uint32_t i = static_cast<uint32_t>(width) * 3; i < stride; ++i) out.push_back(0);
    }
    return out;
}

std::vector<uint8_t> MakeBmpIndexed(int width, int height, int bits,
                                    const std::vector<COLORREF>& palette,
                                    const std::vector<uint8_t>& indices, bool topDown) {
    uint32_t stride = ((static_cast<uint32_t>(width) * static_cast<uint32_t>(bits) + 31) / 32) * 4;
    std::vector<uint8_t> out;
    PutHeaders(out, width, topDown ? -height : height, bits, static_cast<uint32_t>(palette.size()),
               stride * static_cast<uint32_t>(height));
    for (COLORREF c : palette) {
        out.push_back(BlueOf(c));
        out.push_back(GreenOf(c));
        out.push_back(RedOf(c));
        out.push_back(0);
    }
    for (int stored = 0; stored < height; ++stored) {
        int y = topDown ? stored : height - 1 - stored;
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < width; ++x) {
            uint8_t index = indices[display::PixelIndex(x, y, width)];
            int bitPos = x * bits;
            row[static_cast<size_t>(bitPos / 8)] |=
                static_cast<uint8_t>(index << (8 - bits - bitPos % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

void WriteBmp(const std::filesystem::path& path, int width, int height,
              const std::vector<COLORREF>& pixels) {
    WriteFile(path, MakeBmp24(width, height, pixels));
}

void WriteBmp(const std::filesystem::path& path, int width, int height,
              const std::function<COLORREF(int x, int y)>& colour) {
    std::vector<COLORREF> pixels(display::PixelCount(width, height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels[display::PixelIndex(x, y, width)] = colour(x, y);
    WriteBmp(path, width, height, pixels);
}

void WriteSolidBmp(const std::filesystem::path& path, int width, int height, COLORREF colour) {
    WriteFile(path, MakeBmp24(width, height,
                              std::vector<COLORREF>(display::PixelCount(width, height), colour)));
}

}  // namespace testing_support
