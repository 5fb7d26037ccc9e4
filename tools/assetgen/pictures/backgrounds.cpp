// The three parallax panoramas: the far layer (sky, mountains, hills, the chapel with the bells,
// fields), the middle layer (meadow with the animals' path and the tree line) and the near layer
// (grass, bushes, paths and the big trees). Each layer is painted as one wide picture that wraps
// around and then cut into its six tiles, so the tiles join seamlessly, tile 6 into tile 1 too.
#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>

#include "pictures/nature.h"
#include "pictures/paint.h"
#include "pictures/panorama.h"
#include "pictures/recipes.h"
#include "pictures/scene_layout.h"

namespace assetgen {

namespace {

using namespace layout;
using namespace panorama;

// How far the bands that run round the whole layer reach past its two ends, so that their ends
// (and the outline and rims painted along them) lie outside the picture and tile 6 runs into
// tile 1 without an edge. Every line below repeats with the layer width.
constexpr double kPastTheEnds = 16;

// Traces the area between a line across the whole layer and the level `baseY` (below or above it).
template <typename Line>
void TraceAreaTo(cairo_t* c, double layerWidth, double baseY, Line line) {
    cairo_move_to(c, -kPastTheEnds, baseY);
    for (double x = -kPastTheEnds; x <= layerWidth + kPastTheEnds; x += 4) {
        cairo_line_to(c, x, line(x));
    }
    cairo_line_to(c, layerWidth + kPastTheEnds, baseY);
    cairo_close_path(c);
}

// Grass tufts that a layer-wide row of tufts leaves cut at the two ends are covered by a few
// more, the same at both ends, so the row runs on from tile 6 into tile 1.
void TuftsAcrossTheWrap(cairo_t* cr, double layerWidth, double y, double height, Rgb colour,
                        uint32_t seed, double density) {
    for (double shift : {0.0, -layerWidth}) {
        cairo_save(cr);
        cairo_translate(cr, shift, 0);
        PaintGrassTufts(cr, layerWidth - 16, layerWidth + 16, y, height, colour, seed, density);
        cairo_restore(cr);
    }
}

std::vector<Picture> CutTiles(const Canvas& canvas, int layer, Key key) {
    Picture whole = Finish(canvas, "", FinishOptions{key});
    const int tileWidth = gamestate::TileWidth(layer);
    std::vector<Picture> tiles;
    for (int t = 0; t < gamestate::TilesPerLayer; ++t) {
        tiles.push_back(
            Crop(whole, t * tileWidth, 0, tileWidth, ScreenHeight,
                 "grafik/hintergrund/E" + std::to_string(layer) + std::to_string(t + 1) + ".bmp"));
    }
    return tiles;
}

// ---------------------------------------------------------------------------------------------
// Far layer

double MountainLine(double x) {
    double ridge = 186 + Wave(x, kFarWidth, {{2, 18}, {5, 14}, {11, 8}, {17, 4}}, 1.3) -
                   14 * std::abs(std::sin(2 * M_PI * 23 * x / kFarWidth + 0.5));
    // The tall mountain whose peak is a target of its own; its summit is cut flat where the
    // peak picture sits.
    double tall = 150 * Bump(x, MountainPeakX + 46, 62) + 40 * Bump(x, MountainPeakX + 46, 200);
    double line = std::max(ridge - tall, 112.0);
    // Close to the peak the mountain rises on two shoulders straight to the foot of the peak
    // picture, whose flanks they carry on, so the peak stands on its mountain instead of on a
    // wide flat table; with the peak shot away a small snowy top is left. Further out the
    // mountain keeps the line above, the forest's stretch of the range included.
    double centre = MountainPeakX + 46, halfFoot = 44;
    double away = std::abs(x - centre);
    if (away >= 460) return line;
    double d = std::max(0.0, away - halfFoot);
    double shoulders = MountainPeakY + 60 + 1.35 * d + 0.0025 * d * d;
    // A soft minimum of the ridge and the shoulders, so the shoulders run into the ridge.
    double k = 24, gap = std::abs(ridge - shoulders);
    double mountain = std::min(ridge, shoulders) - (gap < k ? (k - gap) * (k - gap) / (4 * k) : 0);
    double t = std::clamp((away - 340) / 120, 0.0, 1.0);
    double weight = 1 - t * t * (3 - 2 * t);
    return mountain * weight + line * (1 - weight);
}

// Below the peak the snow reaches down in tongues instead of ending in a level edge.
double SnowTongues(double x) {
    double away = std::abs(x - MountainPeakX - 46);
    if (away >= 150) return 0;
    double fade = std::cos(M_PI / 2 * away / 150);
    return fade * fade * (7 + 7 * std::sin(x / 7.0) + 4 * std::sin(x / 3.1));
}

void PaintChapel(cairo_t* cr, double towerX) {
    double haze = kFarHaze * 0.9;
    double ground = FarHillLine(towerX) + 4;
    ShapeStyle wall{Hazed(Hex(0xe9e0cc), haze), 0.1, 0.2, 3, 1.5};
    ShapeStyle roof{Hazed(Hex(0x9a3c2a), haze), 0.15, 0.25, 3, 1.5};
    // Nave to the right of the tower.
    PaintShape(
        cr, [&](cairo_t* c) { cairo_rectangle(c, towerX + 14, ground - 58, 92, 58); }, wall);
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, towerX + 8, ground - 56);
            cairo_line_to(c, towerX + 30, ground - 86);
            cairo_line_to(c, towerX + 104, ground - 86);
            cairo_line_to(c, towerX + 114, ground - 56);
            cairo_close_path(c);
        },
        roof);
    for (int i = 0; i < 3; ++i) {
        PaintShape(
            cr,
            [&](cairo_t* c) { RoundedRectPath(c, towerX + 38 + i * 24, ground - 46, 9, 20, 4); },
            ShapeStyle{Hazed(Hex(0x4a6e8c), haze), 0, 0, 0, 1});
    }
    // Tower: belfry opening from y 104 to 170 around the bells.
    double left = towerX - 24, right = towerX + 24;
    PaintShape(
        cr, [&](cairo_t* c) { cairo_rectangle(c, left, 92, right - left, ground - 92); }, wall);
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, towerX - 16, 170);
            cairo_line_to(c, towerX - 16, 112);
            cairo_arc(c, towerX, 112, 16, M_PI, 2 * M_PI);
            cairo_line_to(c, towerX + 16, 170);
            cairo_close_path(c);
        },
        ShapeStyle{Hazed(Hex(0x3a2c22), haze * 0.6), 0, 0.0, 0, 1.5});
    // Bell beam.
    SetColour(cr, Hazed(palette::Earth, haze * 0.6));
    cairo_rectangle(cr, towerX - 16, 107, 32, 3);
    cairo_fill(cr);
    // Clock face and door.
    PaintShape(
        cr, [&](cairo_t* c) { EllipsePath(c, towerX, 196, 9, 9); },
        ShapeStyle{Hazed(palette::Cream, haze), 0, 0.15, 2, 1.5});
    SetColour(cr, Hazed(palette::Outline, haze));
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, towerX, 196);
    cairo_line_to(cr, towerX, 190);
    cairo_move_to(cr, towerX, 196);
    cairo_line_to(cr, towerX + 4, 198);
    cairo_stroke(cr);
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, towerX - 8, ground);
            cairo_line_to(c, towerX - 8, ground - 18);
            cairo_arc(c, towerX, ground - 18, 8, M_PI, 2 * M_PI);
            cairo_line_to(c, towerX + 8, ground);
            cairo_close_path(c);
        },
        ShapeStyle{Hazed(palette::Bark, haze), 0.1, 0.2, 2, 1.5});
    // Spire with a little cross.
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, left - 5, 94);
            cairo_line_to(c, towerX, 22);
            cairo_line_to(c, right + 5, 94);
            cairo_close_path(c);
        },
        roof);
    SetColour(cr, Hazed(Hex(0xb08a3a), haze));
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, towerX, 24);
    cairo_line_to(cr, towerX, 8);
    cairo_move_to(cr, towerX - 5, 13);
    cairo_line_to(cr, towerX + 5, 13);
    cairo_stroke(cr);
}

void PaintFarmyard(cairo_t* cr, double x) {
    double haze = kFarHaze;
    double ground = FarGround - 4;
    // Barn left of the silo, a concrete pad under the silo itself (the silo is a target).
    PaintShape(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x - 86, ground - 42, 66, 42); },
        ShapeStyle{Hazed(Hex(0xa0402c), haze), 0.12, 0.22, 3, 1.5});
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, x - 92, ground - 40);
            cairo_line_to(c, x - 53, ground - 66);
            cairo_line_to(c, x - 14, ground - 40);
            cairo_close_path(c);
        },
        ShapeStyle{Hazed(Hex(0x6a5a4a), haze), 0.12, 0.22, 3, 1.5});
    PaintShape(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x - 62, ground - 26, 18, 26); },
        ShapeStyle{Hazed(palette::Cream, haze), 0, 0, 0, 1});
    PaintShape(
        cr, [&](cairo_t* c) { EllipsePath(c, x + 16, ground + 1, 22, 4); },
        ShapeStyle{Hazed(Hex(0x9a9a94), haze), 0.1, 0.1, 1, 1});
}

void PaintPowerLine(cairo_t* cr) {
    double haze = kFarHaze * 0.8;
    double poles[] = {PowerLineX - 110, PowerLineX + 150, PowerLineX + 390};
    for (double px : poles) {
        PaintShape(
            cr,
            [&](cairo_t* c) {
                cairo_rectangle(c, px - 2.5, PowerLineY - 12, 5, FarGround - PowerLineY + 12);
            },
            ShapeStyle{Hazed(palette::Earth, haze), 0.1, 0.2, 1, 1});
        PaintShape(
            cr, [&](cairo_t* c) { cairo_rectangle(c, px - 12, PowerLineY - 12, 24, 4); },
            ShapeStyle{Hazed(palette::Earth, haze), 0.1, 0.2, 1, 1});
    }
    SetColour(cr, Hazed(Hex(0x303030), haze * 0.6));
    cairo_set_line_width(cr, 1.6);
    for (int i = 0; i + 1 < 3; ++i) {
        cairo_move_to(cr, poles[i] + 10, PowerLineY - 10);
        cairo_curve_to(cr, poles[i] + 60, PowerLineY + 2, poles[i + 1] - 60, PowerLineY + 2,
                       poles[i + 1] - 10, PowerLineY - 10);
        cairo_move_to(cr, poles[i] - 10, PowerLineY - 10);
        cairo_curve_to(cr, poles[i] + 60, PowerLineY - 2, poles[i + 1] - 60, PowerLineY - 2,
                       poles[i + 1] + 10, PowerLineY - 10);
    }
    cairo_stroke(cr);
}

std::vector<Picture> DrawFarLayer() {
    const double W = kFarWidth;
    Canvas canvas(static_cast<int>(W), ScreenHeight);
    cairo_t* cr = canvas.cr();
    FillVerticalGradient(cr, 0, 300,
                         {{0, Hex(0x86bfe8)}, {0.55, palette::SkyHigh}, {1, palette::SkyLow}});
    // Clouds.
    Random random(11);
    for (int i = 0; i < 14; ++i) {
        double cx = (i + random.Uniform(0.1, 0.9)) * W / 14;
        double cy = random.Uniform(40, 120);
        double cw = random.Uniform(90, 190);
        const auto seed = static_cast<uint32_t>(100 + i);
        // The peak is a target: its cloud drifts aside.
        if (std::abs(cx - MountainPeakX - 46) < 160) cx -= 230;
        Wrapped(W, cx, cw, [&](double at) { PaintCloud(cr, at, cy, cw, seed); });
    }
    // A far, faint range behind the mountains.
    PaintGradientShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, -18, 320);
            for (double x = -18; x <= W + 18; x += 6) {
                cairo_line_to(c, x,
                              158 - 22 * std::abs(std::sin(2 * M_PI * 9 * x / W)) +
                                  Wave(x, W, {{4, 10}, {13, 5}}, 0.4));
            }
            cairo_line_to(c, W + 18, 320);
            cairo_close_path(c);
        },
        120, Hazed(Hex(0xa8b8d0), 0.55), 240, Hazed(Hex(0xb8c8d8), 0.6), 1,
        Hazed(palette::Outline, 0.7));
    // Mountains: a pale blue range with snow on the higher tops.
    auto mountains = [&](cairo_t* c) { TraceAreaTo(c, W, 320, MountainLine); };
    PaintGradientShape(cr, mountains, 110, Hazed(Hex(0x8a9ab8), 0.3), 260,
                       Hazed(Hex(0x9cb0a8), 0.45), 1.5, Hazed(palette::Outline, 0.55));
    cairo_save(cr);
    cairo_new_path(cr);
    mountains(cr);
    cairo_clip(cr);
    SetColour(cr, Hex(0xf4f8fc));
    cairo_move_to(cr, 0, 0);
    for (double x = 0; x <= W; x += 4) {
        double top = MountainLine(x);
        double snowLine = 150 + Wave(x, W, {{9, 5}, {23, 3}});
        cairo_line_to(cr, x, std::min(top + 14 + SnowTongues(x), snowLine));
    }
    cairo_line_to(cr, W, 0);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);

    // Rolling hills.
    auto hills = [&](cairo_t* c) { TraceAreaTo(c, W, 400, FarHillLine); };
    PaintGradientShape(cr, hills, 210, Hazed(palette::FreshGreen, 0.5), 300,
                       Hazed(palette::LeafGreen, 0.45), 1.5, Hazed(palette::Outline, 0.55));
    // Distant woods on the hills of the forest region, fields in the field region.
    Random woods(21);
    for (double x = 1380; x < 2900; x += woods.Uniform(14, 24)) {
        if (std::abs(x - BellTowerX - 40) < 90) continue;
        double h = woods.Uniform(26, 46);
        double ground = FarHillLine(x) + 10 + woods.Uniform(0, 20);
        PaintFirTree(cr, x, ground, h, h * 0.5, TreeStyle{0.55, 1, woods.Next()});
    }
    for (double x = 150; x < 1300; x += woods.Uniform(120, 220)) {
        PaintLeafTree(cr, x, FarHillLine(x) + 18, 40, 34, TreeStyle{0.5, 1, woods.Next()});
    }
    // Patchwork on the hills: meadows in the west, dark woods in the forest, crop fields in the
    // east, with hedgerows between them.
    cairo_save(cr);
    cairo_new_path(cr);
    hills(cr);
    cairo_clip(cr);
    Random patches(23);
    for (double left = 0; left < W; left += patches.Uniform(90, 170)) {
        bool field = left > 2880 && left < 4200;
        bool forest = left > 1450 && left < 2880;
        Rgb crop =
            field ? (patches.Below(2) ? Hex(0xd8c060) : Hex(0xb89848))
                  : (forest ? Hex(0x5a8a44) : (patches.Below(2) ? Hex(0x9cc060) : Hex(0x84b050)));
        double top = FarHillLine(left) + patches.Uniform(4, 14);
        double width = patches.Uniform(70, 150);
        SetColour(cr, Hazed(crop, 0.45));
        cairo_move_to(cr, left, 300);
        cairo_line_to(cr, left + 20, top);
        cairo_line_to(cr, left + width, top + patches.Uniform(-4, 4));
        cairo_line_to(cr, left + width - 20, 300);
        cairo_close_path(cr);
        cairo_fill(cr);
        SetColour(cr, Hazed(palette::DeepGreen, 0.5));
        for (double y = top + 6; y < 290; y += 14) {
            EllipsePath(cr, left + 10 + (y - top) * 0.2, y, 3, 2);
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);

    PaintFarOuterCountry(cr);
    PaintChapel(cr, BellTowerX);
    PaintFarmyard(cr, SiloX);
    PaintPowerLine(cr);

    // The far meadow the animals walk on, with the path at their feet.
    auto meadow = [&](cairo_t* c) {
        TraceAreaTo(c, W, 600, [&](double x) { return 272 + Wave(x, W, {{5, 4}, {11, 3}}, 2.1); });
    };
    PaintGradientShape(cr, meadow, 270, Hazed(Hex(0x7fae52), 0.35), 330, Hazed(Hex(0x6a9a44), 0.3),
                       1.2, Hazed(palette::Outline, 0.5));
    auto path = [&](cairo_t* c) {
        cairo_move_to(c, -kPastTheEnds, FarGround - 6);
        for (double x = -kPastTheEnds; x <= W + kPastTheEnds; x += 4) {
            cairo_line_to(c, x, FarGround - 6 + Wave(x, W, {{7, 1.5}, {19, 1}}));
        }
        for (double x = W + kPastTheEnds; x >= -kPastTheEnds; x -= 4) {
            cairo_line_to(c, x, FarGround + 7 + Wave(x, W, {{9, 1.5}, {17, 1}}, 1));
        }
        cairo_close_path(c);
    };
    cairo_save(cr);
    cairo_new_path(cr);
    meadow(cr);
    cairo_clip(cr);
    RegionTint(cr, 2980, 4150, Hazed(Hex(0xd8b850), 0.4), 0.45, 120);
    RegionTint(cr, 1560, 2780, Hazed(Hex(0x3f6a34), 0.4), 0.3, 120);
    cairo_restore(cr);
    PaintShape(cr, path, ShapeStyle{Hazed(Hex(0xb89a6c), 0.35), 0.1, 0.0, 2, 0});
    PaintGrassTufts(cr, 0, W, 274, 7, Hazed(palette::LeafGreen, 0.35), 5, 0.3);
    TuftsAcrossTheWrap(cr, W, 274, 7, Hazed(palette::LeafGreen, 0.35), 15, 0.3);
    // Holes of the far moles and hares (half-size frames: mole 32, hare 40 wide).
    for (int i = 0; i < 3; ++i) {
        double mole = FarMoleDives[i] + 2 + MoleFrameWidth / 4.0;
        double hare = FarHareDives[i] + 2 + HareFrameWidth / 4.0;
        double centre = (mole + hare) / 2;
        double width = 22 + std::abs(mole - hare);
        PaintHole(cr, centre, FarGround + 1, width, 0.25);
    }
    // Below the path: more meadow, hidden by the middle layer.
    PaintGrassTufts(cr, 0, W, 318, 8, Hazed(palette::LeafGreen, 0.3), 6, 0.2);
    TuftsAcrossTheWrap(cr, W, 318, 8, Hazed(palette::LeafGreen, 0.3), 16, 0.2);
    return CutTiles(canvas, gamestate::FarLayer, Key::None);
}

// ---------------------------------------------------------------------------------------------
// Middle layer

void PaintTrough(cairo_t* cr) {
    double left = TroughX - 6, right = TroughX + 48, top = 284, bottom = 305;
    ShapeStyle wood{Hazed(Hex(0x8a5a32), kMidHaze), 0.15, 0.25, 2, 1.5};
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_rectangle(c, left + 4, bottom - 4, 5, 8);
            cairo_rectangle(c, right - 9, bottom - 4, 5, 8);
        },
        wood);
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, left, top);
            cairo_line_to(c, right, top);
            cairo_line_to(c, right - 4, bottom);
            cairo_line_to(c, left + 4, bottom);
            cairo_close_path(c);
        },
        wood);
    // The empty inside shows above the rim.
    PaintShape(
        cr, [&](cairo_t* c) { EllipsePath(c, (left + right) / 2, top, (right - left) / 2 - 2, 4); },
        ShapeStyle{Hazed(Hex(0x3e2a1a), kMidHaze), 0, 0, 0, 1});
    SetColour(cr, Hazed(Hex(0x5a3b22), kMidHaze));
    cairo_set_line_width(cr, 1);
    for (double y = top + 6; y < bottom - 2; y += 6) {
        cairo_move_to(cr, left + 3, y);
        cairo_line_to(cr, right - 3, y);
    }
    cairo_stroke(cr);
}

void PaintFence(cairo_t* cr, double x0, double x1, double postTop, double groundY, Rgb wood,
                double outline) {
    ShapeStyle style{wood, 0.15, 0.25, 2, outline};
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_rectangle(c, x0, postTop + 14, x1 - x0, 6);
            cairo_rectangle(c, x0, postTop + 38, x1 - x0, 6);
        },
        style);
    for (double x = x0; x <= x1; x += 36) {
        PaintShape(
            cr,
            [&](cairo_t* c) {
                cairo_move_to(c, x - 4, groundY);
                cairo_line_to(c, x - 4, postTop + 4);
                cairo_line_to(c, x, postTop);
                cairo_line_to(c, x + 4, postTop + 4);
                cairo_line_to(c, x + 4, groundY);
                cairo_close_path(c);
            },
            style);
    }
}

void PaintCave(cairo_t* cr) {
    double cx = CaveStoneX + 36;
    ShapeStyle rock{Hazed(Hex(0x8c8a80), kMidHaze), 0.2, 0.3, 5, 2};
    auto hill = [&](cairo_t* c) {
        cairo_move_to(c, cx - 150, MidMeadowTop + 6);
        cairo_curve_to(c, cx - 130, 200, cx - 60, 150, cx, 148);
        cairo_curve_to(c, cx + 70, 146, cx + 140, 190, cx + 160, MidMeadowTop + 6);
        cairo_close_path(c);
    };
    PaintShape(cr, hill, rock);
    // Layers and cracks of the rock, and moss on its top, all on the rock itself.
    cairo_save(cr);
    cairo_new_path(cr);
    hill(cr);
    cairo_clip(cr);
    SetColour(cr, Hazed(Hex(0x6e6c64), kMidHaze));
    cairo_set_line_width(cr, 1.5);
    const double cracks[][4] = {{-120, 250, -84, 240}, {-100, 280, -60, 276}, {70, 236, 112, 248},
                                {84, 272, 130, 282},   {-30, 180, -4, 172},   {30, 176, 60, 186}};
    for (const auto& k : cracks) {
        cairo_move_to(cr, cx + k[0], k[1]);
        cairo_curve_to(cr, cx + (k[0] + k[2]) / 2, k[1] - 4, cx + (k[0] + k[2]) / 2, k[3] + 4,
                       cx + k[2], k[3]);
    }
    cairo_stroke(cr);
    SetColour(cr, Hazed(palette::LeafGreen, kMidHaze));
    for (int i = 0; i < 5; ++i) {
        EllipsePath(cr, cx - 80 + i * 38, 160 + (i % 2) * 8 + (i == 0 ? 14 : 0), 16, 6);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    // Cave mouth behind the stone.
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, cx - 40, MidMeadowTop + 2);
            cairo_curve_to(c, cx - 40, 220, cx + 40, 220, cx + 40, MidMeadowTop + 2);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x1e1a16), 0, 0, 0, 1.5});
    // Fallen rocks at the foot.
    for (auto [dx, w, h] : {std::tuple{-128.0, 34.0, 20.0}, std::tuple{140.0, 40.0, 24.0},
                            std::tuple{-104.0, 20.0, 12.0}}) {
        PaintShape(
            cr,
            [&](cairo_t* c) {
                cairo_move_to(c, cx + dx - w / 2, MidMeadowTop + 8);
                cairo_curve_to(c, cx + dx - w / 2, MidMeadowTop + 8 - h, cx + dx + w / 2,
                               MidMeadowTop + 8 - h * 1.1, cx + dx + w / 2, MidMeadowTop + 8);
                cairo_close_path(c);
            },
            rock);
    }
}

void PaintPowerBox(cairo_t* cr) {
    double x = PowerBoxX, y = PowerBoxY;
    PaintShape(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x + 12, y + 40, 8, MidMeadowTop - y - 30); },
        ShapeStyle{Hazed(palette::Earth, kMidHaze), 0.1, 0.2, 2, 1.5});
    PaintShape(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x - 4, y - 4, 40, 48); },
        ShapeStyle{Hazed(Hex(0x8a949a), kMidHaze), 0.2, 0.3, 3, 1.5});
    PaintShape(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x + 2, y + 2, 28, 36); },
        ShapeStyle{Hazed(Hex(0x3a4046), kMidHaze), 0, 0, 0, 1});
}

void PaintWoodpeckerTree(cairo_t* cr) {
    // The woodpecker clings to the trunk's left side, its beak on the bark.
    double x = WoodpeckerX + 50;
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, x - 22, MidMeadowTop + 8);
            cairo_curve_to(c, x - 14, 250, x - 12, 100, x - 10, 20);
            cairo_line_to(c, x + 10, 20);
            cairo_curve_to(c, x + 12, 100, x + 14, 250, x + 22, MidMeadowTop + 8);
            cairo_close_path(c);
        },
        ShapeStyle{Hazed(Hex(0x7a5a3a), kMidHaze), 0.15, 0.3, 5, 2});
    // The crown sits on the tall trunk without a trunk of its own.
    PaintLeafTree(cr, x, 150, 150, 150, TreeStyle{kMidHaze, 1.5, 77, false});
}

std::vector<Picture> DrawMiddleLayer() {
    const double W = kMidWidth;
    Canvas canvas(static_cast<int>(W), ScreenHeight);
    cairo_t* cr = canvas.cr();
    Random random(31);

    // The tree line at the back of the meadow. Gaps are left where the chapel of the far layer
    // shows through, over the trough and over the cave.
    auto freeSpot = [](double x) {
        double chapel = BellTowerX + 0.05 * 1950 + 40;  // where the tower shows at mid camera
        return std::abs(x - chapel) < 95 || std::abs(x - TroughX - 20) < 45 ||
               std::abs(x - CaveStoneX - 36) < 170 || std::abs(x - WoodpeckerX) < 60 ||
               std::abs(x - PowerBoxX - 16) < 40 || (x > 230 && x < 460) ||
               std::abs(x - BearTargetX - 40) < 60;
    };
    // A back row of smaller, hazier firs makes the forest read as a dense wood.
    // It stands in a few thickets only, so the far animals stay in view between them.
    Random backRow(37);
    for (double thicket : {1700.0, 2080.0, 2380.0, 2860.0}) {
        for (double x = thicket - 50; x < thicket + 50; x += backRow.Uniform(22, 34)) {
            double h = backRow.Uniform(80, 130);
            uint32_t seed = backRow.Next();
            PaintFirTree(cr, x, MidMeadowLine(x) - 4, h, h * 0.45,
                         TreeStyle{kMidHaze + 0.2, 1.2, seed});
        }
    }
    std::vector<std::pair<double, double>> shadows;  // x and width of each tree's shadow
    for (double x = 20; x < W; x += random.Uniform(48, 110)) {
        bool forest = x > 1650 && x < 2950;
        if (freeSpot(x)) continue;
        if (!forest && random.Below(3) == 0) continue;
        double ground = MidMeadowLine(x) + random.Uniform(2, 10);
        uint32_t seed = random.Next();
        shadows.push_back({x, forest ? 70.0 : 90.0});
        if (forest && random.Below(2) == 0) {
            double h = random.Uniform(150, 250);
            Wrapped(W, x, 80, [&](double at) {
                PaintFirTree(cr, at, ground, h, h * 0.42, TreeStyle{kMidHaze, 1.5, seed});
            });
        } else {
            double h = random.Uniform(150, 240);
            double crown = random.Uniform(100, 150);
            if (MidTreeHidesAFarLandmark(x, crown)) {
                shadows.pop_back();
                continue;
            }
            Rgb leaves =
                x > 3000 ? Mix(palette::LeafGreen, palette::Autumn, 0.25) : palette::LeafGreen;
            Wrapped(W, x, crown, [&](double at) {
                PaintLeafTree(cr, at, ground, h, crown, TreeStyle{kMidHaze, 1.5, seed}, leaves);
            });
        }
    }
    PaintCave(cr);
    PaintWoodpeckerTree(cr);

    // The meadow, darker under the trees, with the walking path.
    auto meadow = [&](cairo_t* c) { TraceAreaTo(c, W, 600, MidMeadowLine); };
    cairo_save(cr);
    cairo_new_path(cr);
    meadow(cr);
    SetColour(cr, palette::Outline);
    cairo_set_line_width(cr, 4);
    cairo_stroke_preserve(cr);
    cairo_clip(cr);
    FillVerticalGradient(cr, MidMeadowTop, 600,
                         {{0, Hazed(Hex(0x4a7a36), kMidHaze)},
                          {0.25, Hazed(Hex(0x6a9e48), kMidHaze)},
                          {1, Hazed(Hex(0x5a8e40), kMidHaze)}});
    // Soft shadows of the tree line fall forward onto the meadow.
    for (auto [x, width] : shadows) {
        Wrapped(W, x, width, [&](double at) {
            SetColour(cr, Hazed(Hex(0x2f5a26), kMidHaze), 0.35);
            EllipsePath(cr, at + 10, MidMeadowLine(at) + 10, width * 0.6, 7);
            cairo_fill(cr);
        });
    }
    RegionTint(cr, 3150, 4380, Hazed(Hex(0xc8b048), kMidHaze), 0.45, 140);
    RegionTint(cr, 1660, 2925, Hazed(Hex(0x2f5d2a), kMidHaze), 0.22, 140);
    // Meadow flowers and light dabs.
    Random dabs(41);
    for (int i = 0; i < 900; ++i) {
        double x = dabs.Uniform(0, W), y = dabs.Uniform(MidMeadowTop + 8, 600);
        Rgb c = dabs.Below(9) == 0 ? (dabs.Below(2) ? palette::Cream : Hex(0xe8c84a))
                                   : Hazed(Hex(0x86b85a), kMidHaze);
        SetColour(cr, c);
        Wrapped(W, x, 3, [&](double at) { EllipsePath(cr, at, y, 2.5, 1.2); });
        cairo_fill(cr);
    }
    PaintMidOuterGround(cr);
    cairo_restore(cr);
    auto path = [&](cairo_t* c) {
        cairo_move_to(c, -kPastTheEnds, MidGround - 9);
        for (double x = -kPastTheEnds; x <= W + kPastTheEnds; x += 4) {
            cairo_line_to(c, x, MidGround - 9 + Wave(x, W, {{5, 2}, {13, 1.5}}));
        }
        for (double x = W + kPastTheEnds; x >= -kPastTheEnds; x -= 4) {
            cairo_line_to(c, x, MidGround + 11 + Wave(x, W, {{7, 2}, {17, 1.5}}, 1));
        }
        cairo_close_path(c);
    };
    PaintShape(cr, path,
               ShapeStyle{Hazed(Hex(0xb08a5a), kMidHaze), 0.12, 0.12, 3, 1.5,
                          Hazed(Hex(0x6a5a3a), kMidHaze)});
    Random pebbles(43);
    for (int i = 0; i < 140; ++i) {
        double x = pebbles.Uniform(0, W);
        double y = MidGround + pebbles.Uniform(-10, 12);
        SetColour(cr, Hazed(pebbles.Below(2) ? Hex(0x8a7050) : Hex(0xd0b890), kMidHaze));
        double r = pebbles.Uniform(1.5, 3);
        Wrapped(W, x, 3, [&](double at) { EllipsePath(cr, at, y, r, 1.2); });
        cairo_fill(cr);
    }
    PaintGrassTufts(cr, 0, W, MidMeadowLine(0) + 2, 10, Hazed(Hex(0x3e6e2c), kMidHaze), 7, 0.35);
    PaintGrassTufts(cr, 0, W, MidGround - 8, 7, Hazed(Hex(0x5a8e40), kMidHaze), 8, 0.15);
    PaintGrassTufts(cr, 0, W, MidGround + 13, 8, Hazed(Hex(0x4e8238), kMidHaze), 9, 0.2);
    TuftsAcrossTheWrap(cr, W, MidMeadowLine(0) + 2, 10, Hazed(Hex(0x3e6e2c), kMidHaze), 17, 0.35);
    TuftsAcrossTheWrap(cr, W, MidGround - 8, 7, Hazed(Hex(0x5a8e40), kMidHaze), 18, 0.15);
    TuftsAcrossTheWrap(cr, W, MidGround + 13, 8, Hazed(Hex(0x4e8238), kMidHaze), 19, 0.2);
    // Holes: under the middle of the diving mole's and hare's frames.
    for (int i = 0; i < 3; ++i) {
        double mole = MidMoleDives[i] + 2 + MoleFrameWidth / 2.0;
        double hare = MidHareDives[i] + 2 + HareFrameWidth / 2.0;
        double centre = (mole + hare) / 2;
        double width = 40 + std::abs(mole - hare);
        PaintHole(cr, centre, MidGround + 1, width, kMidHaze);
    }
    // Meadow details that stand in front of the tree line.
    PaintTrough(cr);
    PaintFence(cr, 1140, 1480, 248, MidMeadowTop + 6, Hazed(Hex(0x9a7048), kMidHaze), 1.5);
    // A board in the fence with the knothole the eye peeps through, and a shelf for the pot.
    PaintShape(
        cr, [](cairo_t* c) { cairo_rectangle(c, FenceEyeX - 10, 244, 46, 60); },
        ShapeStyle{Hazed(Hex(0xa87c50), kMidHaze), 0.15, 0.3, 3, 1.5});
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, FenceEyeX + 12, FenceEyeY + 8, 10, 6); },
        ShapeStyle{Hazed(Hex(0x3a2616), kMidHaze), 0, 0, 0, 1.5});
    PaintShape(
        cr, [](cairo_t* c) { cairo_rectangle(c, PotX - 4, PotY + 30, 46, 6); },
        ShapeStyle{Hazed(Hex(0x8a6040), kMidHaze), 0.15, 0.3, 2, 1.5});
    PaintPowerBox(cr);
    for (double x = 60; x < W; x += random.Uniform(180, 420)) {
        if (freeSpot(x) || (x > 1100 && x < 1500)) continue;
        double width = random.Uniform(50, 110);
        uint32_t seed = random.Next();
        Wrapped(W, x, width, [&](double at) {
            PaintBush(cr, at, MidMeadowLine(at) + 12, width, width * 0.45,
                      TreeStyle{kMidHaze, 1.5, seed}, palette::DeepGreen);
        });
    }
    PaintMidOuterProps(cr);
    return CutTiles(canvas, gamestate::MidLayer, Key::Panel);
}

// ---------------------------------------------------------------------------------------------
// Near layer

struct Clump {
    double x, y, r;
};

// A big near-layer crown of leaf clumps: one outline around all, lit tops, scattered leaves.
void PaintClumpCrown(cairo_t* cr, const std::vector<Clump>& clumps, Rgb base, uint32_t seed) {
    auto crown = [&](cairo_t* c) {
        for (const Clump& k : clumps) EllipsePath(c, k.x, k.y, k.r * 1.1, k.r * 0.85);
    };
    PaintShape(cr, crown, ShapeStyle{base, 0.0, 0.3, 14, 3});
    cairo_save(cr);
    cairo_new_path(cr);
    crown(cr);
    double x1, y1, x2, y2;
    cairo_path_extents(cr, &x1, &y1, &x2, &y2);
    cairo_clip(cr);
    for (const Clump& k : clumps) {
        SetColour(cr, Lighter(base, 0.12));
        EllipsePath(cr, k.x - k.r * 0.2, k.y - k.r * 0.25, k.r * 0.75, k.r * 0.55);
        cairo_fill(cr);
        SetColour(cr, Lighter(base, 0.3));
        EllipsePath(cr, k.x - k.r * 0.35, k.y - k.r * 0.4, k.r * 0.4, k.r * 0.28);
        cairo_fill(cr);
    }
    Random random(seed);
    int leaves = static_cast<int>((x2 - x1) * (y2 - y1) / 380);
    for (int i = 0; i < leaves; ++i) {
        double x = random.Uniform(x1, x2), y = random.Uniform(y1, y2);
        SetColour(cr, random.Below(2) ? Darker(base, 0.25) : Lighter(base, 0.4));
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, random.Uniform(0, M_PI));
        EllipsePath(cr, 0, 0, 6, 3);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    cairo_restore(cr);
}

void PaintAppleTree(cairo_t* cr) {
    double trunkX = 1985;
    double ground = NearGroundLine(trunkX);
    ShapeStyle bark{Hex(0x7a4e2c), 0.18, 0.35, 8, 3};
    // Trunk and the two main boughs.
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, trunkX - 62, ground + 6);
            cairo_curve_to(c, trunkX - 30, ground - 10, trunkX - 26, ground - 80, trunkX - 24, 250);
            cairo_curve_to(c, trunkX - 60, 210, trunkX - 140, 190, trunkX - 200, 170);
            cairo_line_to(c, trunkX - 190, 156);
            cairo_curve_to(c, trunkX - 120, 170, trunkX - 60, 190, trunkX - 10, 215);
            cairo_curve_to(c, trunkX + 20, 180, trunkX + 80, 160, trunkX + 160, 150);
            cairo_line_to(c, trunkX + 164, 164);
            cairo_curve_to(c, trunkX + 90, 176, trunkX + 40, 200, trunkX + 26, 250);
            cairo_curve_to(c, trunkX + 28, ground - 80, trunkX + 34, ground - 10, trunkX + 70,
                           ground + 6);
            cairo_close_path(c);
        },
        bark);
    // Crown: broad clumps from x 1700 to 2270, with the apples hanging in its lower half.
    Random random(57);
    std::vector<Clump> clumps;
    for (int i = 0; i < 16; ++i) {
        double t = i / 15.0;
        double x = 1720 + t * 520 + random.Uniform(-15, 15);
        double y = 110 - 50 * std::sin(t * M_PI) + random.Uniform(-15, 25);
        clumps.push_back({x, y, random.Uniform(62, 90)});
    }
    for (int i = 0; i < 7; ++i) {
        clumps.push_back({1760 + i * 75 + random.Uniform(-10, 10), 190 + random.Uniform(0, 30),
                          random.Uniform(40, 58)});
    }
    PaintClumpCrown(cr, clumps, Hex(0x3f7a30), 57);
    // Roots over the mound.
    for (int side = -1; side <= 1; side += 2) {
        PaintShape(
            cr,
            [&](cairo_t* c) {
                cairo_move_to(c, trunkX + side * 40, ground - 4);
                cairo_curve_to(c, trunkX + side * 80, ground - 2, trunkX + side * 110, ground + 4,
                               trunkX + side * 150, ground + 12);
                cairo_line_to(c, trunkX + side * 140, ground + 16);
                cairo_curve_to(c, trunkX + side * 100, ground + 10, trunkX + side * 70, ground + 8,
                               trunkX + side * 30, ground + 6);
                cairo_close_path(c);
            },
            bark);
    }
}

void PaintOak(cairo_t* cr) {
    // The old oak of the field: a broad trunk whose hollows hide eyes and which carries a carved
    // heart low down, its crown full of acorns spreading to the right.
    double x = OakX + 50;
    double ground = NearGroundLine(x);
    Rgb leaves = Mix(palette::LeafGreen, palette::Autumn, 0.3);
    Random random(91);
    std::vector<Clump> back;
    for (int i = 0; i < 12; ++i) {
        double t = i / 11.0;
        back.push_back({3310 + t * 380 + random.Uniform(-10, 10),
                        10 + 70 * t + 30 * std::sin(t * M_PI) + random.Uniform(-8, 8),
                        random.Uniform(44, 64)});
    }
    for (int i = 0; i < 5; ++i) {
        back.push_back({3470 + i * 50 + random.Uniform(-8, 8), 190 + random.Uniform(-10, 15),
                        random.Uniform(36, 50)});
    }
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, x + 30, 150);
            cairo_curve_to(c, x + 90, 110, x + 160, 110, x + 240, 120);
            cairo_line_to(c, x + 236, 140);
            cairo_curve_to(c, x + 160, 134, x + 100, 140, x + 40, 190);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x6a4a30), 0.18, 0.35, 8, 3});
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, x - 90, ground + 8);
            cairo_curve_to(c, x - 50, ground - 20, x - 56, 200, x - 50, 60);
            cairo_curve_to(c, x - 48, 30, x - 60, 10, x - 70, -10);
            cairo_line_to(c, x + 60, -10);
            cairo_curve_to(c, x + 56, 30, x + 52, 100, x + 54, 150);
            cairo_curve_to(c, x + 58, 250, x + 55, ground - 20, x + 100, ground + 8);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x6a4a30), 0.18, 0.35, 10, 3});
    // Hollows behind the eyes.
    const double hollows[][2] = {{OakX + 35, 96}, {OakX + 71, 147}, {OakX + 30, 194}};
    for (const auto& h : hollows) {
        PaintShape(
            cr, [&](cairo_t* c) { EllipsePath(c, h[0], h[1], 22, 13); },
            ShapeStyle{Hex(0x2a1c12), 0, 0, 0, 2});
    }
    SetColour(cr, Hex(0x4a3020));
    cairo_set_line_width(cr, 2);
    for (int i = 0; i < 9; ++i) {
        double bx = x - 40 + i * 10;
        cairo_move_to(cr, bx, 230 + (i % 3) * 30);
        cairo_curve_to(cr, bx + 3, 300, bx - 3, 360, bx + 2, ground - 20);
    }
    cairo_stroke(cr);
    PaintClumpCrown(cr, back, leaves, 92);
}

void PaintStone(cairo_t* cr, double x, double groundY, double w, double h) {
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, x - w / 2, groundY);
            cairo_curve_to(c, x - w / 2, groundY - h, x + w / 2, groundY - h * 1.1, x + w / 2,
                           groundY);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x9a968a), 0.25, 0.35, 3, 2.5});
}

void PaintLog(cairo_t* cr, double x, double groundY, double length) {
    PaintShape(
        cr, [&](cairo_t* c) { RoundedRectPath(c, x, groundY - 26, length, 26, 12); },
        ShapeStyle{Hex(0x7a5232), 0.2, 0.35, 5, 2.5});
    PaintShape(
        cr, [&](cairo_t* c) { EllipsePath(c, x + length - 8, groundY - 13, 9, 13); },
        ShapeStyle{Hex(0xd8b48a), 0.1, 0.2, 2, 2.5});
    SetColour(cr, Hex(0x8a6a48));
    cairo_set_line_width(cr, 1.5);
    cairo_arc(cr, x + length - 8, groundY - 13, 5, 0, 2 * M_PI);
    cairo_stroke(cr);
    SetColour(cr, Hex(0x6a9a3e));
    EllipsePath(cr, x + length * 0.4, groundY - 25, length * 0.2, 4);
    cairo_fill(cr);
}

// Foreground details that tell the regions apart: flowers in the meadow, ferns, stones and a
// fallen log in the forest, wheat along the field.
void PaintNearDecor(cairo_t* cr) {
    Random random(97);
    for (double x = 280; x < 1450; x += random.Uniform(120, 240)) {
        if (x > 1150 && x < 1360) continue;
        PaintFlowers(cr, x, x + random.Uniform(40, 90), NearGroundLine(x) + 10, random.Next());
    }
    const double ferns[] = {1640, 2290, 2520, 2660, 2760, 2990};
    for (double x : ferns) PaintFern(cr, x, NearGroundLine(x) + 14, 46, static_cast<uint32_t>(x));
    PaintLog(cr, 2560, NearGroundLine(2600) + 24, 130);
    PaintStone(cr, 2340, NearGroundLine(2340) + 20, 40, 22);
    PaintStone(cr, 2960, NearGroundLine(2960) + 22, 52, 28);
    for (double x = 3640; x < 4760; x += random.Uniform(160, 260)) {
        if (std::abs(x - FlyAgaricX - 35) < 90 || std::abs(x - FieldSignX - 60) < 100) continue;
        PaintWheat(cr, x, x + random.Uniform(50, 110), NearGroundLine(x) + 10, random.Next());
    }
}

std::vector<Picture> DrawNearLayer() {
    const double W = kNearWidth;
    Canvas canvas(static_cast<int>(W), ScreenHeight);
    cairo_t* cr = canvas.cr();
    Random random(61);

    // Bushes behind the ground line, kept clear of the targets.
    auto clear = [](double x) {
        return (x > 1700 && x < 2260) || std::abs(x - SculptureX - 36) < 70 ||
               std::abs(x - ForestSignX - 60) < 90 || std::abs(x - TinCanX - 14) < 50 ||
               (x > OakX - 60 && x < OakX + 320) || std::abs(x - FlyAgaricX - 35) < 70 ||
               std::abs(x - FieldSignX - 60) < 90 || std::abs(x - MeadowSignX - 60) < 90 ||
               x < 260 || (x > 1180 && x < 1340);
    };
    for (double x = 30; x < W; x += random.Uniform(110, 260)) {
        if (clear(x)) continue;
        double width = random.Uniform(90, 180);
        double height = random.Uniform(40, 62);
        uint32_t seed = random.Next();
        Rgb leaves = x > 3200 ? Mix(palette::LeafGreen, palette::Autumn, 0.35)
                              : (random.Below(2) ? palette::LeafGreen : palette::DeepGreen);
        Wrapped(W, x, width, [&](double at) {
            PaintBush(cr, at, NearGroundLine(at) + 14, width, height, TreeStyle{0, 3, seed},
                      leaves);
        });
    }
    PaintAppleTree(cr);
    PaintOak(cr);
    // Two chopping blocks on posts in the meadow carry the bottles.
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_rectangle(c, BottleXs[0] - 4, 310, 30, 8);
            cairo_rectangle(c, BottleXs[1] - 4, 343, 30, 8);
            cairo_rectangle(c, BottleXs[0] + 6, 318, 10, NearGroundLine(1230) - 310);
            cairo_rectangle(c, BottleXs[1] + 6, 351, 10, NearGroundLine(1300) - 343);
        },
        ShapeStyle{Hex(0x8a5a32), 0.15, 0.3, 3, 2.5});

    // The ground: grass getting darker towards the viewer, a sandy path, flowers.
    auto ground = [&](cairo_t* c) { TraceAreaTo(c, W, 600, NearGroundLine); };
    cairo_save(cr);
    cairo_new_path(cr);
    ground(cr);
    SetColour(cr, palette::Outline);
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    cairo_clip(cr);
    FillVerticalGradient(cr, 440, 600,
                         {{0, Hex(0x5e9a3e)}, {0.4, Hex(0x4a8434)}, {1, Hex(0x2e5e24)}});
    RegionTint(cr, 3320, 4620, Hex(0xb89a38), 0.4, 160);
    RegionTint(cr, 1745, 3077, Hex(0x1f4a1c), 0.22, 160);
    auto path = [&](cairo_t* c) {
        cairo_move_to(c, -kPastTheEnds, 540);
        for (double x = -kPastTheEnds; x <= W + kPastTheEnds; x += 8) {
            cairo_line_to(c, x, 538 + Wave(x, W, {{4, 14}, {9, 6}}));
        }
        for (double x = W + kPastTheEnds; x >= -kPastTheEnds; x -= 8)
            cairo_line_to(c, x, 570 + Wave(x, W, {{5, 10}, {11, 5}}, 1));
        cairo_close_path(c);
    };
    PaintShape(cr, path, ShapeStyle{Hex(0xc49a6c), 0.15, 0.25, 4, 2.5});
    Random dabs(71);
    for (int i = 0; i < 1400; ++i) {
        double x = dabs.Uniform(0, W), y = dabs.Uniform(470, 600);
        int kind = dabs.Below(14);
        Rgb c = kind == 0
                    ? Hex(0xe8d048)
                    : (kind == 1 ? palette::Cream : (kind == 2 ? Hex(0xd06a8a) : Hex(0x76ae4c)));
        SetColour(cr, c);
        Wrapped(W, x, 4,
                [&](double at) { EllipsePath(cr, at, y, kind < 3 ? 3 : 4, kind < 3 ? 3 : 1.6); });
        cairo_fill(cr);
    }
    PaintNearOuterGround(cr);
    cairo_restore(cr);
    PaintGrassTufts(cr, 0, W, NearGroundLine(0), 14, Hex(0x3c7a2c), 13, 0.25);
    TuftsAcrossTheWrap(cr, W, NearGroundLine(0), 14, Hex(0x3c7a2c), 14, 0.25);
    Random blades(73);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (double x = 0; x < W; x += blades.Uniform(2, 6)) {
        double y = NearGroundLine(x) + 2;
        double h = blades.Uniform(8, 20);
        double lean = blades.Uniform(-6, 6);
        SetColour(cr, blades.Below(3) ? Hex(0x4c8a34) : Hex(0x79b24e));
        cairo_set_line_width(cr, 2.2);
        Wrapped(W, x, 10, [&](double at) {
            cairo_move_to(cr, at, y + 4);
            cairo_curve_to(cr, at, y - h * 0.5, at + lean * 0.5, y - h * 0.8, at + lean, y - h);
        });
        cairo_stroke(cr);
    }
    PaintNearDecor(cr);
    PaintNearOuterProps(cr);
    return CutTiles(canvas, gamestate::NearLayer, Key::Panel);
}

}  // namespace

void AddBackgroundRecipes(std::vector<Recipe>& recipes) {
    recipes.push_back({"near layer", DrawNearLayer});
    recipes.push_back({"middle layer", DrawMiddleLayer});
    recipes.push_back({"far layer", DrawFarLayer});
}

}  // namespace assetgen
