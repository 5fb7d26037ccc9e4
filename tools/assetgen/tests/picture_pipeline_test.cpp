// The picture pipeline: what finishing does to coverage and colours, strips and their mirrored
// copies, the BMP files as the game's decoder reads them, and the pack as a whole.
#include <gtest/gtest.h>

#include <set>

#include "display/bmp_decoder.h"
#include "pictures/bmp_writer.h"
#include "pictures/paint.h"
#include "pictures/picture.h"
#include "pictures/recipes.h"

namespace assetgen {
namespace {

void FillRect(cairo_t* cr, double x, double y, double w, double h, Rgb c, double alpha = 1) {
    SetColour(cr, c, alpha);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

TEST(Finish, CoverageBelowHalfBecomesTheKeyAndEdgesBlendIntoTheOutline) {
    Canvas canvas(4, 1);
    FillRect(canvas.cr(), 0, 0, 1, 1, Rgb{250, 250, 250}, 0.3);
    FillRect(canvas.cr(), 1, 0, 1, 1, Rgb{250, 250, 250}, 0.6);
    FillRect(canvas.cr(), 2, 0, 1, 1, Rgb{250, 250, 250}, 1.0);
    FinishOptions options{Key::Sprite};
    options.edge = Rgb{0, 100, 0};
    Picture p = Finish(canvas, "x", options);
    EXPECT_EQ(p.At(0, 0), SpriteKey);
    EXPECT_EQ(p.At(3, 0), SpriteKey);
    // 60 % white over the green edge: lighter than the edge, darker than the white.
    EXPECT_GT(p.At(1, 0).r, 120);
    EXPECT_LT(p.At(1, 0).r, 180);
    EXPECT_GT(p.At(1, 0).g, p.At(1, 0).r);
    EXPECT_GT(p.At(2, 0).r, 240);

    Canvas panel(2, 1);
    FillRect(panel.cr(), 0, 0, 1, 1, Rgb{10, 200, 10}, 0.2);
    Picture q = Finish(panel, "y", FinishOptions{Key::Panel});
    EXPECT_EQ(q.At(0, 0), PanelKey);
    EXPECT_EQ(q.At(1, 0), PanelKey);
}

TEST(Finish, NoDrawnColourTurnsIntoAKeyInSixteenBits) {
    // Colours just next to the keys, flat and as gradients through them.
    Canvas canvas(64, 8);
    cairo_t* cr = canvas.cr();
    FillRect(cr, 0, 0, 16, 8, Rgb{0, 0, 13});
    FillRect(cr, 16, 0, 16, 8, Rgb{255, 0, 255});
    FillRect(cr, 32, 0, 16, 8, Rgb{5, 2, 9});
    cairo_pattern_t* ramp = cairo_pattern_create_linear(48, 0, 64, 0);
    cairo_pattern_add_color_stop_rgb(ramp, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgb(ramp, 1, 1, 0, 1);
    cairo_set_source(cr, ramp);
    cairo_rectangle(cr, 48, 0, 16, 8);
    cairo_fill(cr);
    cairo_pattern_destroy(ramp);
    for (Key key : {Key::None, Key::Sprite, Key::Panel}) {
        Picture p = Finish(canvas, "x", FinishOptions{key});
        for (const Rgb& c : p.pixels) EXPECT_FALSE(LooksLikeAKey(c));
    }
}

TEST(Finish, ColoursLandExactlyOnTheSixteenBitGridAndGradientsKeepTheirMean) {
    Canvas canvas(64, 64);
    SetColour(canvas.cr(), Rgb{100, 150, 200});
    cairo_paint(canvas.cr());
    Picture p = Finish(canvas, "x", FinishOptions{});
    double sumR = 0, sumG = 0, sumB = 0;
    std::set<uint16_t> levels;
    for (const Rgb& c : p.pixels) {
        // Each channel is the widened form of its top bits, so the game's cut loses nothing.
        EXPECT_EQ(c.r, ((c.r >> 3) << 3) | (c.r >> 5));
        EXPECT_EQ(c.g, ((c.g >> 2) << 2) | (c.g >> 6));
        sumR += c.r;
        sumG += c.g;
        sumB += c.b;
        levels.insert(ToRgb565(c));
    }
    double n = static_cast<double>(p.pixels.size());
    EXPECT_NEAR(sumR / n, 100, 2.5);
    EXPECT_NEAR(sumG / n, 150, 2.5);
    EXPECT_NEAR(sumB / n, 200, 2.5);
    // A colour between two levels is dithered into both, not rounded into one band.
    EXPECT_GE(levels.size(), 2u);
}

TEST(Strips, FramesStayInTheirCellsAndMirrorOneByOne) {
    Picture strip =
        DrawStrip("s", 3, 10, 4, FinishOptions{Key::Sprite}, [](cairo_t* cr, int frame) {
            // Paints far beyond its own cell: the cell must clip it.
            FillRect(cr, -20, 0, 20 + frame + 1, 1, Rgb{200, 40, 40});
        });
    ASSERT_EQ(strip.width, 30);
    ASSERT_EQ(strip.frames, 3);
    for (int frame = 0; frame < 3; ++frame) {
        for (int x = 0; x < 10; ++x) {
            bool inked = !(strip.At(frame * 10 + x, 0) == SpriteKey);
            EXPECT_EQ(inked, x <= frame) << "frame " << frame << " x " << x;
        }
    }
    Picture mirrored = MirrorFrames(strip, "m");
    for (int frame = 0; frame < 3; ++frame) {
        for (int x = 0; x < 10; ++x) {
            EXPECT_EQ(mirrored.At(frame * 10 + x, 0), strip.At(frame * 10 + 9 - x, 0));
        }
    }
}

TEST(BmpWriter, TheGameReadsBackEveryPixelWhateverTheRowPadding) {
    for (int width : {1, 2, 3, 4, 5, 7}) {
        Picture p;
        p.width = width;
        p.height = 3;
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < width; ++x) {
                p.pixels.push_back(Rgb{static_cast<uint8_t>(x * 30), static_cast<uint8_t>(y * 80),
                                       static_cast<uint8_t>(7 + x + y)});
            }
        }
        std::vector<unsigned char> bytes = EncodeBmp(p);
        display::DecodedBitmap decoded;
        ASSERT_TRUE(display::DecodeBmp(bytes.data(), bytes.size(), decoded)) << width;
        ASSERT_EQ(decoded.width, width);
        ASSERT_EQ(decoded.height, 3);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < width; ++x) {
                Rgb c = p.At(x, y);
                EXPECT_EQ(decoded.At(x, y), MakeColourRef(c.r, c.g, c.b)) << x << "," << y;
            }
        }
    }
}

TEST(PicturePack, DrawsEveryFileOnceWithWholeFramesAndTheSameBytesEachTime) {
    std::vector<Picture> first = DrawAllPictures();
    std::set<std::string> paths;
    for (const Picture& p : first) {
        EXPECT_TRUE(paths.insert(p.path).second) << "drawn twice: " << p.path;
        EXPECT_EQ(p.path.rfind("grafik/", 0), 0u) << p.path;
        EXPECT_EQ(p.width % p.frames, 0) << p.path;
    }
    EXPECT_EQ(first.size(), 137u);
    std::vector<Picture> second = DrawAllPictures();
    ASSERT_EQ(second.size(), first.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_TRUE(first[i].pixels == second[i].pixels)
            << first[i].path << " differs between runs";
    }
}

}  // namespace
}  // namespace assetgen
