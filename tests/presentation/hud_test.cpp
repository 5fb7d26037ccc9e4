#include "presentation/hud.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "presentation/background.h"
#include "presentation/bitmap_font.h"
#include "presentation/info_banner.h"
#include "presentation/point_labels.h"
#include "presentation/screen_surfaces.h"
#include "world/world_fixture.h"

namespace {

std::string RemainingTime(uint32_t roundEnd, uint32_t roundClock) {
    char text[16];
    presentation::FormatRemainingTime(text, roundEnd, roundClock);
    return text;
}

TEST(HudText, RemainingTimeAndScore) {
    EXPECT_EQ(RemainingTime(50000, 50000), "0:00");
    EXPECT_EQ(RemainingTime(50000, 60000), "0:00") << "a passed end is not a huge unsigned time";
    EXPECT_EQ(RemainingTime(161500, 100000), "1:01");
    EXPECT_EQ(RemainingTime(100999, 100000), "0:00");
    EXPECT_EQ(RemainingTime(100000 + 12 * 60000 + 5000, 100000), "12:05");
    char text[16];
    presentation::FormatScore(text, 1234);
    EXPECT_STREQ(text, "001234");
    presentation::FormatScore(text, 1234567);
    EXPECT_STREQ(text, "1234567");
}

// A sheet where every HUD icon rectangle has a colour of its own, read back from the screen.
class HudTest : public world_testing::WorldTest {
  protected:
    void SetUp() override {
        WorldTest::SetUp();
        std::vector<COLORREF> pixels(300 * 200, 0x00FF00FF);
        auto fill = [&](Rect r, COLORREF colour) {
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x)
                    pixels[display::PixelIndex(x, y, 300)] = colour;
        };
        for (int i = 0; i < 5; ++i) fill(QuotaIcon(i), CounterColour(i));
        fill({0, 104, 52, 169}, ShotgunRoundColour);
        const std::string path = dir_ / "sheet.bmp";
        world_testing::WriteBmp(path, 300, 200, pixels);
        presentation::ReloadSurface(&display_, presentation::IngameSheet, path.c_str(), 0, 0,
                                    PanelKeyColour);
        ASSERT_NE(presentation::IngameSheet, nullptr);
        display_.ClearBackBuffer(0);
    }
    void TearDown() override {
        presentation::ReleaseScreenSurfaces();
        WorldTest::TearDown();
    }
    static Rect QuotaIcon(int i) {
        const Rect icons[5] = {{65, 0, 107, 39},
                               {107, 0, 145, 39},
                               {145, 0, 180, 39},
                               {180, 0, 219, 39},
                               {220, 0, 256, 39}};
        return icons[i];
    }
    static COLORREF CounterColour(int i) {
        return MakeColourRef(static_cast<uint8_t>(40 * (i + 1)), 200, 16);
    }
    uint16_t Pixel565(COLORREF c) { return ColourRefToRgb565(c); }
    static constexpr COLORREF ShotgunRoundColour = 0x00102030;
};

TEST_F(HudTest, CountersWithoutAQuotaTakeNoRoom) {
    const int32_t quotas[5] = {gamestate::NoQuota, 4, gamestate::NoQuota, gamestate::NoQuota, 7};
    std::copy(std::begin(quotas), std::end(quotas), gamestate::Round.quotas);
    presentation::DrawHud(&display_);
    EXPECT_EQ(PixelAt(278, 10), Pixel565(CounterColour(1)));
    EXPECT_EQ(PixelAt(278 + 37, 10 + 38), Pixel565(CounterColour(1)));
    EXPECT_EQ(PixelAt(382, 10), Pixel565(CounterColour(4)));
    EXPECT_EQ(PixelAt(382 + 35, 10), Pixel565(CounterColour(4)));
    EXPECT_EQ(PixelAt(486, 10), 0) << "no third counter";
}

TEST_F(HudTest, AQuotaAtZeroKeepsItsIconAndShowsDoubleZeroInItsPlace) {
    // The game's own in-game font, so that a counter's text can be told from another.
    presentation::FontStyle style = presentation::IngameFontStyle;
    const std::string sheet = std::string(TQ_DATA_DIR) + "/" + style.sheetFile;
    style.sheetFile = sheet.c_str();
    presentation::BitmapFont font(&display_, style);
    ASSERT_NE(font.Sheet(), nullptr);
    presentation::IngameFont = &font;
    struct Unset {
        ~Unset() { presentation::IngameFont = nullptr; }
    } unset;
    // The text of the counter whose icon stands at x, as drawn on the screen.
    auto counterText = [&](int x) {
        std::vector<uint16_t> pixels;
        for (int y = 10; y < 42; ++y) {
            for (int dx = 47; dx < 104; ++dx) pixels.push_back(PixelAt(x + dx, y));
        }
        return pixels;
    };

    const int32_t quotas[5] = {0, 4, gamestate::NoQuota, gamestate::NoQuota, 7};
    std::copy(std::begin(quotas), std::end(quotas), gamestate::Round.quotas);
    presentation::DrawHud(&display_);
    EXPECT_EQ(PixelAt(278, 10), Pixel565(CounterColour(0))) << "a fulfilled quota keeps its icon";
    EXPECT_EQ(PixelAt(382, 10), Pixel565(CounterColour(1))) << "the next counter does not move";
    EXPECT_EQ(PixelAt(486, 10), Pixel565(CounterColour(4)));
    const std::vector<uint16_t> shown = counterText(278);

    display_.ClearBackBuffer(0);
    font.DrawString(&display_, 278 + 47, 10, "00");
    EXPECT_EQ(shown, counterText(278)) << "its counter reads 00";
    display_.ClearBackBuffer(0);
    font.DrawString(&display_, 278 + 47, 10, "04");
    EXPECT_NE(shown, counterText(278)) << "the font tells the counters apart";
}

TEST_F(HudTest, OneIconPerLoadedRoundFromTheRight) {
    world::PlayerWeapon = new world::Weapon();
    world::PlayerWeapon->roundsLeft = 3;
    presentation::DrawHud(&display_);
    for (int n = 0; n < 3; ++n) EXPECT_EQ(PixelAt(738 - 42 * n, 524), Pixel565(ShotgunRoundColour));
    EXPECT_EQ(PixelAt(738 - 42 * 3 + 41, 524), 0);
}

TEST_F(HudTest, OnlyTilesOnScreenAreDrawnAndATileAtZeroIsDrawnWhole) {
    using gamestate::BackgroundTiles;
    for (int tile : {3, 4}) {
        const std::string path = dir_ / ("E3" + std::to_string(tile) + ".bmp");
        world_testing::WriteSolidBmp(path, 800, 600, tile == 3 ? 0x00000080 : 0x00008000);
        display_.LoadBitmapSurface(&BackgroundTiles[3][tile], path.c_str(), 0, 0);
    }
    const uint16_t tile3 = Pixel565(0x00000080);
    const uint16_t tile4 = Pixel565(0x00008000);

    // Camera 800: tile 3 would start at x 800, tile 4 at 1600: neither shows.
    gamestate::Game.CameraX = 800.0f;
    presentation::DrawBackgroundLayer(&display_, gamestate::NearLayer);
    EXPECT_EQ(PixelAt(799, 300), 0);

    // Camera 2400: tile 3 at -800 is not drawn, tile 4 at 0 fills the screen.
    gamestate::Game.CameraX = 2400.0f;
    presentation::DrawBackgroundLayer(&display_, gamestate::NearLayer);
    EXPECT_EQ(PixelAt(0, 0), tile4);
    EXPECT_EQ(PixelAt(799, 599), tile4);

    // Camera 2000: tile 3 cut at the left, tile 4 from x 400.
    gamestate::Game.CameraX = 2000.0f;
    presentation::DrawBackgroundLayer(&display_, gamestate::NearLayer);
    EXPECT_EQ(PixelAt(399, 300), tile3);
    EXPECT_EQ(PixelAt(400, 300), tile4);
}

TEST_F(HudTest, PointLabelsRiseAndGoAfterThreeSeconds) {
    using gamestate::PointPopups;
    EXPECT_TRUE(gamestate::AddPointPopup(40, 1900, 300.0f, 10000));
    EXPECT_TRUE(gamestate::AddPointPopup(0, 1900, 300.0f, 10000)) << "a 0 label takes no slot";
    EXPECT_EQ(PointPopups[1].value, 0);
    presentation::DrawPointPopups(&display_, 1600.0f, 16.0f, 10016);
    EXPECT_FLOAT_EQ(PointPopups[0].y, 299.0f);
    presentation::DrawPointPopups(&display_, 1600.0f, 32.0f, 13000);
    EXPECT_FLOAT_EQ(PointPopups[0].y, 297.0f);
    EXPECT_EQ(PointPopups[0].value, 40) << "3000 ms old is not yet too old";
    presentation::DrawPointPopups(&display_, 1600.0f, 16.0f, 13001);
    EXPECT_EQ(PointPopups[0].value, 0);
    for (int i = 0; i < gamestate::PointPopupCount; ++i) {
        EXPECT_TRUE(gamestate::AddPointPopup(5, 0, 0.0f, 0));
    }
    EXPECT_FALSE(gamestate::AddPointPopup(5, 0, 0.0f, 0)) << "all 25 in use";
}

TEST_F(HudTest, OnlyOneBannerShowsAndNoneWhileAStageIsAnnounced) {
    const std::string path = dir_ / "panel.bmp";
    world_testing::WriteSolidBmp(path, 410, 54, 0x00123456);
    for (auto picture : {gamestate::CrossbowInfoPicture, gamestate::DynamiteInfoPicture}) {
        display_.LoadBitmapSurface(&gamestate::ScenePictures[picture], path.c_str(), 0, 0);
    }
    world::PlayerWeapon = new world::Weapon();
    const uint32_t now = backend_.Ticks();
    world::PlayerWeapon->unlockBannerUntil[world::Crossbow] = static_cast<int32_t>(now + 1500);
    world::PlayerWeapon->unlockBannerUntil[world::Dynamite] = static_cast<int32_t>(now + 1500);
    gamestate::Round.RoundClock = 5000;
    gamestate::Round.stageMessageEnd = 6000;
    presentation::DrawInfoBanner(&display_, now);
    EXPECT_EQ(PixelAt(300, 120), 0) << "the stage announcement comes first";
    gamestate::Round.stageMessageEnd = 5000;
    presentation::DrawInfoBanner(&display_, now);
    EXPECT_NE(PixelAt(200, 100), 0) << "the crossbow banner, not the dynamite's from x 205";
    EXPECT_NE(PixelAt(604, 153), 0);
    EXPECT_EQ(PixelAt(605, 100), 0);
    display_.ClearBackBuffer(0);
    presentation::DrawInfoBanner(&display_, now + 1500);
    EXPECT_EQ(PixelAt(300, 120), 0) << "both have run out";
}

}  // namespace
