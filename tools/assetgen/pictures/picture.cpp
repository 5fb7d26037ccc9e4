#include "pictures/picture.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace assetgen {

namespace {

// Ordered dithering: a 4 x 4 Bayer threshold per pixel, so flat areas stay calm and gradients
// break up evenly instead of banding.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// An 8-bit value whose top `bits` bits are the dithered level of `value`.
uint8_t DitherChannel(double value, int bits, double threshold) {
    int levels = (1 << bits) - 1;
    int level = static_cast<int>(std::floor(value * levels / 255.0 + threshold));
    level = std::clamp(level, 0, levels);
    return static_cast<uint8_t>(level << (8 - bits));
}

Rgb AvoidKeys(Rgb c) {
    if (LooksLikeAKey(c)) c.g = static_cast<uint8_t>(std::max<int>(c.g, 4) | 4);
    return c;
}

}  // namespace

Rgb KeyColour(Key key) {
    return key == Key::Panel ? PanelKey : SpriteKey;
}

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

uint32_t* SurfaceRow(cairo_surface_t* surface, int y) {
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    return reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * static_cast<size_t>(stride));
}

Picture Finish(const Canvas& canvas, std::string path, const FinishOptions& options) {
    cairo_surface_flush(canvas.surface());
    Picture picture;
    picture.path = std::move(path);
    picture.width = canvas.width();
    picture.height = canvas.height();
    picture.frames = options.frames;
    picture.key = options.key;
    picture.pixels.resize(display::PixelCount(picture.width, picture.height));

    Rgb key = KeyColour(options.key);
    for (int y = 0; y < picture.height; ++y) {
        const uint32_t* row = SurfaceRow(canvas.surface(), y);
        for (int x = 0; x < picture.width; ++x) {
            uint32_t argb = row[x];
            int alpha = static_cast<int>(argb >> 24);
            if (options.key != Key::None && alpha < options.keyBelowAlpha) {
                picture.At(x, y) = key;
                continue;
            }
            // Premultiplied colour over the edge colour.
            double cover = (255 - alpha) / 255.0;
            double r = ((argb >> 16) & 0xff) + cover * options.edge.r;
            double g = ((argb >> 8) & 0xff) + cover * options.edge.g;
            double b = (argb & 0xff) + cover * options.edge.b;
            Rgb c;
            if (options.dither) {
                double threshold = (kBayer[y & 3][x & 3] + 0.5) / 16.0;
                c = Shown(Rgb{DitherChannel(r, 5, threshold), DitherChannel(g, 6, threshold),
                              DitherChannel(b, 5, threshold)});
            } else {
                c = Rgb{static_cast<uint8_t>(std::min(255.0, r)),
                        static_cast<uint8_t>(std::min(255.0, g)),
                        static_cast<uint8_t>(std::min(255.0, b))};
            }
            picture.At(x, y) = AvoidKeys(c);
        }
    }
    return picture;
}

Picture DrawStrip(std::string path, int frames, int frameWidth, int height,
                  const FinishOptions& options, const FramePainter& paint) {
    Canvas canvas(frames * frameWidth, height);
    cairo_t* cr = canvas.cr();
    for (int frame = 0; frame < frames; ++frame) {
        cairo_save(cr);
        cairo_rectangle(cr, frame * frameWidth, 0, frameWidth, height);
        cairo_clip(cr);
        cairo_translate(cr, frame * frameWidth, 0);
        paint(cr, frame);
        cairo_restore(cr);
    }
    FinishOptions stripOptions = options;
    stripOptions.frames = frames;
    return Finish(canvas, std::move(path), stripOptions);
}

Picture MirrorFrames(const Picture& strip, std::string path) {
    Picture mirrored = strip;
    mirrored.path = std::move(path);
    int frameWidth = strip.width / strip.frames;
    for (int y = 0; y < strip.height; ++y) {
        for (int frame = 0; frame < strip.frames; ++frame) {
            int left = frame * frameWidth;
            for (int x = 0; x < frameWidth; ++x) {
                mirrored.At(left + x, y) = strip.At(left + frameWidth - 1 - x, y);
            }
        }
    }
    return mirrored;
}

Picture Crop(const Picture& source, int x, int y, int width, int height, std::string path) {
    Picture picture;
    picture.path = std::move(path);
    picture.width = width;
    picture.height = height;
    picture.key = source.key;
    picture.pixels.resize(display::PixelCount(width, height));
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) picture.At(col, row) = source.At(x + col, y + row);
    }
    return picture;
}

}  // namespace assetgen
