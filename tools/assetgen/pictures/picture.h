// A finished picture of the pack, and the cairo canvas it is drawn on.
//
// Everything is drawn anti-aliased on a transparent canvas. Finishing turns the canvas into the
// colours the game stores: pixels under half coverage become the key colour, the others are
// blended against the outline colour (so no key colour bleeds into an edge), every colour is
// dithered onto the 5-6-5 grid the game shows and nudged off the two key colours.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "display/geometry.h"
#include "pictures/colour.h"

namespace assetgen {

enum class Key { None, Sprite, Panel };

Rgb KeyColour(Key key);

struct Picture {
    std::string path;  // below the data directory, e.g. "grafik/tiere/Hase1.bmp"
    int width = 0;
    int height = 0;
    int frames = 1;
    Key key = Key::None;
    std::vector<Rgb> pixels;  // top row first

    Rgb At(int x, int y) const { return pixels[display::PixelIndex(x, y, width)]; }
    Rgb& At(int x, int y) { return pixels[display::PixelIndex(x, y, width)]; }
};

// An ARGB cairo surface with its context; transparent when created.
class Canvas {
  public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

struct FinishOptions {
    Key key = Key::None;
    int frames = 1;
    Rgb edge = palette::Outline;  // what half-covered pixels are blended against
    bool dither = true;
    int keyBelowAlpha = 128;  // coverage (0..255) under which a pixel becomes the key
};

Picture Finish(const Canvas& canvas, std::string path, const FinishOptions& options);

// Row y of a cairo image surface of 32 bits a pixel (ARGB32 or RGB24).
uint32_t* SurfaceRow(cairo_surface_t* surface, int y);

// Draws `frames` equal cells side by side; each call sees its own cell at the origin, clipped.
using FramePainter = std::function<void(cairo_t* cr, int frame)>;
Picture DrawStrip(std::string path, int frames, int frameWidth, int height,
                  const FinishOptions& options, const FramePainter& paint);

// The same strip with every frame mirrored left to right (the right-facing copy of a sprite).
Picture MirrorFrames(const Picture& strip, std::string path);

// Copies a rectangle of a finished picture into a new one.
Picture Crop(const Picture& source, int x, int y, int width, int height, std::string path);

}  // namespace assetgen
