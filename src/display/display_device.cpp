#include "display/display_device.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/platform.h"

namespace {
constexpr int BackWidth = platform::ScreenWidth;
constexpr int BackHeight = platform::ScreenHeight;

// Short runs (a sprite's ragged edge) are cheaper to move pixel by pixel than through a call.
inline void CopyRun(uint16_t* to, const uint16_t* from, int count) {
    if (count <= 8) {
        for (int i = 0; i < count; ++i) to[i] = from[i];
    } else {
        std::memcpy(to, from, static_cast<size_t>(count) * sizeof(uint16_t));
    }
}
}  // namespace

HRESULT CDisplayDevice::OpenFullScreen(uint32_t width, uint32_t height, uint32_t bitsPerPixel) {
    ReleaseObjects();
    if (width != BackWidth || height != BackHeight || bitsPerPixel != 16) return E_FAIL;
    backBuffer_.assign(static_cast<size_t>(BackWidth) * BackHeight, 0);
    open_ = true;
    return S_OK;
}

HRESULT CDisplayDevice::ReleaseObjects() {
    open_ = false;
    surfacesLost_ = false;
    backBuffer_.clear();
    backBuffer_.shrink_to_fit();
    return S_OK;
}

HRESULT CDisplayDevice::ShowFrame() {
    if (!open_) return E_POINTER;
    switch (platform::Present(backBuffer_.data(), Pitch)) {
        case platform::PresentResult::Ok:
            return S_OK;
        case platform::PresentResult::Lost:
            surfacesLost_ = true;
            return DDERR_SURFACELOST;
        case platform::PresentResult::Failed:
            break;
    }
    return E_FAIL;
}

HRESULT CDisplayDevice::ClearBackBuffer(uint32_t pixel) {
    if (!open_) return E_POINTER;
    const uint16_t value = static_cast<uint16_t>(pixel);
    if (!drawing_) return S_OK;
    if (value == 0) {
        std::memset(backBuffer_.data(), 0, backBuffer_.size() * sizeof(uint16_t));
    } else {
        std::fill(backBuffer_.begin(), backBuffer_.end(), value);
    }
    return S_OK;
}

HRESULT CDisplayDevice::RestoreAllSurfaces() {
    if (!open_) return E_POINTER;
    return std::exchange(surfacesLost_, false) ? S_OK : S_FALSE;
}

HRESULT CDisplayDevice::DrawSurface(uint32_t x, uint32_t y, CBitmapSurface* surface,
                                    const Rect* source) {
    if (!surface) return E_INVALIDARG;
    if (!open_) return E_POINTER;
    const uint16_t* pixels = surface->DirectDrawSurface();
    if (!pixels) return E_INVALIDARG;
    Rect r = source ? *source : Rect{0, 0, surface->Width(), surface->Height()};
    if (r.left < 0 || r.top < 0 || r.right > surface->Width() || r.bottom > surface->Height() ||
        r.left >= r.right || r.top >= r.bottom)
        return DDERR_INVALIDRECT;
    uint64_t w = static_cast<uint64_t>(r.right - r.left);
    uint64_t h = static_cast<uint64_t>(r.bottom - r.top);
    if (x + w > static_cast<uint64_t>(BackWidth) || y + h > static_cast<uint64_t>(BackHeight))
        return DDERR_INVALIDRECT;
    if (!drawing_) return S_OK;

    const int srcPitch = surface->Width();
    uint16_t* dst = backBuffer_.data() + static_cast<size_t>(y) * Pitch + x;
    const uint16_t* src = pixels + display::PixelIndex(r.left, r.top, srcPitch);
    if (!surface->HasKeyColour()) {
        for (int row = 0; row < static_cast<int>(h); ++row) {
            std::memcpy(dst + static_cast<size_t>(row) * Pitch,
                        src + display::PixelIndex(0, row, srcPitch),
                        static_cast<size_t>(w) * sizeof(uint16_t));
        }
        return S_OK;
    }
    // Keyed copy: move the precomputed opaque runs of each row, cut to the source rectangle.
    const bool wholeRows = r.left == 0 && r.right == surface->Width();
    for (int row = 0; row < static_cast<int>(h); ++row) {
        const int sy = r.top + row;
        const CBitmapSurface::Span* span = surface->RowSpansBegin(sy);
        const CBitmapSurface::Span* end = surface->RowSpansEnd(sy);
        const uint16_t* srcRow = pixels + display::PixelIndex(0, sy, srcPitch);
        uint16_t* dstRow = dst + static_cast<size_t>(row) * Pitch;
        if (wholeRows) {
            for (; span != end; ++span)
                CopyRun(dstRow + span->start, srcRow + span->start, span->length);
            continue;
        }
        // Skip the runs that end left of the rectangle.
        span = std::partition_point(
            span, end, [&](const CBitmapSurface::Span& s) { return s.start + s.length <= r.left; });
        for (; span != end && span->start < r.right; ++span) {
            const int from = std::max<int>(span->start, r.left);
            const int to = std::min<int>(span->start + span->length, r.right);
            CopyRun(dstRow + (from - r.left), srcRow + from, to - from);
        }
    }
    return S_OK;
}

HRESULT CDisplayDevice::LoadBitmapSurface(CBitmapSurface** out, const char* path, int width,
                                          int height) {
    if (!open_ || !path || !out) return E_INVALIDARG;
    *out = nullptr;
    if (width < 0 || height < 0) return E_FAIL;
    display::DecodedBitmap bitmap;
    if (!display::DecodeBmpFile(path, bitmap)) return E_FAIL;
    int w = width ? width : bitmap.width;
    int h = height ? height : bitmap.height;
    auto* surface = new CBitmapSurface();
    if (!surface->Allocate(w, h)) {
        delete surface;
        return E_OUTOFMEMORY;
    }
    *out = surface;
    return surface->CopyBitmapIn(&bitmap, 0, 0, 0, 0);
}
