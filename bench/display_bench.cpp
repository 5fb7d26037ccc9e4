// Keyed and plain blits of the display layer against memcpy of the same bytes.
//
//   cmake --build build --target bench          (or build/bench/tq_bench --benchmark_filter=Blit)
// SDL's own RLE blit of the same pictures is measured beside ours when the game is built.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "display/bmp_writer.h"
#include "display/display_device.h"
#include "platform/headless/headless_backend.h"

#ifdef TQ_BENCH_WITH_SDL
#include <SDL.h>
#endif

namespace {

// A picture with organic transparent areas: a wavy skyline over a solid ground for the layer,
// a round body for a sprite frame.
std::vector<COLORREF> LayerPixels(int width, int height) {
    std::vector<COLORREF> pixels(display::PixelCount(width, height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double skyline = 180 + 60 * std::sin(x / 37.0) + 25 * std::sin(x / 11.0);
            bool gap = (x / 23 + y / 31) % 9 == 0 && y < 420;  // holes between the trunks
            pixels[display::PixelIndex(x, y, width)] =
                (y < skyline || gap) ? PanelKeyColour
                                     : MakeColourRef(static_cast<uint8_t>(40 + x % 100),
                                                     static_cast<uint8_t>(90 + y % 120), 50);
        }
    }
    return pixels;
}

std::vector<COLORREF> StripPixels(int frameWidth, int frames, int height) {
    int width = frameWidth * frames;
    std::vector<COLORREF> pixels(display::PixelCount(width, height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double fx = (x % frameWidth) - frameWidth / 2.0, fy = y - height / 2.0;
            bool inside =
                (fx * fx) / (frameWidth * frameWidth / 5.0) + (fy * fy) / (height * height / 5.0) <
                1.0;
            pixels[display::PixelIndex(x, y, width)] =
                inside ? MakeColourRef(120, static_cast<uint8_t>(60 + y), 40) : SpriteKeyColour;
        }
    }
    return pixels;
}

void WriteBmp24(const std::string& path, int width, int height,
                const std::vector<COLORREF>& pixels) {
    const std::vector<uint8_t> bytes = display::EncodeBmp(
        width, height, [&](int x, int y) { return pixels[display::PixelIndex(x, y, width)]; });
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

struct BlitFixture {
    platform::HeadlessBackend backend;
    CDisplayDevice display;
    CBitmapSurface* layer = nullptr;
    CBitmapSurface* strip = nullptr;
    static constexpr int FrameWidth = 100, Frames = 13, FrameHeight = 90;

    BlitFixture() {
        platform::SetBackend(&backend);
        backend.OpenWindow("bench");
        display.OpenFullScreen(800, 600, 16);
        auto dir = std::filesystem::temp_directory_path();
        WriteBmp24((dir / "tq-bench-layer.bmp").string(), 800, 600, LayerPixels(800, 600));
        WriteBmp24((dir / "tq-bench-strip.bmp").string(), FrameWidth * Frames, FrameHeight,
                   StripPixels(FrameWidth, Frames, FrameHeight));
        display.LoadBitmapSurface(&layer, (dir / "tq-bench-layer.bmp").c_str(), 0, 0);
        display.LoadBitmapSurface(&strip, (dir / "tq-bench-strip.bmp").c_str(), 0, 0);
    }
    ~BlitFixture() {
        delete layer;
        delete strip;
        platform::SetBackend(nullptr);
    }
};

BlitFixture& Fixture() {
    static BlitFixture fixture;
    return fixture;
}

void BM_BlitLayerKeyed(benchmark::State& state) {
    auto& f = Fixture();
    f.layer->SetKeyColour(PanelKeyColour);
    for (auto _ : state) {
        f.display.DrawSurface(0, 0, f.layer, nullptr);
        benchmark::DoNotOptimize(f.display.BackBuffer());
    }
    state.SetBytesProcessed(state.iterations() * 800 * 600 * 2);
}

void BM_BlitLayerMemcpy(benchmark::State& state) {
    auto& f = Fixture();
    std::vector<uint16_t> target(800 * 600);
    for (auto _ : state) {
        for (int y = 0; y < 600; ++y)
            std::memcpy(target.data() + y * 800, f.layer->DirectDrawSurface() + y * 800, 1600);
        benchmark::DoNotOptimize(target.data());
    }
    state.SetBytesProcessed(state.iterations() * 800 * 600 * 2);
}

void BM_BlitLayerOpaque(benchmark::State& state) {
    auto& f = Fixture();
    static CBitmapSurface* opaque = nullptr;
    if (!opaque) {
        auto dir = std::filesystem::temp_directory_path();
        f.display.LoadBitmapSurface(&opaque, (dir / "tq-bench-layer.bmp").c_str(), 0, 0);
    }
    for (auto _ : state) {
        f.display.DrawSurface(0, 0, opaque, nullptr);
        benchmark::DoNotOptimize(f.display.BackBuffer());
    }
    state.SetBytesProcessed(state.iterations() * 800 * 600 * 2);
}

// 120 sprite frames drawn from one strip at scattered places, as a busy scene does.
void BM_BlitSpritesKeyed(benchmark::State& state) {
    auto& f = Fixture();
    f.strip->SetKeyColour(SpriteKeyColour);
    for (auto _ : state) {
        for (int i = 0; i < 120; ++i) {
            int frame = i % BlitFixture::Frames;
            Rect r{frame * BlitFixture::FrameWidth, 0, (frame + 1) * BlitFixture::FrameWidth,
                   BlitFixture::FrameHeight};
            f.display.DrawSurface(static_cast<uint32_t>((i * 53) % 700),
                                  static_cast<uint32_t>((i * 37) % 510), f.strip, &r);
        }
        benchmark::DoNotOptimize(f.display.BackBuffer());
    }
    state.SetBytesProcessed(state.iterations() * 120 * BlitFixture::FrameWidth *
                            BlitFixture::FrameHeight * 2);
}

void BM_BlitSpritesMemcpy(benchmark::State& state) {
    auto& f = Fixture();
    std::vector<uint16_t> target(800 * 600);
    const uint16_t* src = f.strip->DirectDrawSurface();
    int pitch = f.strip->Width();
    for (auto _ : state) {
        for (int i = 0; i < 120; ++i) {
            int frame = i % BlitFixture::Frames;
            uint16_t* dst = target.data() + ((i * 37) % 510) * 800 + (i * 53) % 700;
            for (int y = 0; y < BlitFixture::FrameHeight; ++y)
                std::memcpy(dst + y * 800, src + y * pitch + frame * BlitFixture::FrameWidth,
                            BlitFixture::FrameWidth * 2);
        }
        benchmark::DoNotOptimize(target.data());
    }
    state.SetBytesProcessed(state.iterations() * 120 * BlitFixture::FrameWidth *
                            BlitFixture::FrameHeight * 2);
}

#ifdef TQ_BENCH_WITH_SDL
// SDL's own colour-keyed blit with run-length acceleration, on the same pixels.
struct SdlSurfaces {
    SDL_Surface* layer = nullptr;
    SDL_Surface* strip = nullptr;
    SDL_Surface* target = nullptr;
    SdlSurfaces() {
        auto& f = Fixture();
        layer = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 16, SDL_PIXELFORMAT_RGB565);
        strip = SDL_CreateRGBSurfaceWithFormat(0, f.strip->Width(), f.strip->Height(), 16,
                                               SDL_PIXELFORMAT_RGB565);
        target = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 16, SDL_PIXELFORMAT_RGB565);
        CopyInto(layer, f.layer);
        CopyInto(strip, f.strip);
        SDL_SetColorKey(layer, SDL_TRUE, ColourRefToRgb565(PanelKeyColour));
        SDL_SetColorKey(strip, SDL_TRUE, ColourRefToRgb565(SpriteKeyColour));
        SDL_SetSurfaceRLE(layer, 1);
        SDL_SetSurfaceRLE(strip, 1);
    }
    static void CopyInto(SDL_Surface* to, CBitmapSurface* from) {
        for (int y = 0; y < from->Height(); ++y)
            std::memcpy(static_cast<uint8_t*>(to->pixels) + y * to->pitch,
                        from->DirectDrawSurface() + y * from->Width(),
                        static_cast<size_t>(from->Width()) * sizeof(uint16_t));
    }
};

SdlSurfaces& Sdl() {
    static SdlSurfaces surfaces;
    return surfaces;
}

void BM_BlitLayerSdlRle(benchmark::State& state) {
    auto& sdl = Sdl();
    for (auto _ : state) {
        SDL_Rect at{0, 0, 800, 600};
        SDL_BlitSurface(sdl.layer, nullptr, sdl.target, &at);
        benchmark::DoNotOptimize(sdl.target->pixels);
    }
    state.SetBytesProcessed(state.iterations() * 800 * 600 * 2);
}
BENCHMARK(BM_BlitLayerSdlRle);

void BM_BlitSpritesSdlRle(benchmark::State& state) {
    auto& sdl = Sdl();
    for (auto _ : state) {
        for (int i = 0; i < 120; ++i) {
            int frame = i % BlitFixture::Frames;
            SDL_Rect from{frame * BlitFixture::FrameWidth, 0, BlitFixture::FrameWidth,
                          BlitFixture::FrameHeight};
            SDL_Rect at{(i * 53) % 700, (i * 37) % 510, 0, 0};
            SDL_BlitSurface(sdl.strip, &from, sdl.target, &at);
        }
        benchmark::DoNotOptimize(sdl.target->pixels);
    }
    state.SetBytesProcessed(state.iterations() * 120 * BlitFixture::FrameWidth *
                            BlitFixture::FrameHeight * 2);
}
BENCHMARK(BM_BlitSpritesSdlRle);
#endif

}  // namespace

BENCHMARK(BM_BlitLayerKeyed);
BENCHMARK(BM_BlitLayerMemcpy);
BENCHMARK(BM_BlitLayerOpaque);
BENCHMARK(BM_BlitSpritesKeyed);
BENCHMARK(BM_BlitSpritesMemcpy);
