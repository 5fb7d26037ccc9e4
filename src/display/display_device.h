// The screen: an 800x600 16-bit back buffer that every drawing goes into, and the present that
// hands the finished frame to the platform.
#pragma once

#include <cstdint>
#include <vector>

#include "diag/result_codes.h"
#include "display/bitmap_surface.h"
#include "display/geometry.h"

class CDisplayDevice {
  public:
    CDisplayDevice() = default;
    virtual ~CDisplayDevice() { ReleaseObjects(); }
    CDisplayDevice(const CDisplayDevice&) = delete;
    CDisplayDevice& operator=(const CDisplayDevice&) = delete;

    // Takes the screen at width x height x bpp; only 800x600 at 16 bits exists.
    HRESULT OpenFullScreen(uint32_t width, uint32_t height, uint32_t bitsPerPixel);
    virtual HRESULT ReleaseObjects();
    // Presents the back buffer. DDERR_SURFACELOST when the platform lost its render target:
    // the caller then restores and reloads everything.
    HRESULT ShowFrame();
    HRESULT ClearBackBuffer(uint32_t pixel);
    // Copies `source` (the whole surface when null) of `surface` to (x, y), skipping key-coloured
    // pixels when the surface has a key. Does not clip: a rectangle that would leave the back
    // buffer draws nothing and fails.
    HRESULT DrawSurface(uint32_t x, uint32_t y, CBitmapSurface* surface, const Rect* source);
    // Brings back the surfaces after a loss: S_OK when the platform reported its pictures lost
    // since the last restore (the caller then loads them again), S_FALSE when nothing was lost.
    HRESULT RestoreAllSurfaces();

    // Loads a BMP file into a new surface, resampled to width x height when they are not 0.
    HRESULT LoadBitmapSurface(CBitmapSurface** out, const char* path, int width, int height);

    bool IsOpen() const { return open_; }
    uint16_t* BackBuffer() { return open_ ? backBuffer_.data() : nullptr; }
    static constexpr int Pitch = 800;

  private:
    bool open_ = false;
    bool surfacesLost_ = false;
    std::vector<uint16_t> backBuffer_;
};
