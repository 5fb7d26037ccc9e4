// The frame-duration average that scales all scrolling and menu motion: the mean of the last 25
// frame durations, so that one slow frame does not make the view jump.
#pragma once

#include <array>
#include <cstdint>

namespace gamestate {

constexpr int FrameRingSize = 25;

// Mean duration of the last 25 frames in milliseconds. Slots never written count as 0, so the
// mean starts low and rises over the first 25 frames.
extern float AverageFrameTime;

// Takes this frame's duration into the ring; the first frame of a run counts 0 ms.
void UpdateFrameTiming();

// The ring of frame durations, for tests.
const std::array<int32_t, FrameRingSize>& FrameRing();
// Empties the ring and the average (start-up, and tests).
void ResetFrameTiming();

// The whole of the frame timing, for a recorded round that must start where the game stood.
struct FrameTimingState {
    std::array<int32_t, FrameRingSize> durations{};
    uint32_t position = 0;
    uint32_t reference = 0;  // tick count of the previous frame; 0 before the first
    float average = 0.0f;
};
FrameTimingState SaveFrameTiming();
void RestoreFrameTiming(const FrameTimingState& state);

}  // namespace gamestate
