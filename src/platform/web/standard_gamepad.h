// Game controllers as the browser's Gamepad API reports them, polled once a frame. Only pads the
// browser knows the layout of (mapping "standard") are read; for any other, the button numbers
// mean nothing the game could rely on. Each standard pad's buttons become the platform's neutral
// pad buttons, its triggers buttons and its left stick a tilt, as every backend makes them
// (platform/pad_model.h). What a button means is the game's business.
#pragma once

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "platform/key_presses.h"
#include "platform/pad_model.h"
#include "platform/platform.h"

namespace platform::web {

// One pad as sampled (emscripten's EmscriptenGamepadEvent, read field by field).
struct GamepadReading {
    // The browser's number for the pad, the same while it stays plugged in.
    long index = 0;
    std::string_view mapping;
    int buttonCount = 0;
    const double* buttonValues = nullptr;
    const int* buttonsPressed = nullptr;
    int axisCount = 0;
    const double* axes = nullptr;
};

class StandardGamepads {
  public:
    // Presses go to `presses`.
    explicit StandardGamepads(KeyPresses& presses) : presses_(presses) {}

    // The pads as sampled now. A button gone down since the last sample is a press; a pad missing
    // from the sample was unplugged and lets go of what it held.
    void Update(std::span<const GamepadReading> readings);
    // Whether a pad holds the button down.
    bool Holds(PadButton button) const;
    // The left stick tilted furthest of all pads.
    StickVector LeftStick() const;
    int Count() const { return static_cast<int>(pads_.size()); }

  private:
    struct Pad {
        long index = 0;
        std::array<bool, PadButtonCount> down{};
        StickVector stick;
    };

    KeyPresses& presses_;
    std::vector<Pad> pads_;
};

}  // namespace platform::web
