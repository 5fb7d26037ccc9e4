#include "display/bmp_decoder.h"

#include <gtest/gtest.h>

#include <random>

#include "support/bmp_fixture.h"

using display::DecodeBmp;
using display::DecodedBitmap;
using testing_support::Put16;
using testing_support::Put32;

namespace {

constexpr COLORREF Red = 0x000000FF;
constexpr COLORREF Green = 0x0000FF00;
constexpr COLORREF Blue = 0x00FF0000;
constexpr COLORREF White = 0x00FFFFFF;

bool Decode(const std::vector<uint8_t>& bytes, DecodedBitmap& out) {
    return DecodeBmp(bytes.data(), bytes.size(), out);
}

// File and info headers for hand-made variants; `extra` bytes (masks, palette) follow the header.
std::vector<uint8_t> Headers(int width, int height, int bits, uint32_t compression,
                             uint32_t extraBytes, uint32_t imageBytes, uint32_t colours = 0) {
    std::vector<uint8_t> out{'B', 'M'};
    uint32_t offset = 14 + 40 + extraBytes;
    Put32(out, offset + imageBytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bits));
    Put32(out, compression);
    Put32(out, imageBytes);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, colours);
    Put32(out, 0);
    return out;
}

}  // namespace

TEST(BmpDecoder, ReadsTwentyFourBitBottomUpWithRowPadding) {
    // 3 pixels wide: 9 bytes of pixels plus 3 bytes of padding per row.
    std::vector<COLORREF> pixels = {Red, Green, Blue, White, 0x00123456, 0x000D0000};
    DecodedBitmap bitmap;
    ASSERT_TRUE(Decode(testing_support::MakeBmp24(3, 2, pixels), bitmap));
    EXPECT_EQ(bitmap.width, 3);
    EXPECT_EQ(bitmap.height, 2);
    EXPECT_EQ(bitmap.pixels, pixels);
}

TEST(BmpDecoder, ReadsPalettedDepthsAndTopDownRows) {
    std::vector<COLORREF> palette = {Red, Green, Blue, White};
    std::vector<uint8_t> indices = {0, 1, 1, 0, 1, 0, 0, 1, 1, 1, 0, 0};
    for (int bits : {1, 4, 8}) {
        for (bool topDown : {false, true}) {
            std::vector<uint8_t> used = indices;
            if (bits == 1) {
                for (auto& i : used) i &= 1;
            } else {
                used[2] = 3;  // reach beyond two colours
            }
            DecodedBitmap bitmap;
            ASSERT_TRUE(
                Decode(testing_support::MakeBmpIndexed(4, 3, bits, palette, used, topDown), bitmap))
                << bits << " bits, top-down " << topDown;
            for (size_t i = 0; i < used.size(); ++i)
                EXPECT_EQ(bitmap.pixels[i], palette[used[i]]) << bits << " bits, pixel " << i;
        }
    }
}

TEST(BmpDecoder, ReadsSixteenBitDefaultAndBitFields) {
    // Default 16-bit is 5-5-5: 0x7C00 red, 0x03E0 green, 0x001F blue.
    std::vector<uint8_t> file = Headers(2, 1, 16, 0, 0, 4);
    Put16(file, 0x7C00);
    Put16(file, 0x03FF);
    DecodedBitmap bitmap;
    ASSERT_TRUE(Decode(file, bitmap));
    EXPECT_EQ(bitmap.pixels[0], Red);
    EXPECT_EQ(bitmap.pixels[1], 0x00FFFF00u);  // green and blue full

    // 5-6-5 given by bit fields after the header.
    std::vector<uint8_t> fields = Headers(2, 1, 16, 3, 12, 4);
    Put32(fields, 0xF800);
    Put32(fields, 0x07E0);
    Put32(fields, 0x001F);
    Put16(fields, 0xF81F);  // magenta
    Put16(fields, 0x0001);  // the faintest blue
    ASSERT_TRUE(Decode(fields, bitmap));
    EXPECT_EQ(bitmap.pixels[0], PanelKeyColour);
    EXPECT_EQ(ColourRefToRgb565(bitmap.pixels[1]), 0x0001);
}

TEST(BmpDecoder, ReadsThirtyTwoBitDefaultAndBitFields) {
    std::vector<uint8_t> file = Headers(1, 1, 32, 0, 0, 4);
    Put32(file, 0xFF123456);  // the top byte is not a colour
    DecodedBitmap bitmap;
    ASSERT_TRUE(Decode(file, bitmap));
    EXPECT_EQ(bitmap.pixels[0], MakeColourRef(0x12, 0x34, 0x56));

    std::vector<uint8_t> fields = Headers(1, 1, 32, 3, 12, 4);
    Put32(fields, 0x000000FF);  // red in the low byte
    Put32(fields, 0x0000FF00);
    Put32(fields, 0x00FF0000);
    Put32(fields, 0x00563412);
    ASSERT_TRUE(Decode(fields, bitmap));
    EXPECT_EQ(bitmap.pixels[0], MakeColourRef(0x12, 0x34, 0x56));
}

TEST(BmpDecoder, ReadsRunLengthEncodedPictures) {
    std::vector<COLORREF> palette = {White, Red, Green, Blue};
    // RLE8, 4x3: a run, an absolute run, an end of line, a delta, end of picture.
    std::vector<uint8_t> data = {2, 1,              // two pixels of 1
                                 0, 3, 2, 3, 1, 0,  // absolute: 2 3 1, padded to an even count
                                 0, 0,  // end of line (the row had 5 pixels: the fifth is dropped)
                                 0, 2, 1, 1,  // delta: right 1, down 1
                                 1, 2,        // one pixel of 2 at (1, 2)
                                 0, 1};       // end of picture
    std::vector<uint8_t> file = Headers(4, 3, 8, 1, 16, static_cast<uint32_t>(data.size()), 4);
    for (COLORREF c : palette) {
        file.insert(file.end(), {BlueOf(c), GreenOf(c), RedOf(c), 0});
    }
    file.insert(file.end(), data.begin(), data.end());
    DecodedBitmap bitmap;
    ASSERT_TRUE(Decode(file, bitmap));
    // Stored rows run bottom-up: stored row 0 is the last row of the picture.
    EXPECT_EQ(bitmap.At(0, 2), Red);
    EXPECT_EQ(bitmap.At(1, 2), Red);
    EXPECT_EQ(bitmap.At(2, 2), Green);
    EXPECT_EQ(bitmap.At(3, 2), Blue);
    EXPECT_EQ(bitmap.At(1, 0), Green);  // after the delta, two rows up from the bottom
    EXPECT_EQ(bitmap.At(0, 1), White);  // never written: palette entry 0

    // RLE4: a run alternates its two nibbles.
    std::vector<uint8_t> data4 = {4, 0x12, 0, 0, 0, 1};
    std::vector<uint8_t> file4 = Headers(4, 1, 4, 2, 16, static_cast<uint32_t>(data4.size()), 4);
    for (COLORREF c : palette) file4.insert(file4.end(), {BlueOf(c), GreenOf(c), RedOf(c), 0});
    file4.insert(file4.end(), data4.begin(), data4.end());
    ASSERT_TRUE(Decode(file4, bitmap));
    EXPECT_EQ(bitmap.pixels, (std::vector<COLORREF>{Red, Green, Red, Green}));
}

TEST(BmpDecoder, ReadsTheOldCoreHeader) {
    std::vector<uint8_t> file{'B', 'M'};
    Put32(file, 14 + 12 + 6 + 4);
    Put32(file, 0);
    Put32(file, 14 + 12 + 6);
    Put32(file, 12);
    Put16(file, 2);
    Put16(file, 1);
    Put16(file, 1);
    Put16(file, 1);
    file.insert(file.end(), {0, 0, 255, 255, 0, 0});  // palette of triples: red, blue
    file.insert(file.end(), {0x40, 0, 0, 0});         // pixels 0 1
    DecodedBitmap bitmap;
    ASSERT_TRUE(Decode(file, bitmap));
    EXPECT_EQ(bitmap.pixels, (std::vector<COLORREF>{Red, Blue}));
}

TEST(BmpDecoder, RefusesBrokenFiles) {
    std::vector<uint8_t> good = testing_support::MakeBmp24(4, 4, std::vector<COLORREF>(16, Red));
    DecodedBitmap bitmap;
    ASSERT_TRUE(Decode(good, bitmap));

    auto broken = [&](auto change) {
        std::vector<uint8_t> file = good;
        change(file);
        DecodedBitmap out;
        return !Decode(file, out);
    };
    EXPECT_TRUE(broken([](auto& f) { f[0] = 'X'; })) << "magic";
    EXPECT_TRUE(broken([](auto& f) { f.resize(f.size() - 1); })) << "truncated pixels";
    EXPECT_TRUE(broken([](auto& f) { f.resize(30); })) << "truncated header";
    EXPECT_TRUE(broken([](auto& f) { f[18] = 0; })) << "zero width";
    EXPECT_TRUE(broken([](auto& f) { f[28] = 7; })) << "unknown depth";
    EXPECT_TRUE(broken([](auto& f) { f[30] = 9; })) << "unknown compression";
    EXPECT_TRUE(broken([](auto& f) { f[10] = 0xFF, f[11] = 0xFF; })) << "pixels beyond the end";
    EXPECT_TRUE(broken([](auto& f) {  // 65536 x 65536
        f[20] = 1, f[24] = 1;
    })) << "huge picture";
    EXPECT_FALSE(DecodeBmp(nullptr, 0, bitmap));
    EXPECT_FALSE(display::DecodeBmpFile("/nonexistent/picture.bmp", bitmap));

    // A run-length picture that stops before its end mark is refused.
    std::vector<uint8_t> rle = Headers(2, 1, 8, 1, 8, 2, 2);
    rle.insert(rle.end(), {0, 0, 0, 0, 255, 255, 255, 0, 2, 1});
    EXPECT_FALSE(Decode(rle, bitmap));
}

TEST(BmpDecoder, SurvivesRandomDamage) {
    std::vector<COLORREF> palette = {Red, Green, Blue, White};
    std::vector<uint8_t> indices(64);
    for (size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<uint8_t>(i % 4);
    std::vector<std::vector<uint8_t>> seeds = {
        testing_support::MakeBmp24(8, 8, std::vector<COLORREF>(64, Green)),
        testing_support::MakeBmpIndexed(8, 8, 4, palette, indices),
        testing_support::MakeBmpIndexed(8, 8, 8, palette, indices, true),
    };
    std::mt19937 random(1234);
    for (size_t round = 0; round < 3000; ++round) {
        std::vector<uint8_t> file = seeds[round % seeds.size()];
        int changes = 1 + static_cast<int>(random() % 8);
        for (int c = 0; c < changes; ++c)
            file[random() % file.size()] = static_cast<uint8_t>(random());
        if (random() % 4 == 0) file.resize(random() % file.size());
        DecodedBitmap bitmap;
        if (Decode(file, bitmap)) {
            ASSERT_EQ(bitmap.pixels.size(), display::PixelCount(bitmap.width, bitmap.height));
        }
    }
}

TEST(BmpDecoder, NearestNeighbourScalingKeepsColoursExact) {
    // A 4x2 picture with a key-coloured column halves to 2x1 without blending.
    std::vector<COLORREF> pixels = {SpriteKeyColour, Red, SpriteKeyColour, Blue,
                                    SpriteKeyColour, Red, SpriteKeyColour, Blue};
    DecodedBitmap source;
    ASSERT_TRUE(Decode(testing_support::MakeBmp24(4, 2, pixels), source));
    DecodedBitmap half = display::ScaleNearest(source, 0, 0, 4, 2, 2, 1);
    EXPECT_EQ(half.pixels, (std::vector<COLORREF>{SpriteKeyColour, SpriteKeyColour}));
    DecodedBitmap wide = display::ScaleNearest(source, 0, 0, 4, 2, 8, 2);
    EXPECT_EQ(wide.At(2, 0), Red);
    EXPECT_EQ(wide.At(3, 0), Red);
}
