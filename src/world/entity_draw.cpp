#include <algorithm>
#include <cmath>

#include "display/bitmap_surface.h"
#include "display/display_device.h"
#include "gamestate/parallax.h"
#include "gamestate/pause.h"
#include "world/entity.h"

namespace world {

namespace {

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;

// Brings the animation position back into first..last after it ran past the last frame. The
// wrap subtracts the span, not the span plus one: a loop 0..7 that runs past 7.99 goes on at 1.0,
// so after the first cycle the first frame of a loop is never shown again.
void WrapAnimation(Entity& e) {
    if (e.shownFrame() > e.lastFrame && e.lastFrame == e.firstFrame) {
        e.frame = static_cast<float>(e.firstFrame);
    }
    const int32_t span = e.lastFrame - e.firstFrame;
    if (e.shownFrame() <= e.lastFrame) return;
    if (span <= 0) {
        // A reversed range would never come back into it.
        e.frame = static_cast<float>(e.firstFrame);
        return;
    }
    // After a long absence the position can be thousands of frames ahead: take the whole spans
    // at once, then finish frame by frame as a plain loop would.
    const double excess = std::floor(static_cast<double>(e.frame)) - e.lastFrame;
    if (excess > 4.0 * span) {
        const double whole = std::floor(excess / span) - 1.0;
        e.frame = static_cast<float>(static_cast<double>(e.frame) - whole * span);
    }
    while (e.shownFrame() > e.lastFrame) e.frame -= static_cast<float>(span);
}

}  // namespace

StripFrame Entity::shownStripFrame() const {
    const int set = std::clamp(plane, 0, SpriteSetCount - 1);
    const int firstStripFrames = frameCounts[set][LeftStrip];
    int slot;
    int framesPerStrip;
    int frameOffset;
    if (shownFrame() <= firstStripFrames - 1) {
        slot = direction > 0 ? RightStrip : LeftStrip;
        framesPerStrip = firstStripFrames;
        frameOffset = 0;
    } else {
        slot = direction > 0 ? RightContinuation : LeftContinuation;
        framesPerStrip = frameCounts[set][LeftContinuation];
        frameOffset = firstStripFrames;
    }
    if (!sprites[set][slot]) {
        slot = LeftStrip;
        framesPerStrip = firstStripFrames;
    }
    CBitmapSurface* strip = sprites[set][slot];
    if (!strip || framesPerStrip <= 0) return StripFrame{};
    const int k = static_cast<int>(frame - static_cast<float>(frameOffset));
    return StripFrame{strip, k * strip->Width() / framesPerStrip, strip->Width() / framesPerStrip};
}

void Entity::draw(CDisplayDevice* display, float planeCameraX, uint32_t now) {
    const float seconds = static_cast<float>(now - lastUpdateMs) / 1000.0f;
    const int32_t planeDivisor = plane > 0 ? plane : 1;
    if (!gamestate::Pause.MinimizedInGame && firstFrame != lastFrame)
        frame += seconds * FramesPerSecond;
    if (!gamestate::Pause.MinimizedInGame && shownFrame() >= lastFrame && state == state::Hit) {
        // A hit entity stops on its last frame and sinks out of view.
        frame = static_cast<float>(lastFrame);
        sinkOffset += seconds * FramesPerSecond * static_cast<float>(12 / planeDivisor);
    }
    lastUpdateMs = now;
    WrapAnimation(*this);

    const StripFrame shown = shownStripFrame();

    // Screen position. An entity just behind the wrap seam shows left of the camera. Animals
    // stand at world positions, which the parallax scales; scenery of the middle and far planes
    // stands at positions of its own layer, which repeats after its six tiles, sooner than the
    // world.
    const bool animal = StandsAtWorldPosition(kind);
    const int layer = LayerOfPlane(plane);
    const int layerPeriod = gamestate::LayerPeriod(layer);
    const float seamShift = animal ? WorldWidth : static_cast<float>(layerPeriod);
    const bool behindSeam = planeCameraX < 800.0f && x > 4000.0f;
    if (behindSeam) x -= seamShift;
    // After the draw the entity is back where it stands (an x below 0 wraps round the world).
    auto restoreX = [&] {
        if (behindSeam) x += seamShift;
        if (x < 0.0f) x += WorldWidth;
    };
    const int camera = static_cast<int>(planeCameraX);
    if (animal && layer != gamestate::NearLayer) {
        screenX =
            static_cast<int32_t>(static_cast<double>(x) * gamestate::Parallax(layer) - camera);
    } else {
        screenX = static_cast<int32_t>(x) - camera;
    }
    if (screenX < -(800 - (plane - 1) * 200)) screenX += layerPeriod;
    clipLeft = 0;
    if (screenX < 0) {
        clipLeft = -screenX;
        screenX = 0;
    }

    const int drawY = static_cast<int>(y + sinkOffset);
    if (!shown.strip) {
        // Nothing to show (no picture was ever registered): nothing to draw or to hit.
        sourceRect = Rect{};
        restoreX();
        return;
    }
    Rect source;
    source.top = 0;
    source.bottom = shown.strip->Height();
    if (drawY + source.bottom > ScreenHeight) source.bottom = ScreenHeight - drawY - 1;
    source.left = shown.left + clipLeft;
    source.right = shown.left + shown.width;
    if (screenX + (source.right - shown.left) > ScreenWidth) {
        source.right = ScreenWidth - screenX + shown.left;
    }
    sourceRect = source;
    restoreX();
    // Rectangles that leave the screen (above it, or wholly beside it) are refused and draw
    // nothing.
    if (display) {
        display->DrawSurface(static_cast<uint32_t>(screenX), static_cast<uint32_t>(drawY),
                             shown.strip, &source);
    }
    if (source.top > source.bottom) active = 0;  // sunk below the screen
}

}  // namespace world
