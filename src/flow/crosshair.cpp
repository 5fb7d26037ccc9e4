#include "display/display_device.h"
#include "flow/game_frame.h"
#include "gamestate/devices.h"
#include "presentation/screen_surfaces.h"

namespace flow {

void DrawCrosshair(int x, int y) {
    // A 43x43 cell of the in-game sheet, its top-left corner 21 pixels up and left of the cursor.
    Rect source{256, 39, 299, 82};
    int left = x - 21;
    int top = y - 21;
    if (top < 0) {
        source.top -= top;
        top = 0;
    }
    if (top + 43 > 599) source.bottom -= top + 43 - 599;
    if (left < 0) {
        source.left -= left;
        left = 0;
    }
    if (left + 43 > 799) source.right -= left + 43 - 799;
    if (gamestate::Display)
        gamestate::Display->DrawSurface(static_cast<uint32_t>(left), static_cast<uint32_t>(top),
                                        presentation::IngameSheet, &source);
}

}  // namespace flow
