// The picture as the page's canvas takes it.
#include "platform/web/rgba_frame.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

TEST(RgbaFrame, EveryColourKeepsItsBitsAndTheRowsTheirPlaces) {
    // Every 16-bit colour, 256 to a row, rows 260 pixels apart (the rest is not the picture's).
    constexpr int Width = 256, Height = 256, Pitch = 260;
    std::vector<uint16_t> pixels(static_cast<size_t>(Pitch) * Height, 0x1234);
    for (int c = 0; c < 65536; ++c)
        pixels[static_cast<size_t>(c / Width * Pitch + c % Width)] = static_cast<uint16_t>(c);
    std::vector<uint32_t> rgba(static_cast<size_t>(Width) * Height);
    platform::web::ToRgba(pixels.data(), Pitch, Width, Height, rgba.data());

    for (int c = 0; c < 65536; ++c) {
        unsigned char bytes[4];
        std::memcpy(bytes, &rgba[static_cast<size_t>(c)], 4);
        // Back to 16 bits as a screenshot is compared with the game's frame: the very colour.
        const int back = ((bytes[0] >> 3) << 11) | ((bytes[1] >> 2) << 5) | (bytes[2] >> 3);
        ASSERT_EQ(back, c);
        ASSERT_EQ(bytes[3], 255) << "opaque";
    }
    unsigned char white[4], black[4];
    std::memcpy(white, &rgba.back(), 4);
    std::memcpy(black, &rgba.front(), 4);
    EXPECT_EQ((std::vector<int>{white[0], white[1], white[2]}), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ((std::vector<int>{black[0], black[1], black[2]}), (std::vector<int>{0, 0, 0}));
}

}  // namespace
