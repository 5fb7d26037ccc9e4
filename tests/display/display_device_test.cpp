#include "display/display_device.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/headless/headless_backend.h"
#include "support/bmp_fixture.h"

namespace {

constexpr COLORREF Red = 0x000000FF;
constexpr uint16_t Red565 = 0xF800;
constexpr uint16_t Magenta565 = 0xF81F;

class DisplayDeviceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::SetBackend(&backend);
        backend.OpenWindow("test");
        ASSERT_EQ(display.OpenFullScreen(800, 600, 16), S_OK);
    }
    void TearDown() override { platform::SetBackend(nullptr); }

    CBitmapSurface* Load(const std::vector<COLORREF>& pixels, int width, int height) {
        std::string path = dir / "picture.bmp";
        testing_support::WriteFile(path, testing_support::MakeBmp24(width, height, pixels));
        CBitmapSurface* surface = nullptr;
        EXPECT_EQ(display.LoadBitmapSurface(&surface, path.c_str(), 0, 0), S_OK);
        return surface;
    }

    uint16_t BackPixel(int x, int y) { return display.BackBuffer()[y * CDisplayDevice::Pitch + x]; }

    platform::HeadlessBackend backend;
    CDisplayDevice display;
    testing_support::TempDir dir;
};

TEST_F(DisplayDeviceTest, ClosedDeviceRefusesEverything) {
    CDisplayDevice closed;
    EXPECT_EQ(closed.ShowFrame(), E_POINTER);
    EXPECT_EQ(closed.ClearBackBuffer(0), E_POINTER);
    CBitmapSurface* surface = Load({Red}, 1, 1);
    EXPECT_EQ(closed.DrawSurface(0, 0, surface, nullptr), E_POINTER);
    CBitmapSurface* none = nullptr;
    EXPECT_EQ(closed.LoadBitmapSurface(&none, (dir / "picture.bmp").c_str(), 0, 0), E_INVALIDARG);
    EXPECT_EQ(display.DrawSurface(0, 0, nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(display.OpenFullScreen(640, 480, 16), E_FAIL);
    EXPECT_EQ(display.ShowFrame(), E_POINTER) << "a failed second opening leaves it closed";
    delete surface;
}

TEST_F(DisplayDeviceTest, LoadsAtOwnOrRequestedSize) {
    std::vector<COLORREF> pixels(6 * 4, Red);
    CBitmapSurface* own = Load(pixels, 6, 4);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->Width(), 6);
    EXPECT_EQ(own->Height(), 4);
    CBitmapSurface* half = nullptr;
    ASSERT_EQ(display.LoadBitmapSurface(&half, (dir / "picture.bmp").c_str(), 3, 2), S_OK);
    EXPECT_EQ(half->Width(), 3);
    EXPECT_EQ(half->Height(), 2);
    EXPECT_EQ(half->ReadPixelColour(2, 1), Red);

    CBitmapSurface* missing = reinterpret_cast<CBitmapSurface*>(0x1);
    EXPECT_EQ(display.LoadBitmapSurface(&missing, (dir / "nothing.bmp").c_str(), 0, 0), E_FAIL);
    EXPECT_EQ(missing, nullptr);
    delete own;
    delete half;
}

TEST_F(DisplayDeviceTest, KeyColourAndPixelReads) {
    CBitmapSurface* surface = Load({PanelKeyColour, Red, 0x00FFFFFF, 0x00808080}, 2, 2);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->ColourToPixel(PanelKeyColour), Magenta565);
    EXPECT_EQ(surface->ColourToPixel(SpriteKeyColour), 0x0001u);
    EXPECT_EQ(surface->ColourToPixel(CLR_INVALID), Magenta565) << "masked first pixel";
    EXPECT_EQ(surface->SetKeyColour(PanelKeyColour), S_OK);
    EXPECT_TRUE(surface->HasKeyColour());
    EXPECT_EQ(surface->ReadPixelColour(0, 0), PanelKeyColour) << "pixel (0,0) keeps its colour";
    EXPECT_EQ(surface->ReadPixelColour(1, 0), Red);
    EXPECT_EQ(surface->ReadPixelColour(0, 1), 0x00FFFFFFu);
    EXPECT_EQ(surface->ReadPixelColour(-1, 0), CLR_INVALID);
    EXPECT_EQ(surface->ReadPixelColour(2, 0), CLR_INVALID);
    EXPECT_EQ(surface->ReadPixelColour(0, 2), CLR_INVALID);

    CBitmapSurface empty;
    EXPECT_EQ(empty.SetKeyColour(PanelKeyColour), E_POINTER);
    EXPECT_EQ(empty.ColourToPixel(PanelKeyColour), 0u);
    EXPECT_EQ(empty.ReadPixelColour(0, 0), CLR_INVALID);
    EXPECT_EQ(empty.Width(), 0);
    delete surface;
}

TEST_F(DisplayDeviceTest, DrawsWithAndWithoutKeyAndRefusesRectanglesOffScreen) {
    CBitmapSurface* surface = Load({PanelKeyColour, Red, Red, PanelKeyColour}, 2, 2);
    ASSERT_NE(surface, nullptr);
    display.ClearBackBuffer(0x1234);

    EXPECT_EQ(display.DrawSurface(10, 20, surface, nullptr), S_OK);
    EXPECT_EQ(BackPixel(10, 20), Magenta565) << "without a key every pixel is copied";
    surface->SetKeyColour(PanelKeyColour);
    display.ClearBackBuffer(0x1234);
    EXPECT_EQ(display.DrawSurface(10, 20, surface, nullptr), S_OK);
    EXPECT_EQ(BackPixel(10, 20), 0x1234) << "key-coloured pixels leave the back buffer";
    EXPECT_EQ(BackPixel(11, 20), Red565);
    EXPECT_EQ(BackPixel(10, 21), Red565);
    EXPECT_EQ(BackPixel(11, 21), 0x1234);

    display.ClearBackBuffer(0);
    EXPECT_NE(display.DrawSurface(799, 0, surface, nullptr), S_OK) << "past x 800";
    EXPECT_NE(display.DrawSurface(0, 599, surface, nullptr), S_OK) << "past y 600";
    EXPECT_NE(display.DrawSurface(static_cast<uint32_t>(-1), 0, surface, nullptr), S_OK);
    EXPECT_EQ(display.DrawSurface(798, 598, surface, nullptr), S_OK) << "touching the corner";
    Rect empty{1, 0, 1, 2};
    EXPECT_NE(display.DrawSurface(0, 0, surface, &empty), S_OK) << "an empty rectangle";
    Rect outside{0, 0, 3, 2};
    EXPECT_NE(display.DrawSurface(0, 0, surface, &outside), S_OK) << "beyond the surface";
    for (int y = 0; y < 598; ++y)
        for (int x = 0; x < 800; ++x)
            ASSERT_EQ(BackPixel(x, y), 0) << "refused draws touch nothing";
    delete surface;
}

TEST_F(DisplayDeviceTest, KeyedCopyMatchesPixelByPixelCopyForAnyRectangle) {
    // A strip with scattered transparent pixels, cut by many source rectangles: the run-based copy
    // must put exactly the pixels a plain per-pixel keyed copy would.
    const int width = 97, height = 13;
    std::mt19937 random(7);
    // A number in 0..n-1.
    auto below = [&](int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); };
    auto anyByte = [&] { return static_cast<uint8_t>(random()); };
    std::vector<COLORREF> pixels(display::PixelCount(width, height));
    for (auto& p : pixels)
        p = below(3) == 0 ? SpriteKeyColour : MakeColourRef(anyByte(), anyByte(), 200);
    CBitmapSurface* surface = Load(pixels, width, height);
    ASSERT_NE(surface, nullptr);
    surface->SetKeyColour(SpriteKeyColour);
    const uint16_t key = 0x0001;
    for (int round = 0; round < 300; ++round) {
        Rect r;
        r.left = below(width);
        r.right = r.left + 1 + below(width - r.left);
        r.top = below(height);
        r.bottom = r.top + 1 + below(height - r.top);
        const int x = below(700), y = below(580);
        display.ClearBackBuffer(0xAAAA);
        ASSERT_EQ(
            display.DrawSurface(static_cast<uint32_t>(x), static_cast<uint32_t>(y), surface, &r),
            S_OK);
        for (int sy = r.top; sy < r.bottom; ++sy) {
            for (int sx = r.left; sx < r.right; ++sx) {
                uint16_t source = surface->DirectDrawSurface()[display::PixelIndex(sx, sy, width)];
                uint16_t expected = source == key ? 0xAAAA : source;
                ASSERT_EQ(BackPixel(x + sx - r.left, y + sy - r.top), expected);
            }
        }
        if (x + r.Width() < 800) {
            ASSERT_EQ(BackPixel(x + r.Width(), y), 0xAAAA) << "nothing right of the rectangle";
        }
    }
    delete surface;
}

TEST_F(DisplayDeviceTest, PresentsAndReportsALostSurface) {
    display.ClearBackBuffer(0);
    EXPECT_EQ(display.ShowFrame(), S_OK);
    EXPECT_EQ(backend.PresentCount(), 1);
    EXPECT_EQ(backend.LastFrame()[0], 0);
    backend.LoseSurfacesOnNextPresent();
    EXPECT_EQ(display.ShowFrame(), DDERR_SURFACELOST);
    EXPECT_EQ(display.ShowFrame(), S_OK);
    EXPECT_EQ(display.RestoreAllSurfaces(), S_OK);
}

TEST_F(DisplayDeviceTest, ReloadingAPictureAfterKeyingRebuildsItsRuns) {
    CBitmapSurface* surface = Load({Red, PanelKeyColour}, 2, 1);
    ASSERT_NE(surface, nullptr);
    surface->SetKeyColour(PanelKeyColour);
    display::DecodedBitmap flipped;
    flipped.width = 2;
    flipped.height = 1;
    flipped.pixels = {PanelKeyColour, Red};
    ASSERT_EQ(surface->CopyBitmapIn(&flipped, 0, 0, 0, 0), S_OK);
    display.ClearBackBuffer(0);
    display.DrawSurface(0, 0, surface, nullptr);
    EXPECT_EQ(BackPixel(0, 0), 0);
    EXPECT_EQ(BackPixel(1, 0), Red565);
    delete surface;
}

}  // namespace
