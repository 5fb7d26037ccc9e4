#include "gamestate/devices.h"

namespace gamestate {

CDisplayDevice* Display = nullptr;

}  // namespace gamestate
