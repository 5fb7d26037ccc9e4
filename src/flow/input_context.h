// What the player is asked to do after this frame, told to the platform so that a device with few
// buttons (a game controller) can stand in for the keys that matter there.
#pragma once

#include "platform/platform.h"

namespace flow {

// The context the current screen asks for: a round (with the weapons the player has), a name
// being typed into the high-score table, or the menu.
platform::InputContext CurrentInputContext();

}  // namespace flow
