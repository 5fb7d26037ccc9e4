// The information banner of a newly unlocked weapon (what it is, which key selects it), shown
// for a moment unless a completed stage is being announced.
#pragma once

#include <cstdint>

class CDisplayDevice;

namespace presentation {

// Draws at most one banner, the crossbow's before the dynamite's before the machine gun's. `now`
// is the tick count read for the near layer's entities.
void DrawInfoBanner(CDisplayDevice* display, uint32_t now);

}  // namespace presentation
