#include "platform/web/standard_gamepad.h"

#include <algorithm>
#include <optional>

namespace platform::web {

namespace {

// The standard layout's buttons by their number: the four on the right (bottom, right, left,
// top), the shoulders, the triggers, Back and Start, the sticks' clicks, the D-pad, the guide.
constexpr std::array<std::optional<PadButton>, 17> StandardButtons{PadButton::A,
                                                                   PadButton::B,
                                                                   PadButton::X,
                                                                   PadButton::Y,
                                                                   PadButton::LeftShoulder,
                                                                   PadButton::RightShoulder,
                                                                   PadButton::LeftTrigger,
                                                                   PadButton::RightTrigger,
                                                                   PadButton::Back,
                                                                   PadButton::Start,
                                                                   std::nullopt,
                                                                   std::nullopt,
                                                                   PadButton::Up,
                                                                   PadButton::Down,
                                                                   PadButton::Left,
                                                                   PadButton::Right,
                                                                   std::nullopt};

float Clamped(double value, double low) {
    return static_cast<float>(std::clamp(value, low, 1.0));
}

}  // namespace

void StandardGamepads::Update(std::span<const GamepadReading> readings) {
    std::vector<Pad> sampled;
    for (const GamepadReading& reading : readings) {
        if (reading.mapping != "standard") continue;
        Pad pad;
        pad.index = reading.index;
        const auto before = std::find_if(pads_.begin(), pads_.end(),
                                         [&](const Pad& p) { return p.index == reading.index; });
        const std::array<bool, PadButtonCount> wasDown =
            before != pads_.end() ? before->down : pad.down;
        const int count = std::min(reading.buttonCount, static_cast<int>(StandardButtons.size()));
        for (int i = 0; i < count; ++i) {
            const std::optional<PadButton> button = StandardButtons[static_cast<size_t>(i)];
            if (!button) continue;
            const size_t slot = static_cast<size_t>(*button);
            const bool pressed = reading.buttonsPressed && reading.buttonsPressed[i];
            if ((*button == PadButton::LeftTrigger || *button == PadButton::RightTrigger) &&
                reading.buttonValues) {
                pad.down[slot] = TriggerDown(wasDown[slot], Clamped(reading.buttonValues[i], 0.0));
            } else {
                pad.down[slot] = pressed;
            }
            if (pad.down[slot] && !wasDown[slot]) presses_.Press(*button);
        }
        if (reading.axisCount >= 2 && reading.axes)
            pad.stick = {Clamped(reading.axes[0], -1.0), Clamped(reading.axes[1], -1.0)};
        sampled.push_back(pad);
    }
    pads_ = std::move(sampled);
}

bool StandardGamepads::Holds(PadButton button) const {
    return std::any_of(pads_.begin(), pads_.end(),
                       [button](const Pad& pad) { return pad.down[static_cast<size_t>(button)]; });
}

StickVector StandardGamepads::LeftStick() const {
    StickVector furthest;
    float furthestSquared = 0.0f;
    for (const Pad& pad : pads_) {
        const float squared = pad.stick.x * pad.stick.x + pad.stick.y * pad.stick.y;
        if (squared > furthestSquared) {
            furthest = pad.stick;
            furthestSquared = squared;
        }
    }
    return furthest;
}

}  // namespace platform::web
