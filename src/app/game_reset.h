// The whole game's state back to program start: every subsystem's globals, and everything they
// own (pictures, sounds, the menu, the weapon, the display and the sound device) released. A run
// of the game begins with it, so that a second run in one process plays as the first did; the
// tests begin and end with it.
#pragma once

namespace app {

void ResetGame();

}  // namespace app
