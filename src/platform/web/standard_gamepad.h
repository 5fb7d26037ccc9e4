// Game controllers as the browser's Gamepad API reports them, read once a frame. Only pads the
// browser knows the layout of (mapping "standard") are read; for any other, the button numbers
// mean nothing the game could rely on. Every such pad adds to one neutral picture of the frame:
// which buttons are held and where the left stick stands.
#pragma once

#include <array>
#include <string_view>

namespace platform::web {

// The buttons of the standard layout, in its order.
enum class PadButton {
    A,  // bottom face button
    B,  // right
    X,  // left
    Y,  // top
    LeftShoulder,
    RightShoulder,
    LeftTrigger,
    RightTrigger,
    Back,
    Start,
    LeftStick,
    RightStick,
    DPadUp,
    DPadDown,
    DPadLeft,
    DPadRight,
    Count,
};
constexpr int PadButtonCount = static_cast<int>(PadButton::Count);

// Every standard pad's input in one frame.
struct PadFrame {
    std::array<bool, PadButtonCount> down{};
    // How far the triggers are pulled, 0 .. 1.
    float leftTrigger = 0.0f;
    float rightTrigger = 0.0f;
    // The left stick, each axis -1 .. 1 (right and down are positive).
    float stickX = 0.0f;
    float stickY = 0.0f;
    int pads = 0;

    bool Down(PadButton button) const { return down[static_cast<size_t>(button)]; }
};

// One pad as sampled (emscripten's EmscriptenGamepadEvent, read field by field).
struct GamepadReading {
    std::string_view mapping;
    int buttonCount = 0;
    const double* buttonValues = nullptr;
    const int* buttonsPressed = nullptr;
    int axisCount = 0;
    const double* axes = nullptr;
};

// Adds a pad to the frame: its buttons are held when either pad holds them; the stick tilted
// furthest steers. Pads without the standard layout are left out.
void AddStandardGamepad(PadFrame& frame, const GamepadReading& pad);

}  // namespace platform::web
