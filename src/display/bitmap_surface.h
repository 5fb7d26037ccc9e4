// An off-screen picture in the display's 16-bit RGB565 format, with an optional key colour.
#pragma once

#include <cstdint>
#include <vector>

#include "diag/result_codes.h"
#include "display/bmp_decoder.h"
#include "display/colour.h"
#include "display/geometry.h"

class CDisplayDevice;

class CBitmapSurface {
  public:
    CBitmapSurface() = default;
    ~CBitmapSurface() { ReleaseSurface(); }
    CBitmapSurface(const CBitmapSurface&) = delete;
    CBitmapSurface& operator=(const CBitmapSurface&) = delete;

    // Copies the source rectangle of `bitmap` onto the whole surface, resampling when the sizes
    // differ. A width or height of 0 means the bitmap's own; a negative one is E_INVALIDARG.
    HRESULT CopyBitmapIn(const display::DecodedBitmap* bitmap, int sx, int sy, int sw, int sh);
    HRESULT SetKeyColour(COLORREF colour);
    uint32_t ColourToPixel(COLORREF colour) const;
    // The colour of pixel (x, y), or CLR_INVALID outside the surface or without memory.
    COLORREF ReadPixelColour(int x, int y) const;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool HasKeyColour() const { return hasKeyColour_; }
    // The pixel memory, row by row with a pitch of Width(); null when the surface has none.
    const uint16_t* DirectDrawSurface() const { return pixels_.empty() ? nullptr : pixels_.data(); }
    void ReleaseSurface();

    // A horizontal run of opaque pixels in one row, found once when the key is set, so that a
    // keyed copy moves whole runs instead of testing every pixel.
    struct Span {
        uint16_t start;
        uint16_t length;
    };
    // The runs of row y, in increasing x.
    const Span* RowSpansBegin(int y) const {
        return spans_.data() + rowSpanStart_[static_cast<size_t>(y)];
    }
    const Span* RowSpansEnd(int y) const {
        return spans_.data() + rowSpanStart_[static_cast<size_t>(y) + 1];
    }

  private:
    friend class CDisplayDevice;
    bool Allocate(int width, int height);
    void BuildSpans();

    std::vector<uint16_t> pixels_;
    int width_ = 0;
    int height_ = 0;
    bool hasKeyColour_ = false;
    uint16_t keyPixel_ = 0;
    std::vector<Span> spans_;
    std::vector<uint32_t> rowSpanStart_;
};
