#include "platform/pad_model.h"

#include <algorithm>
#include <cmath>

namespace platform {

bool TriggerDown(bool wasDown, float pull) {
    return wasDown ? pull >= TriggerReleasePoint : pull >= TriggerPressPoint;
}

StickVector StickVelocity(StickVector tilt) {
    const float amount = std::sqrt(tilt.x * tilt.x + tilt.y * tilt.y);
    if (amount <= StickDeadZone) return {};
    const float beyond = (std::min(amount, 1.0f) - StickDeadZone) / (1.0f - StickDeadZone);
    const float speed = StickTopSpeed * beyond * beyond;
    return {tilt.x / amount * speed, tilt.y / amount * speed};
}

StickVector StickMotion::Step(StickVector tilt, uint32_t now) {
    const uint32_t elapsed = last_ ? std::min(now - *last_, LongestStickStepMs) : 0;
    last_ = now;
    const StickVector velocity = StickVelocity(tilt);
    const float seconds = static_cast<float>(elapsed) / 1000.0f;
    return {velocity.x * seconds, velocity.y * seconds};
}

Point StickPointer::Move(Point at, StickVector motion, const Area& area) {
    const bool placedHere =
        moved_ && ((at.x == to_.x && at.y == to_.y) || (at.x == from_.x && at.y == from_.y));
    if (!placedHere) {
        x_ = static_cast<float>(at.x) + 0.5f;
        y_ = static_cast<float>(at.y) + 0.5f;
    }
    x_ = std::clamp(x_ + motion.x, area.left, area.right - 0.01f);
    y_ = std::clamp(y_ + motion.y, area.top, area.bottom - 0.01f);
    from_ = at;
    to_ = {static_cast<int>(x_), static_cast<int>(y_)};
    moved_ = true;
    return to_;
}

}  // namespace platform
