#include "presentation/bitmap_font.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "display/display_device.h"
#include "support/bmp_fixture.h"
#include "support/in_directory.h"
#include "support/temp_dir.h"

namespace {

using presentation::BitmapFont;
using testing_support::TempDir;

// A sheet whose every cell column is filled with a colour that names the column, so that the
// back buffer tells which cell was copied where.
uint32_t ColumnColour(int column) {
    return uint32_t(8 * (column % 32)) | (uint32_t(4 * (column / 32 + 1)) << 8) | (8u << 16);
}
int ColumnAt(uint16_t pixel) {
    if (pixel == 0) return -1;
    return (pixel >> 11) + 32 * (((pixel >> 5) & 63) - 1);
}

class BitmapFontTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories("grafik/font");
        for (const auto* style : {&presentation::MenuFontStyle, &presentation::IngameFontStyle}) {
            const int cell = style->cellWidth;
            testing_support::WriteBmp(style->sheetFile, 100 * cell, style->glyphHeight,
                                      [cell](int x, int) { return ColumnColour(x / cell); });
        }
        ASSERT_EQ(display_.OpenFullScreen(800, 600, 16), 0);
    }

    // Start x of each glyph drawn in row y, with the column it shows and its width.
    struct Run {
        int x, column, width;
    };
    std::vector<Run> RunsInRow(int y) {
        std::vector<Run> runs;
        const uint16_t* row = display_.BackBuffer() + y * CDisplayDevice::Pitch;
        for (int x = 0; x < 800; ++x) {
            const int column = ColumnAt(row[x]);
            if (column < 0) continue;
            if (!runs.empty() && runs.back().x + runs.back().width == x &&
                runs.back().column == column) {
                ++runs.back().width;
            } else {
                runs.push_back({x, column, 1});
            }
        }
        return runs;
    }

    TempDir dir_;
    testing_support::InDirectory inside_{dir_.Path()};
    CDisplayDevice display_;
};

TEST_F(BitmapFontTest, IngameClockTextPlacesEachGlyph) {
    BitmapFont font(&display_, presentation::IngameFontStyle);
    ASSERT_NE(font.Sheet(), nullptr);
    EXPECT_EQ(font.DrawString(&display_, 50, 100, "12:05"), 142);
    const std::vector<Run> runs = RunsInRow(131);  // the glyphs are 32 rows high
    ASSERT_EQ(runs.size(), 5u);
    const Run expected[] = {{50, 1, 14}, {67, 2, 18}, {88, 10, 10}, {101, 0, 17}, {121, 5, 18}};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(runs[i].x, expected[i].x) << i;
        EXPECT_EQ(runs[i].column, expected[i].column) << i;
        EXPECT_EQ(runs[i].width, expected[i].width) << i;
    }
    EXPECT_TRUE(RunsInRow(132).empty());
    EXPECT_TRUE(RunsInRow(99).empty());
}

TEST_F(BitmapFontTest, MenuTextAdvancesByGlyphWidthAndFourForSpace) {
    BitmapFont font(&display_, presentation::MenuFontStyle);
    EXPECT_EQ(font.DrawString(&display_, 440, 150, "Sie haben"), 440 + 70);
    const std::vector<Run> runs = RunsInRow(150);
    const int starts[] = {440, 451, 454, 466, 475, 484, 493, 501};  // 11, 3, 8, (4), 9, 9, 9, 8
    ASSERT_EQ(runs.size(), 8u);
    for (size_t i = 0; i < 8; ++i) EXPECT_EQ(runs[i].x, starts[i]) << i;
    EXPECT_EQ(runs[0].column, 20);  // S
    EXPECT_EQ(runs[7].width, 9);    // n
}

TEST_F(BitmapFontTest, CodesWithoutGlyphsDrawNothingButTheIngameFontStillAdvances) {
    BitmapFont menu(&display_, presentation::MenuFontStyle);
    BitmapFont ingame(&display_, presentation::IngameFontStyle);
    EXPECT_EQ(menu.DrawString(&display_, 10, 10, "\x01\x84~"), 10);
    EXPECT_EQ(ingame.DrawString(&display_, 10, 10, "\x01\xe4~"), 19);
    EXPECT_EQ(menu.DrawString(&display_, 10, 10, ""), 10);
    EXPECT_EQ(ingame.DrawString(&display_, 10, 10, ""), 10);
    EXPECT_EQ(menu.DrawString(&display_, 10, 10, nullptr), 10);
    for (int y = 0; y < 600; ++y) ASSERT_TRUE(RunsInRow(y).empty()) << y;

    // Both spellings of the German letters share their glyphs in the menu font.
    EXPECT_EQ(menu.GlyphOf(0xe4).column, 30);
    EXPECT_EQ(menu.GlyphOf(0xc4).column, menu.GlyphOf(0x8e).column);
    EXPECT_EQ(menu.GlyphOf(0xdf).column, menu.GlyphOf(0xe1).column);
    EXPECT_EQ(menu.GlyphOf(0xfc).column, menu.GlyphOf(0x81).column);
}

TEST_F(BitmapFontTest, GlyphsLeavingTheScreenAreSkippedAndTheRestDrawn) {
    BitmapFont font(&display_, presentation::MenuFontStyle);
    // "W" at 790 would reach 806: not drawn; the x still moves on.
    EXPECT_EQ(font.DrawString(&display_, 780, 0, "AW"), 780 + 12 + 16);
    std::vector<Run> runs = RunsInRow(0);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].x, 780);
    // Starting left of the screen, only the glyphs that land on it are drawn.
    EXPECT_EQ(font.DrawString(&display_, -12, 50, "AB"), 11);
    runs = RunsInRow(50);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].x, 0);
    EXPECT_EQ(runs[0].column, 2);
}

TEST_F(BitmapFontTest, AFontWithoutItsSheetDrawsNothingButMeasures) {
    std::filesystem::remove(presentation::MenuFontStyle.sheetFile);
    BitmapFont font(&display_, presentation::MenuFontStyle);
    EXPECT_EQ(font.Sheet(), nullptr);
    EXPECT_EQ(font.DrawString(&display_, 100, 100, "Sie haben"), 170);
    EXPECT_EQ(font.MeasureString("Sie haben"), 70);
    EXPECT_TRUE(RunsInRow(100).empty());
}

}  // namespace
