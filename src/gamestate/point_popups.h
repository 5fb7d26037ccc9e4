// The floating point labels of recent hits: the shot loop creates them where a shot scored, the
// HUD draws them rising and frees them after three seconds of round time.
#pragma once

#include <cstdint>

namespace gamestate {

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

void ClearPointPopups();

}  // namespace gamestate
