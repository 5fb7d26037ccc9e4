// The floating point labels of recent hits: each rises from where the shot struck and goes away
// after three seconds of round time.
#pragma once

#include <cstdint>

class CDisplayDevice;

namespace presentation {

struct PointPopup {
    int32_t worldX = 0;
    float y = 0.0f;        // screen y of the label's top
    int32_t value = 0;     // 0 = slot free
    uint32_t created = 0;  // round clock at creation
};

constexpr int PointPopupCount = 25;
constexpr uint32_t PointPopupLifeMs = 3000;
extern PointPopup PointPopups[PointPopupCount];

// Fills the first free label slot; false (and the points still count) when all are in use.
bool AddPointPopup(int32_t value, int32_t worldX, float y, uint32_t created);

// Draws every label, lets it rise by `averageFrameTime` / 16 pixels and frees those older than
// three seconds of round time.
void DrawPointPopups(CDisplayDevice* display, float cameraX, float averageFrameTime,
                     uint32_t roundClock);

void ClearPointPopups();

}  // namespace presentation
