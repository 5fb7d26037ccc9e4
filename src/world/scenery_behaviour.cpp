// The scenery targets' own movements and timers arrive with the shooting work; until then they
// stand still and only animate.
#include "world/scenery.h"

namespace world {

bool updateScenery(Entity&, int, float) {
    return true;
}

}  // namespace world
