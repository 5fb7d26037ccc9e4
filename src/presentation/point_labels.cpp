#include "presentation/point_labels.h"

#include <cstdio>

#include "presentation/bitmap_font.h"

namespace presentation {

PointPopup PointPopups[PointPopupCount];

bool AddPointPopup(int32_t value, int32_t worldX, float y, uint32_t created) {
    for (PointPopup& popup : PointPopups) {
        if (popup.value != 0) continue;
        popup.value = value;
        popup.worldX = worldX;
        popup.y = y;
        popup.created = created;
        return true;
    }
    return false;
}

void DrawPointPopups(CDisplayDevice* display, float cameraX, float averageFrameTime,
                     uint32_t roundClock) {
    char text[16];
    for (PointPopup& popup : PointPopups) {
        if (popup.value == 0) continue;
        if (IngameFont && display) {
            std::snprintf(text, sizeof text, "%d", popup.value);
            IngameFont->DrawString(display, static_cast<int>(popup.worldX - cameraX),
                                   static_cast<int>(popup.y), text);
        }
        popup.y -= averageFrameTime / 16.0f;
        if (roundClock - popup.created > PointPopupLifeMs) popup.value = 0;
    }
}

void ClearPointPopups() {
    for (PointPopup& popup : PointPopups) popup = PointPopup{};
}

}  // namespace presentation
