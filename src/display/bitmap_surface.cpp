#include "display/bitmap_surface.h"

bool CBitmapSurface::Allocate(int width, int height) {
    if (width <= 0 || height <= 0 || width > display::MaxBitmapSide ||
        height > display::MaxBitmapSide)
        return false;
    width_ = width;
    height_ = height;
    pixels_.assign(display::PixelCount(width, height), 0);
    spans_.clear();
    rowSpanStart_.clear();
    hasKeyColour_ = false;
    return true;
}

void CBitmapSurface::ReleaseSurface() {
    pixels_.clear();
    pixels_.shrink_to_fit();
    spans_.clear();
    rowSpanStart_.clear();
    width_ = 0;
    height_ = 0;
}

HRESULT CBitmapSurface::CopyBitmapIn(const display::DecodedBitmap* bitmap, int sx, int sy, int sw,
                                     int sh) {
    if (!bitmap || pixels_.empty()) return E_INVALIDARG;
    if (sw == 0) sw = bitmap->width;
    if (sh == 0) sh = bitmap->height;
    // A negative size, or an empty bitmap, leaves no pixels to copy from.
    if (sw <= 0 || sh <= 0) return E_INVALIDARG;
    const display::DecodedBitmap* source = bitmap;
    display::DecodedBitmap scaled;
    if (sx != 0 || sy != 0 || sw != width_ || sh != height_ || bitmap->width != width_ ||
        bitmap->height != height_) {
        scaled = display::ScaleNearest(*bitmap, sx, sy, sw, sh, width_, height_);
        source = &scaled;
    }
    for (size_t i = 0; i < pixels_.size(); ++i) pixels_[i] = ColourRefToRgb565(source->pixels[i]);
    if (hasKeyColour_) BuildSpans();
    return S_OK;
}

uint32_t CBitmapSurface::ColourToPixel(COLORREF colour) const {
    if (pixels_.empty()) return 0;
    // An invalid colour converts nothing: the answer is whatever the first pixel holds.
    if (colour == CLR_INVALID) return pixels_[0];
    return ColourRefToRgb565(colour);
}

HRESULT CBitmapSurface::SetKeyColour(COLORREF colour) {
    if (pixels_.empty()) return E_POINTER;
    hasKeyColour_ = true;
    keyPixel_ = static_cast<uint16_t>(ColourToPixel(colour));
    BuildSpans();
    return S_OK;
}

COLORREF CBitmapSurface::ReadPixelColour(int x, int y) const {
    if (pixels_.empty() || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    return Rgb565ToColourRef(pixels_[display::PixelIndex(x, y, width_)]);
}

void CBitmapSurface::BuildSpans() {
    spans_.clear();
    rowSpanStart_.clear();
    rowSpanStart_.reserve(static_cast<size_t>(height_) + 1);
    for (int y = 0; y < height_; ++y) {
        rowSpanStart_.push_back(static_cast<uint32_t>(spans_.size()));
        const uint16_t* row = pixels_.data() + display::PixelIndex(0, y, width_);
        int x = 0;
        while (x < width_) {
            while (x < width_ && row[x] == keyPixel_) ++x;
            int start = x;
            while (x < width_ && row[x] != keyPixel_) ++x;
            if (x > start) {
                spans_.push_back({static_cast<uint16_t>(start), static_cast<uint16_t>(x - start)});
            }
        }
    }
    rowSpanStart_.push_back(static_cast<uint32_t>(spans_.size()));
}
