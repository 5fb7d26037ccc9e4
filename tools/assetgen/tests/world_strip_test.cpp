// The world strip as the tool draws it from the built pack: its size, and objects standing where
// the game's layouts put them.
#include <cairo.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "display/bmp_decoder.h"
#include "pictures/picture.h"

namespace {

namespace fs = std::filesystem;

class WorldStripTest : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("assetgen_strip_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs the tool with `arguments`; its exit status.
    int Run(const std::string& arguments) {
        std::string command = std::string("\"") + ASSETGEN_EXE + "\" " + arguments + " > \"" +
                              (dir_ / "out.txt").string() + "\" 2>&1";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Data() const { return std::string(" --data \"") + TQ_DATA_DIR + "\""; }

    fs::path dir_;
};

// A PNG read back, or an empty surface when it cannot be read.
struct Png {
    explicit Png(const fs::path& file)
        : surface(cairo_image_surface_create_from_png(file.c_str())) {}
    ~Png() { cairo_surface_destroy(surface); }
    bool ok() const { return cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS; }
    int width() const { return cairo_image_surface_get_width(surface); }
    int height() const { return cairo_image_surface_get_height(surface); }
    uint32_t At(int x, int y) const { return assetgen::SurfaceRow(surface, y)[x] & 0xffffff; }
    cairo_surface_t* surface;
};

// A COLORREF as the screen shows it: cut to 16 bits, widened again, as 0xRRGGBB.
uint32_t OnScreen(COLORREF c) {
    uint32_t r = (c & 0xff) >> 3, g = ((c >> 8) & 0xff) >> 2, b = ((c >> 16) & 0xff) >> 3;
    return (r * 255 / 31) << 16 | (g * 255 / 63) << 8 | (b * 255 / 31);
}

// The share of the opaque pixels of frame 0 of `sign` that the strip shows unchanged with the
// picture's top-left corner at (x, y).
double SignMatch(const Png& strip, const std::string& sign, int frames, int x, int y) {
    display::DecodedBitmap picture;
    if (!display::DecodeBmpFile(std::string(TQ_DATA_DIR) + "/grafik/ingame/" + sign, picture)) {
        return 0;
    }
    const COLORREF key = picture.At(0, 0);
    int opaque = 0, same = 0;
    for (int row = 0; row < picture.height; ++row) {
        for (int col = 0; col < picture.width / frames; ++col) {
            if (picture.At(col, row) == key) continue;
            ++opaque;
            same += strip.At(x + col, y + row) == OnScreen(picture.At(col, row));
        }
    }
    return opaque ? static_cast<double>(same) / opaque : 0;
}

TEST_F(WorldStripTest, TheWholeWorldComesOutAtHalfSizeOrFullSize) {
    ASSERT_EQ(Run("--world-strip \"" + (dir_ / "half.png").string() + "\"" + Data()), 0);
    Png half(dir_ / "half.png");
    ASSERT_TRUE(half.ok());
    EXPECT_EQ(half.width(), 2400);
    EXPECT_EQ(half.height(), 300);

    ASSERT_EQ(Run("--world-strip \"" + (dir_ / "full.png").string() + "\" --full-size" + Data()),
              0);
    Png full(dir_ / "full.png");
    ASSERT_TRUE(full.ok());
    EXPECT_EQ(full.width(), 4800);
    EXPECT_EQ(full.height(), 600);
}

TEST_F(WorldStripTest, TheSignsStandWhereTheLayoutsPutThem) {
    ASSERT_EQ(Run("--world-strip \"" + (dir_ / "full.png").string() + "\" --full-size" + Data()),
              0);
    Png strip(dir_ / "full.png");
    ASSERT_TRUE(strip.ok());
    // Near objects keep their world x in the strip; these three are drawn over by nothing.
    EXPECT_GT(SignMatch(strip, "wieseschild_anim.bmp", 2, 1477, 344), 0.99);
    EXPECT_GT(SignMatch(strip, "waldschild_anim.bmp", 2, 3077, 335), 0.99);
    EXPECT_GT(SignMatch(strip, "feldschild_anim.bmp", 2, 4609, 333), 0.99);
    // One pixel to the side they no longer fit.
    EXPECT_LT(SignMatch(strip, "waldschild_anim.bmp", 2, 3078, 335), 0.9);
}

TEST_F(WorldStripTest, WithoutAPackItSaysSoAndFails) {
    EXPECT_NE(Run("--world-strip \"" + (dir_ / "none.png").string() + "\" --data \"" +
                  (dir_ / "empty").string() + "\""),
              0);
    EXPECT_FALSE(fs::exists(dir_ / "none.png"));
}

}  // namespace
