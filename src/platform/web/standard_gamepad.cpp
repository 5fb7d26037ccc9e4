#include "platform/web/standard_gamepad.h"

#include <algorithm>
#include <cmath>

namespace platform::web {

namespace {

float Clamped(double value) {
    return static_cast<float>(std::clamp(value, -1.0, 1.0));
}

}  // namespace

void AddStandardGamepad(PadFrame& frame, const GamepadReading& pad) {
    if (pad.mapping != "standard") return;
    ++frame.pads;
    const int buttons = std::min(pad.buttonCount, PadButtonCount);
    for (int i = 0; i < buttons; ++i) {
        if (pad.buttonsPressed && pad.buttonsPressed[i]) frame.down[static_cast<size_t>(i)] = true;
    }
    auto analog = [&](PadButton button) {
        const int i = static_cast<int>(button);
        return i < pad.buttonCount && pad.buttonValues ? Clamped(pad.buttonValues[i]) : 0.0f;
    };
    frame.leftTrigger = std::max(frame.leftTrigger, analog(PadButton::LeftTrigger));
    frame.rightTrigger = std::max(frame.rightTrigger, analog(PadButton::RightTrigger));
    if (pad.axisCount >= 2 && pad.axes) {
        const float x = Clamped(pad.axes[0]);
        const float y = Clamped(pad.axes[1]);
        if (std::hypot(x, y) > std::hypot(frame.stickX, frame.stickY)) {
            frame.stickX = x;
            frame.stickY = y;
        }
    }
}

}  // namespace platform::web
