// The display device that the app opens at start-up and every screen draws on. (The sound device
// lives with the sound layer, which its music thread shares.)
#pragma once

#include <memory>

class CDisplayDevice;

namespace gamestate {

// Null until start-up has created it; goes with the window.
extern std::unique_ptr<CDisplayDevice> Display;

}  // namespace gamestate
