// The whole hunting ground: the camera goes round the world, the background shows whichever tiles
// cover the view (two or three a layer, across the seam too) and still stops shots on them, the
// point labels follow the camera across the seam, and the raven still comes back only where no
// one sees it arrive.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "flow/camera.h"
#include "flow/timed_spawn.h"
#include "gamestate/frame_timing.h"
#include "gamestate/rules_random.h"
#include "presentation/background.h"
#include "presentation/point_labels.h"
#include "world/level_layout.h"
#include "world/spawning.h"
#include "world/world_fixture.h"

namespace {

using gamestate::BackgroundTiles;

class PanoramaTest : public world_testing::WorldTest {
  protected:
    // A tile of `layer` (1 far .. 3 near), number `tile` (1 .. 6), of one colour; magenta is
    // transparent in the middle and near layers.
    void LoadTile(int layer, int tile, COLORREF colour) {
        const int width = gamestate::TileWidth(layer);
        const std::string path =
            dir_ / ("E" + std::to_string(layer) + std::to_string(tile) + ".bmp");
        world_testing::WriteSolidBmp(path, width, 600, colour);
        delete BackgroundTiles[layer][tile];
        BackgroundTiles[layer][tile] = nullptr;
        display_.LoadBitmapSurface(&BackgroundTiles[layer][tile], path.c_str(), 0, 0);
        ASSERT_NE(BackgroundTiles[layer][tile], nullptr);
        if (layer != gamestate::FarLayer)
            BackgroundTiles[layer][tile]->SetKeyColour(PanelKeyColour);
    }
    static COLORREF TileColour(int layer, int tile) {
        return MakeColourRef(static_cast<uint8_t>(40 * tile), static_cast<uint8_t>(64 * layer), 8);
    }
    uint16_t Tile565(int layer, int tile) { return ColourRefToRgb565(TileColour(layer, tile)); }

    void PlaceCamera(float camera) {
        gamestate::Game.CameraX = camera;
        flow::ScrollCamera(400);  // no scroll; the far and middle layers follow
    }
    int32_t ShootLayer(int layer, int x) {
        gamestate::Game.ClickPoint = gamestate::ScreenPoint{x, 300};
        gamestate::Game.LayerHit = gamestate::NoLayerHit;
        presentation::DrawBackgroundLayer(&display_, layer);
        gamestate::Game.ClickPoint = gamestate::ScreenPoint{};
        return gamestate::Game.LayerHit;
    }
};

TEST_F(PanoramaTest, ARoundLeavesTheCameraFreeToGoRoundTheWorld) {
    gamestate::Round.ResetRound();
    EXPECT_EQ(gamestate::Round.cameraMin, 1600);
    EXPECT_EQ(gamestate::Round.cameraMax, 2300);

    gamestate::Game.PanoramaMode = true;
    gamestate::Round.ResetRound();
    gamestate::AverageFrameTime = 16.0f;
    PlaceCamera(1600.0f);
    flow::ScrollCamera(0);
    EXPECT_EQ(gamestate::Game.CameraX, 1584.0f) << "on past the forest's end";
    PlaceCamera(10.0f);
    flow::ScrollCamera(0);
    EXPECT_EQ(gamestate::Game.CameraX, 4794.0f) << "left across the seam";
    EXPECT_EQ(gamestate::Game.FarScroll, 4314.0f);
    EXPECT_EQ(gamestate::Game.MidScroll, 4554.0f);
    PlaceCamera(4790.0f);
    flow::ScrollCamera(799);
    EXPECT_EQ(gamestate::Game.CameraX, 5.0f) << "right across the seam, 15.92 pixels truncated";

    // After a long stall the step is longer than the world; the camera still lands in it.
    gamestate::AverageFrameTime = 12000.0f;
    PlaceCamera(100.0f);
    flow::ScrollCamera(0);
    EXPECT_EQ(gamestate::Game.CameraX, 2500.0f) << "100 - 12000, five worlds on";
    flow::ScrollCamera(799);
    EXPECT_EQ(gamestate::Game.CameraX, 40.0f) << "2500 + 11940";
}

TEST_F(PanoramaTest, EveryTileThatCoversTheViewIsDrawnAcrossTheSeam) {
    for (int layer = gamestate::FarLayer; layer <= gamestate::NearLayer; ++layer) {
        for (int tile = 1; tile <= 6; ++tile) LoadTile(layer, tile, TileColour(layer, tile));
    }
    // Camera 4780: near 4780, middle 4541, far 4302. Each layer shows the end of its tile 6, then
    // tile 1; the narrower far and middle tiles leave room for the start of tile 2 as well.
    PlaceCamera(4780.0f);
    ASSERT_EQ(gamestate::Game.MidScroll, 4541.0f);
    ASSERT_EQ(gamestate::Game.FarScroll, 4302.0f);

    // In the forest only tiles 3 and 4 exist for the background: none of them is in this view.
    display_.ClearBackBuffer(0);
    presentation::DrawBackgroundLayer(&display_, gamestate::FarLayer);
    EXPECT_EQ(PixelAt(0, 300), 0);
    EXPECT_EQ(PixelAt(799, 300), 0);

    gamestate::Game.PanoramaMode = true;
    const struct {
        int layer;
        int firstColumnOfTile1;  // tile 6 ends just before it
        int firstColumnOfTile2;  // 800 when tile 2 does not show
    } views[] = {{gamestate::FarLayer, 18, 738},
                 {gamestate::MidLayer, 19, 779},
                 {gamestate::NearLayer, 20, 800}};
    for (const auto& view : views) {
        SCOPED_TRACE(view.layer);
        display_.ClearBackBuffer(0);
        presentation::DrawBackgroundLayer(&display_, view.layer);
        EXPECT_EQ(PixelAt(0, 300), Tile565(view.layer, 6));
        EXPECT_EQ(PixelAt(view.firstColumnOfTile1 - 1, 300), Tile565(view.layer, 6));
        EXPECT_EQ(PixelAt(view.firstColumnOfTile1, 599), Tile565(view.layer, 1));
        EXPECT_EQ(PixelAt(view.firstColumnOfTile2 - 1, 0), Tile565(view.layer, 1));
        if (view.firstColumnOfTile2 < 800) {
            EXPECT_EQ(PixelAt(view.firstColumnOfTile2, 300), Tile565(view.layer, 2));
        }
    }

    // Midway round the world the far layer crosses a join of two tiles in the middle of the view.
    PlaceCamera(2000.0f);  // far 1800: tile 3 from 1440, tile 4 from 2160
    display_.ClearBackBuffer(0);
    presentation::DrawBackgroundLayer(&display_, gamestate::FarLayer);
    EXPECT_EQ(PixelAt(359, 300), Tile565(gamestate::FarLayer, 3));
    EXPECT_EQ(PixelAt(360, 300), Tile565(gamestate::FarLayer, 4));
}

TEST_F(PanoramaTest, AShotIsTestedOnEachOfThreeTilesAtThePixelItShows) {
    gamestate::Game.PanoramaMode = true;
    // Middle layer at 4541: tile 6 shows its last 19 columns, tile 1 the next 760, tile 2 the
    // first 21.
    LoadTile(gamestate::MidLayer, 6, TileColour(gamestate::MidLayer, 6));
    LoadTile(gamestate::MidLayer, 1, PanelKeyColour);
    LoadTile(gamestate::MidLayer, 2, TileColour(gamestate::MidLayer, 2));
    PlaceCamera(4780.0f);
    EXPECT_EQ(ShootLayer(gamestate::MidLayer, 10), gamestate::MidLayerHit) << "tile 6, cut";
    EXPECT_EQ(ShootLayer(gamestate::MidLayer, 30), gamestate::NoLayerHit)
        << "tile 1: not read from beyond the end of tile 6";
    EXPECT_EQ(ShootLayer(gamestate::MidLayer, 778), gamestate::NoLayerHit) << "tile 1's last";
    EXPECT_EQ(ShootLayer(gamestate::MidLayer, 790), gamestate::MidLayerHit) << "tile 2, cut";

    // The other way round: a click on the clipped third tile is not read from the one before.
    LoadTile(gamestate::MidLayer, 1, TileColour(gamestate::MidLayer, 1));
    LoadTile(gamestate::MidLayer, 2, PanelKeyColour);
    EXPECT_EQ(ShootLayer(gamestate::MidLayer, 790), gamestate::NoLayerHit);
    EXPECT_EQ(ShootLayer(gamestate::MidLayer, 400), gamestate::MidLayerHit);
}

TEST_F(PanoramaTest, AskedForAnyPointTheLayerTestAnswersAsTheDrawnTilesDo) {
    // With the middle and near layers of the real asset pack, at camera positions round the
    // world and across its seam.
    ASSERT_TRUE(std::filesystem::exists(std::filesystem::path(TQ_DATA_DIR) / "grafik"))
        << "the asset pack is needed";
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(TQ_DATA_DIR);
    presentation::LoadLevelAssets(&display_, false);
    std::filesystem::current_path(previous);
    gamestate::Game.PanoramaMode = true;
    int seen[gamestate::NoLayerHit + 1] = {};
    for (int camera = 13; camera < 4800; camera += 131) {
        PlaceCamera(static_cast<float>(camera));
        for (int y = 5; y < 600; y += 59) {
            for (int x = 3; x < 800; x += 71) {
                gamestate::Game.ClickPoint = gamestate::ScreenPoint{x, y};
                gamestate::Game.LayerHit = gamestate::NoLayerHit;
                presentation::DrawBackgroundLayer(&display_, gamestate::MidLayer);
                presentation::DrawBackgroundLayer(&display_, gamestate::NearLayer);
                const int32_t drawn = gamestate::Game.LayerHit;
                ASSERT_EQ(presentation::LayerHitAt(x, y, gamestate::Game.CameraX), drawn)
                    << "camera " << camera << " at " << x << ", " << y;
                ++seen[drawn];
            }
        }
    }
    gamestate::Game.ClickPoint = gamestate::ScreenPoint{};
    EXPECT_GT(seen[gamestate::NoLayerHit], 0);
    EXPECT_GT(seen[gamestate::MidLayerHit], 0);
    EXPECT_GT(seen[gamestate::NearLayerHit], 0);
}

TEST_F(PanoramaTest, PointLabelsStayBesideTheirShotAcrossTheSeam) {
    // A shot at screen x 350 with the camera at 4500 makes a label at world x 4850.
    EXPECT_EQ(presentation::PointLabelScreenX(4850, 4500.0f), 350);
    EXPECT_EQ(presentation::PointLabelScreenX(4850, 4790.0f), 60);
    EXPECT_EQ(presentation::PointLabelScreenX(4850, 10.0f), 40) << "the camera crossed the seam";
    // A label made just right of the seam, the camera gone back across it.
    EXPECT_EQ(presentation::PointLabelScreenX(120, 4700.0f), 220);
    // In the forest nothing changes.
    EXPECT_EQ(presentation::PointLabelScreenX(1900, 1600.0f), 300);
    EXPECT_EQ(presentation::PointLabelScreenX(1500, 2300.0f), -800);
}

TEST_F(PanoramaTest, AnimalsEnteringFromTheSideAppearOutOfSightAllRoundTheWorld) {
    // With the animals of the real asset pack, on either side, at camera positions round the
    // world and across its seam.
    ASSERT_TRUE(std::filesystem::exists(std::filesystem::path(TQ_DATA_DIR) / "grafik"))
        << "the asset pack is needed";
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(TQ_DATA_DIR);
    presentation::LoadLevelAssets(&display_, false);
    std::filesystem::current_path(previous);
    gamestate::Game.PanoramaMode = true;
    gamestate::SeedRand(11);
    world::Entity& animal = world::EntityTable[100];
    for (int camera = 0; camera < 4800; camera += 23) {
        PlaceCamera(static_cast<float>(camera));
        for (int plane : {world::MidPlane, world::FarPlane}) {
            const float scroll =
                plane == world::MidPlane ? gamestate::Game.MidScroll : gamestate::Game.FarScroll;
            for (int32_t kind = world::kind::Boar; kind <= world::kind::Hare; ++kind) {
                animal = world::Entity{};
                world::initAnimal(animal, kind, plane, camera, true);
                ASSERT_EQ(animal.active, 1);
                animal.draw(&display_, scroll, backend_.Ticks());
                const int shown = animal.sourceRect.right - animal.sourceRect.left;
                EXPECT_TRUE(animal.screenX >= 800 || shown <= 0)
                    << "kind " << kind << " in plane " << plane << " at x " << animal.x
                    << " appears in view at camera " << camera;
            }
        }
    }
}

TEST_F(PanoramaTest, TheRavenComesBackToTheScarecrowOnlyWhereNoOneSeesItArrive) {
    // With the raven of the real asset pack, at every tenth camera position round the world.
    const std::filesystem::path raven =
        std::filesystem::path(TQ_DATA_DIR) / "grafik/tiere/rabe1.bmp";
    ASSERT_TRUE(std::filesystem::exists(raven)) << "the asset pack is needed";
    display_.LoadBitmapSurface(&gamestate::RavenSprites.images[gamestate::FullSize][1],
                               raven.string().c_str(), 0, 0);
    world::Entity& perched = world::EntityTable[world::entity_index::PerchedRaven];
    perched.kind = world::kind::Raven;
    perched.plane = world::NearPlane;
    gamestate::SeedRand(7);
    int perchedAt = 0;
    for (int camera = 0; camera < 4800; camera += 10) {
        perched.active = 0;
        gamestate::Game.CameraX = static_cast<float>(camera);
        gamestate::Game.SpawnTimer = 1;
        // One spawn tick in fifty brings the raven where it may come.
        for (int tick = 0; tick < 1000 && !perched.active; ++tick) {
            backend_.AdvanceTime(600);
            flow::TimedSpawn();
        }
        if (!perched.active) continue;
        ++perchedAt;
        perched.draw(&display_, gamestate::Game.CameraX, backend_.Ticks());
        const int shown = perched.sourceRect.right - perched.sourceRect.left;
        EXPECT_TRUE(perched.screenX >= 800 || shown <= 0)
            << "the raven appears in view at camera " << camera;
    }
    EXPECT_GT(perchedAt, 300) << "it comes back over most of the world";
}

}  // namespace
