#include "pictures/bmp_writer.h"

#include <cstdint>
#include <fstream>

namespace assetgen {

namespace {

void Put16(std::vector<unsigned char>& out, uint32_t v) {
    out.push_back(static_cast<unsigned char>(v));
    out.push_back(static_cast<unsigned char>(v >> 8));
}

void Put32(std::vector<unsigned char>& out, uint32_t v) {
    Put16(out, v & 0xffff);
    Put16(out, v >> 16);
}

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPixelsPerMetre = 2835;  // 72 dpi

}  // namespace

std::vector<unsigned char> EncodeBmp(const Picture& picture) {
    uint32_t rowBytes = (static_cast<uint32_t>(picture.width) * 3 + 3) & ~3u;
    uint32_t imageBytes = rowBytes * static_cast<uint32_t>(picture.height);
    uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
    std::vector<unsigned char> out;
    out.reserve(offset + imageBytes);
    // BITMAPFILEHEADER
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageBytes);
    Put32(out, 0);
    Put32(out, offset);
    // BITMAPINFOHEADER
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<uint32_t>(picture.width));
    Put32(out, static_cast<uint32_t>(picture.height));  // positive: bottom row first
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);  // BI_RGB
    Put32(out, imageBytes);
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = picture.height - 1; y >= 0; --y) {
        size_t rowStart = out.size();
        for (int x = 0; x < picture.width; ++x) {
            Rgb c = picture.At(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        while (out.size() - rowStart < rowBytes) out.push_back(0);
    }
    return out;
}

bool WriteBmp(const Picture& picture, const std::filesystem::path& file, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (ec) {
        error = "cannot create " + file.parent_path().string() + ": " + ec.message();
        return false;
    }
    std::vector<unsigned char> bytes = EncodeBmp(picture);
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
    if (!stream) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

}  // namespace assetgen
