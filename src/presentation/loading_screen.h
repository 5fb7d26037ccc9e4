// The loading screen: a hare runs across it while the level's pictures load, and the menu music
// fades out on the way into a game.
#pragma once

#include "diag/result_codes.h"

class CDisplayDevice;

namespace presentation {

// Grows by 0.1 with every progress step of a load; 0 at the start of each load.
extern float LoadingProgress;
// Progress steps presented since the last reset, for tests and the driver.
extern int LoadingStepsShown;

// Both back to 0.
void ResetLoadingScreen();

// One progress step: the loading screen with the hare at the progress reached, the menu music
// a little quieter (only on the way into a game with music on), and the frame presented.
HRESULT ShowLoadingProgress(CDisplayDevice* display, bool firstLoad);

}  // namespace presentation
