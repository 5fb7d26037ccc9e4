// The head-up display: remaining time, score, the weapons, the five quota counters, the loaded
// rounds and the point labels, drawn over the scene from the in-game sheet and font.
#pragma once

#include <cstdint>

class CDisplayDevice;

namespace presentation {

void DrawHud(CDisplayDevice* display);

// "m:ss" of the time left until `roundEnd`, or "0:00" when it has passed.
void FormatRemainingTime(char (&text)[16], uint32_t roundEnd, uint32_t roundClock);
// The score with six digits at least.
void FormatScore(char (&text)[16], int32_t score);

}  // namespace presentation
