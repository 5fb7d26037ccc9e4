#include "display/bmp_decoder.h"

#include <algorithm>
#include <bit>
#include <fstream>
#include <iterator>

namespace display {

namespace {

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BI_RLE4 = 2;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr uint32_t BI_ALPHABITFIELDS = 6;

constexpr size_t FileHeaderSize = 14;
constexpr size_t CoreHeaderSize = 12;
constexpr size_t InfoHeaderSize = 40;

uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// One channel described by a bit mask, scaled to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(uint32_t m = 0) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        bits = std::popcount(m >> shift);
        if (bits > 8) {
            // Keep the top eight bits of a wide channel.
            shift += bits - 8;
            bits = 8;
        }
    }

    uint8_t Extract(uint32_t value) const {
        if (bits == 0) return 0;
        uint32_t v = (value >> shift) & ((1u << bits) - 1);
        // Repeat the bits so that a full channel becomes 0xFF and an empty one 0x00.
        uint32_t wide = 0;
        int filled = 0;
        while (filled < 8) {
            wide = (wide << bits) | v;
            filled += bits;
        }
        return static_cast<uint8_t>(wide >> (filled - 8));
    }
};

struct Header {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = BI_RGB;
    uint32_t paletteEntries = 0;
    size_t paletteEntrySize = 4;
    size_t paletteOffset = 0;
    uint32_t masks[3] = {0, 0, 0};
    size_t pixelOffset = 0;
};

bool ReadHeader(const uint8_t* data, size_t size, Header& h) {
    if (size < FileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M') return false;
    h.pixelOffset = U32(data + 10);
    const uint8_t* info = data + FileHeaderSize;
    uint32_t infoSize = U32(info);
    if (infoSize < CoreHeaderSize || infoSize > size - FileHeaderSize) return false;

    if (infoSize == CoreHeaderSize) {
        h.width = U16(info + 4);
        h.height = U16(info + 6);
        if (U16(info + 8) != 1) return false;
        h.bitCount = U16(info + 10);
        h.paletteEntrySize = 3;
    } else {
        if (infoSize < InfoHeaderSize) return false;
        int32_t w = static_cast<int32_t>(U32(info + 4));
        int32_t hgt = static_cast<int32_t>(U32(info + 8));
        if (U16(info + 12) != 1) return false;
        h.bitCount = U16(info + 14);
        h.compression = U32(info + 16);
        h.paletteEntries = U32(info + 32);
        if (w <= 0 || hgt == 0 || hgt == INT32_MIN) return false;
        h.width = w;
        h.topDown = hgt < 0;
        h.height = hgt < 0 ? -hgt : hgt;
        if (h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS) {
            // The masks follow a plain info header, or are part of a longer one.
            size_t maskAt = FileHeaderSize + InfoHeaderSize;
            if (maskAt + 12 > size) return false;
            h.masks[0] = U32(data + maskAt);
            h.masks[1] = U32(data + maskAt + 4);
            h.masks[2] = U32(data + maskAt + 8);
        }
    }
    if (h.width <= 0 || h.height <= 0 || h.width > MaxBitmapSide || h.height > MaxBitmapSide)
        return false;
    if (static_cast<int64_t>(h.width) * h.height > MaxBitmapPixels) return false;

    switch (h.bitCount) {
        case 1:
        case 4:
        case 8:
            if (h.compression != BI_RGB && !(h.compression == BI_RLE8 && h.bitCount == 8) &&
                !(h.compression == BI_RLE4 && h.bitCount == 4))
                return false;
            if (h.paletteEntries == 0 || h.paletteEntries > (1u << h.bitCount))
                h.paletteEntries = 1u << h.bitCount;
            break;
        case 16:
        case 32:
            if (h.compression != BI_RGB && h.compression != BI_BITFIELDS &&
                h.compression != BI_ALPHABITFIELDS)
                return false;
            h.paletteEntries = 0;
            break;
        case 24:
            if (h.compression != BI_RGB) return false;
            h.paletteEntries = 0;
            break;
        default:
            return false;
    }
    if (h.compression == BI_RGB && h.bitCount == 16) {
        h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
    } else if (h.compression == BI_RGB && h.bitCount == 32) {
        h.masks[0] = 0x00FF0000, h.masks[1] = 0x0000FF00, h.masks[2] = 0x000000FF;
    }

    size_t afterHeader = FileHeaderSize + infoSize;
    if (infoSize == InfoHeaderSize && h.compression == BI_BITFIELDS) afterHeader += 12;
    if (infoSize == InfoHeaderSize && h.compression == BI_ALPHABITFIELDS) afterHeader += 16;
    h.paletteOffset = afterHeader;
    if (h.paletteEntries) {
        size_t paletteBytes = h.paletteEntries * h.paletteEntrySize;
        if (afterHeader > size || paletteBytes > size - afterHeader) {
            // Some writers store fewer entries than the bit count allows: take what is there.
            size_t room = afterHeader <= size ? (size - afterHeader) / h.paletteEntrySize : 0;
            if (room == 0) return false;
            h.paletteEntries = static_cast<uint32_t>(room);
        }
    }
    if (h.pixelOffset >= size) return false;
    return true;
}

void ReadPalette(const uint8_t* data, const Header& h, std::vector<COLORREF>& palette) {
    palette.assign(1u << (h.bitCount <= 8 ? h.bitCount : 0), 0);
    for (uint32_t i = 0; i < h.paletteEntries && i < palette.size(); ++i) {
        const uint8_t* e = data + h.paletteOffset + i * h.paletteEntrySize;
        palette[i] = MakeColourRef(e[2], e[1], e[0]);
    }
}

// Row index in the output for the file's n-th stored row.
int OutputRow(const Header& h, int stored) {
    return h.topDown ? stored : h.height - 1 - stored;
}

// Bytes of one stored row of an uncompressed picture, padded to four.
size_t Stride(const Header& h) {
    return ((static_cast<size_t>(h.width) * static_cast<size_t>(h.bitCount) + 31) / 32) * 4;
}

// Bytes of all stored rows of an uncompressed picture.
size_t PixelBytes(const Header& h) {
    return Stride(h) * static_cast<size_t>(h.height);
}

bool IsRunLength(const Header& h) {
    return h.compression == BI_RLE8 || h.compression == BI_RLE4;
}

bool DecodeUncompressed(const uint8_t* data, size_t size, const Header& h,
                        const std::vector<COLORREF>& palette, DecodedBitmap& out) {
    size_t stride = Stride(h);
    if (PixelBytes(h) > size - h.pixelOffset) return false;
    Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
    for (int row = 0; row < h.height; ++row) {
        const uint8_t* src = data + h.pixelOffset + stride * static_cast<size_t>(row);
        COLORREF* dst = out.pixels.data() + PixelIndex(0, OutputRow(h, row), h.width);
        switch (h.bitCount) {
            case 1:
            case 4:
            case 8: {
                int perByte = 8 / h.bitCount;
                uint32_t mask = (1u << h.bitCount) - 1;
                for (int x = 0; x < h.width; ++x) {
                    int shift = 8 - h.bitCount * (x % perByte + 1);
                    dst[x] = palette[(uint32_t{src[x / perByte]} >> shift) & mask];
                }
                break;
            }
            case 16:
                for (int x = 0; x < h.width; ++x) {
                    uint32_t v = U16(src + 2 * x);
                    dst[x] = MakeColourRef(red.Extract(v), green.Extract(v), blue.Extract(v));
                }
                break;
            case 24:
                for (int x = 0; x < h.width; ++x) {
                    const uint8_t* p = src + 3 * x;
                    dst[x] = MakeColourRef(p[2], p[1], p[0]);
                }
                break;
            case 32:
                for (int x = 0; x < h.width; ++x) {
                    uint32_t v = U32(src + 4 * x);
                    dst[x] = MakeColourRef(red.Extract(v), green.Extract(v), blue.Extract(v));
                }
                break;
        }
    }
    return true;
}

// Run-length encoded 8- and 4-bit pictures. Pixels the runs never reach keep palette entry 0.
bool DecodeRunLength(const uint8_t* data, size_t size, const Header& h,
                     const std::vector<COLORREF>& palette, DecodedBitmap& out) {
    bool four = h.bitCount == 4;
    size_t pos = h.pixelOffset;
    int x = 0;
    int row = 0;
    auto put = [&](uint32_t index) {
        if (x < h.width && row < h.height) {
            out.pixels[PixelIndex(x, OutputRow(h, row), h.width)] =
                palette[index & (four ? 0xF : 0xFF)];
        }
        ++x;
    };
    while (true) {
        if (pos + 2 > size) return false;  // ran out before the end-of-picture mark
        uint8_t count = data[pos];
        uint8_t value = data[pos + 1];
        pos += 2;
        // Pixels right of the picture are dropped without counting them: x never passes the
        // width, however many runs a long file strings together on one line.
        if (count > 0) {
            const int shown = std::min<int>(count, h.width - x);
            for (int i = 0; i < shown; ++i)
                put(four ? ((i & 1) ? value & 0xF : value >> 4) : value);
            continue;
        }
        switch (value) {
            case 0:  // end of line
                x = 0;
                ++row;
                break;
            case 1:  // end of picture
                return true;
            case 2:  // delta
                if (pos + 2 > size) return false;
                x = std::min(x + data[pos], h.width);
                row += data[pos + 1];
                pos += 2;
                break;
            default: {  // absolute run of `value` pixels, padded to a 16-bit boundary
                const size_t bytes = four ? (value + 1u) / 2 : value;
                if (bytes > size - pos) return false;
                const int shown = std::min<int>(value, h.width - x);
                for (int i = 0; i < shown; ++i) {
                    uint8_t b = data[pos + static_cast<size_t>(four ? i / 2 : i)];
                    put(four ? ((i & 1) ? b & 0xF : b >> 4) : b);
                }
                pos += (bytes + 1) & ~static_cast<size_t>(1);
                break;
            }
        }
        if (row > h.height) return true;  // everything below the picture is dropped
    }
}

}  // namespace

bool DecodeBmp(const uint8_t* data, size_t size, DecodedBitmap& out) {
    Header h;
    if (!data || !ReadHeader(data, size, h)) return false;
    // Uncompressed rows all have to be in the file: a header claiming more than the file holds
    // is refused before the picture's memory is taken.
    if (!IsRunLength(h) && PixelBytes(h) > size - h.pixelOffset) return false;
    std::vector<COLORREF> palette;
    if (h.bitCount <= 8) ReadPalette(data, h, palette);

    DecodedBitmap bitmap;
    bitmap.width = h.width;
    bitmap.height = h.height;
    bitmap.pixels.assign(PixelCount(h.width, h.height), palette.empty() ? 0 : palette[0]);
    bool ok = IsRunLength(h) ? DecodeRunLength(data, size, h, palette, bitmap)
                             : DecodeUncompressed(data, size, h, palette, bitmap);
    if (!ok) return false;
    out = std::move(bitmap);
    return true;
}

bool DecodeBmpFile(const std::string& path, DecodedBitmap& out) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    file.seekg(0, std::ios::end);
    std::streamoff length = file.tellg();
    // Headers, palette and the largest picture we accept, with room to spare.
    if (length <= 0 || length > MaxBitmapPixels * 4 + (1 << 20)) return false;
    file.seekg(0);
    std::vector<uint8_t> bytes(static_cast<size_t>(length));
    if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(length)))
        return false;
    return DecodeBmp(bytes.data(), bytes.size(), out);
}

DecodedBitmap ScaleNearest(const DecodedBitmap& source, int sx, int sy, int sw, int sh, int width,
                           int height) {
    DecodedBitmap scaled;
    if (width <= 0 || height <= 0 || sw <= 0 || sh <= 0) return scaled;
    scaled.width = width;
    scaled.height = height;
    scaled.pixels.resize(PixelCount(width, height));
    for (int y = 0; y < height; ++y) {
        int srcY = sy + static_cast<int>(static_cast<int64_t>(y) * sh / height);
        for (int x = 0; x < width; ++x) {
            int srcX = sx + static_cast<int>(static_cast<int64_t>(x) * sw / width);
            scaled.pixels[PixelIndex(x, y, width)] =
                (srcX >= 0 && srcY >= 0 && srcX < source.width && srcY < source.height)
                    ? source.At(srcX, srcY)
                    : 0;
        }
    }
    return scaled;
}

}  // namespace display
