#include "gamestate/frame_timing.h"

#include "platform/platform.h"

namespace gamestate {

float AverageFrameTime = 0.0f;

namespace {

std::array<int32_t, FrameRingSize> frameRing{};
size_t ringPosition = 0;
uint32_t timingReference = 0;

}  // namespace

void UpdateFrameTiming() {
    uint32_t now = platform::Ticks();
    if (timingReference == 0) timingReference = now;
    frameRing[ringPosition] = static_cast<int32_t>(now - timingReference);
    int64_t sum = 0;
    for (int32_t entry : frameRing) sum += entry;
    AverageFrameTime = static_cast<float>(static_cast<double>(sum) / 25.0);
    timingReference = now;
    ringPosition = (ringPosition + 1) % FrameRingSize;
}

const std::array<int32_t, FrameRingSize>& FrameRing() {
    return frameRing;
}

void ResetFrameTiming() {
    AverageFrameTime = 0.0f;
    frameRing.fill(0);
    ringPosition = 0;
    timingReference = 0;
}

}  // namespace gamestate
