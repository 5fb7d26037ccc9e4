#include "gamestate/devices.h"

#include "display/display_device.h"

namespace gamestate {

std::unique_ptr<CDisplayDevice> Display;

}  // namespace gamestate
