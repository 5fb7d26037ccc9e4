// Stand-ins until the controls and the shot loop arrive: the cursor is read and nothing fires.
#include "flow/controls.h"

#include "flow/game_state.h"

namespace flow {

int32_t LayerHit = 5;

platform::Point RunControls() {
    ClickPoint = ScreenPoint{};
    LayerHit = 5;
    return platform::CursorPos();
}

void TestLayerHit(int, CBitmapSurface*, int, int) {}

void RunShotLoop() {}

void PlayUnlockFanfare() {}

}  // namespace flow
