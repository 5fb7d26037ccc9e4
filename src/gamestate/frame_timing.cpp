#include "gamestate/frame_timing.h"

#include "platform/platform.h"

namespace gamestate {

float AverageFrameTime = 0.0f;

namespace {

struct Ring {
    std::array<int32_t, FrameRingSize> durations{};
    size_t position = 0;
    uint32_t reference = 0;  // tick count of the previous frame; 0 before the first
};

Ring ring;

}  // namespace

void UpdateFrameTiming() {
    uint32_t now = platform::Ticks();
    if (ring.reference == 0) ring.reference = now;
    ring.durations[ring.position] = static_cast<int32_t>(now - ring.reference);
    int64_t sum = 0;
    for (int32_t entry : ring.durations) sum += entry;
    AverageFrameTime = static_cast<float>(static_cast<double>(sum) / 25.0);
    ring.reference = now;
    ring.position = (ring.position + 1) % FrameRingSize;
}

const std::array<int32_t, FrameRingSize>& FrameRing() {
    return ring.durations;
}

void ResetFrameTiming() {
    AverageFrameTime = 0.0f;
    ring = Ring{};
}

}  // namespace gamestate
