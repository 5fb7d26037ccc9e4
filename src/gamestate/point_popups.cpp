#include "gamestate/point_popups.h"

namespace gamestate {

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

void ClearPointPopups() {
    for (PointPopup& popup : PointPopups) popup = PointPopup{};
}

}  // namespace gamestate
