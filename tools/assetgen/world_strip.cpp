// The world strip: every call this tool makes into the game lives in this file. The pack is
// loaded by the game's own level loading on a headless display, which also runs the three level
// layouts, so each object stands exactly where a round puts it; the camera's own scroll step
// gives the layers' positions, and each object is drawn by its own draw step.
//
// The strip is a slit-scan: column x shows what a player sees in the middle of the screen while
// the camera stands at x - 400. The near layer then runs at its true size and the far and middle
// layers, which scroll at 0.9 and 0.95 of the camera, come out a ninth and a nineteenth wider, but
// every layer is one continuous band: each tile join, each wrap and each object is seen once and
// in the place it passes the middle of the screen. Six screens side by side would repeat or skip
// part of the far and middle layers at every screen edge and hide what a join really looks like.
#include "world_strip.h"

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "pictures/picture.h"

// The game's headers. Some of them may move between folders; they are kept together here so a
// move only touches these lines.
#include "display/display_device.h"
#include "flow/camera.h"
#include "gamestate/asset_catalogue.h"
#include "gamestate/game_state.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "presentation/level_assets.h"
#include "world/entity.h"

namespace assetgen {

namespace {

namespace fs = std::filesystem;

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kCentre = kScreenWidth / 2;
constexpr int kWorldWidth = static_cast<int>(world::WorldWidth);

struct Layer {
    int layer;
    world::EntityGroup group;
    const float* scroll;
};

// Goes into a directory and back out when done.
class InDirectory {
  public:
    explicit InDirectory(const fs::path& dir) : previous_(fs::current_path()) {
        fs::current_path(dir);
    }
    ~InDirectory() {
        std::error_code ignored;
        fs::current_path(previous_, ignored);
    }
    InDirectory(const InDirectory&) = delete;
    InDirectory& operator=(const InDirectory&) = delete;

  private:
    fs::path previous_;
};

fs::path ChooseDataDir(const fs::path& given) {
    if (!given.empty()) return given;
    if (fs::exists("grafik")) return fs::current_path();
#ifdef TQ_DATA_DIR
    return TQ_DATA_DIR;
#else
    return fs::current_path();
#endif
}

// The game's 16-bit colour widened back to 8 bits a channel, as a screen shows it.
void Widen(uint16_t pixel, int& r, int& g, int& b) {
    r = ((pixel >> 11) & 31) * 255 / 31;
    g = ((pixel >> 5) & 63) * 255 / 63;
    b = (pixel & 31) * 255 / 31;
}

bool WritePng(const fs::path& file, const std::vector<uint16_t>& strip, bool fullSize,
              std::string& error) {
    const int shrink = fullSize ? 1 : 2;
    const int width = kWorldWidth / shrink, height = kScreenHeight / shrink;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    for (int y = 0; y < height; ++y) {
        uint32_t* row = SurfaceRow(surface, y);
        for (int x = 0; x < width; ++x) {
            // Each pixel of the half-size strip is the mean of the four it stands for.
            int sumR = 0, sumG = 0, sumB = 0;
            for (int dy = 0; dy < shrink; ++dy) {
                for (int dx = 0; dx < shrink; ++dx) {
                    int r, g, b;
                    Widen(strip[display::PixelIndex(x * shrink + dx, y * shrink + dy, kWorldWidth)],
                          r, g, b);
                    sumR += r;
                    sumG += g;
                    sumB += b;
                }
            }
            const int n = shrink * shrink;
            row[x] = static_cast<uint32_t>(((sumR + n / 2) / n) << 16 | ((sumG + n / 2) / n) << 8 |
                                           ((sumB + n / 2) / n));
        }
    }
    cairo_surface_mark_dirty(surface);
    const cairo_status_t status = cairo_surface_write_to_png(surface, file.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        error = "cannot write " + file.string() + ": " + cairo_status_to_string(status);
        return false;
    }
    return true;
}

}  // namespace

bool WriteWorldStrip(const fs::path& pngFile, const WorldStripOptions& options,
                     std::string& error) {
    const fs::path output = fs::absolute(pngFile);
    const fs::path dataDir = ChooseDataDir(options.dataDir);
    if (!fs::exists(dataDir / "grafik")) {
        error = "no asset pack in " + dataDir.string() + " (give --data DIR)";
        return false;
    }

    platform::HeadlessBackend backend;
    backend.OpenWindow("world strip");
    platform::SetBackend(&backend);
    CDisplayDevice display;
    display.OpenFullScreen(kScreenWidth, kScreenHeight, 16);
    {
        InDirectory inData(dataDir);
        presentation::LoadLevelAssets(&display, true);
    }
    for (int layer = gamestate::FarLayer; layer <= gamestate::NearLayer; ++layer) {
        for (int tile = 1; tile <= gamestate::TilesPerLayer; ++tile) {
            if (!gamestate::BackgroundTiles[layer][tile]) {
                error = "background tile E" + std::to_string(layer) + std::to_string(tile) +
                        " did not load";
                platform::SetBackend(nullptr);
                return false;
            }
        }
    }

    const Layer layers[] = {
        {gamestate::FarLayer, world::FarGroup, &gamestate::Game.FarScroll},
        {gamestate::MidLayer, world::MidGroup, &gamestate::Game.MidScroll},
        {gamestate::NearLayer, world::NearGroup, &gamestate::Game.CameraX},
    };
    std::vector<uint16_t> strip(static_cast<size_t>(kWorldWidth) * kScreenHeight);
    const uint16_t* screen = display.BackBuffer();
    for (int x = 0; x < kWorldWidth; ++x) {
        gamestate::Game.CameraX = static_cast<float>((x - kCentre + kWorldWidth) % kWorldWidth);
        flow::ScrollCamera(kCentre);  // the cursor in the middle: no scrolling, layers follow
        for (const Layer& layer : layers) {
            // The one tile column that lies under the middle of the screen. The far layer is
            // opaque, so it covers whatever the previous column left there.
            const int tileWidth = gamestate::TileWidth(layer.layer);
            const int layerX =
                (static_cast<int>(*layer.scroll) + kCentre) % gamestate::LayerPeriod(layer.layer);
            const Rect column{layerX % tileWidth, 0, layerX % tileWidth + 1, kScreenHeight};
            display.DrawSurface(kCentre, 0,
                                gamestate::BackgroundTiles[layer.layer][layerX / tileWidth + 1],
                                &column);
            for (int i = layer.group.first; i <= layer.group.last; ++i) {
                world::Entity& entity = world::EntityAt(i);
                // Drawn at the time of its last draw, so no animation runs on.
                if (entity.active) entity.draw(&display, *layer.scroll, entity.lastUpdateMs);
            }
        }
        for (int y = 0; y < kScreenHeight; ++y) {
            strip[display::PixelIndex(x, y, kWorldWidth)] =
                screen[display::PixelIndex(kCentre, y, CDisplayDevice::Pitch)];
        }
    }
    platform::SetBackend(nullptr);
    return WritePng(output, strip, options.fullSize, error);
}

}  // namespace assetgen
