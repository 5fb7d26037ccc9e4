#include "presentation/point_labels.h"

#include <cstdio>

#include "gamestate/point_popups.h"
#include "presentation/bitmap_font.h"
#include "world/entity.h"

namespace presentation {

int PointLabelScreenX(int32_t worldX, float cameraX) {
    constexpr int WorldWidth = static_cast<int>(world::WorldWidth);
    int x = static_cast<int>(static_cast<float>(worldX) - cameraX) % WorldWidth;
    if (x < -WorldWidth / 2) x += WorldWidth;
    if (x >= WorldWidth / 2) x -= WorldWidth;
    return x;
}

void DrawPointPopups(CDisplayDevice* display, float cameraX, float averageFrameTime,
                     uint32_t roundClock) {
    char text[16];
    for (gamestate::PointPopup& popup : gamestate::PointPopups) {
        if (popup.value == 0) continue;
        if (IngameFont && display) {
            std::snprintf(text, sizeof text, "%d", popup.value);
            IngameFont->DrawString(display, PointLabelScreenX(popup.worldX, cameraX),
                                   static_cast<int>(popup.y), text);
        }
        popup.y -= averageFrameTime / 16.0f;
        if (roundClock - popup.created > gamestate::PointPopupLifeMs) popup.value = 0;
    }
}

}  // namespace presentation
