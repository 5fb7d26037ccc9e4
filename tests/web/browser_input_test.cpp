// The browser's keyboard, mouse and gamepads as the game's virtual keys and neutral pad input.
#include <gtest/gtest.h>

#include <vector>

#include "platform/key_presses.h"
#include "platform/platform.h"
#include "platform/web/dom_keys.h"
#include "platform/web/standard_gamepad.h"

namespace {

namespace vk = platform::vk;
using platform::PadButton;
using namespace platform::web;

TEST(DomKeys, KeysAreNamedByTheirPlaceAndTypeWhatTheLayoutSays) {
    EXPECT_EQ(VirtualKeyOfCode("KeyA"), 'A');
    EXPECT_EQ(VirtualKeyOfCode("KeyZ"), 'Z');
    EXPECT_EQ(VirtualKeyOfCode("Digit1"), '1');
    EXPECT_EQ(VirtualKeyOfCode("Digit0"), '0');
    EXPECT_EQ(VirtualKeyOfCode("Enter"), vk::Return);
    EXPECT_EQ(VirtualKeyOfCode("NumpadEnter"), vk::Return);
    EXPECT_EQ(VirtualKeyOfCode("ShiftRight"), vk::RShift);
    EXPECT_EQ(VirtualKeyOfCode("AltLeft"), vk::LMenu);
    EXPECT_EQ(VirtualKeyOfCode("Semicolon"), vk::Oem3);  // ö on a German keyboard
    for (const char* unknown :
         {"", "Key", "KeyAA", "Keya", "Digit", "Numpad1", "F5", "Unidentified"})
        EXPECT_EQ(VirtualKeyOfCode(unknown), 0) << unknown;
    EXPECT_EQ(VirtualKeyOfMouseButton(0), vk::LButton);
    EXPECT_EQ(VirtualKeyOfMouseButton(1), vk::MButton);
    EXPECT_EQ(VirtualKeyOfMouseButton(2), vk::RButton);
    EXPECT_EQ(VirtualKeyOfMouseButton(3), 0);

    EXPECT_EQ(TypedTextOfKey("a", false, false, false), "a");
    EXPECT_EQ(TypedTextOfKey("ö", false, false, false), "ö");
    EXPECT_EQ(TypedTextOfKey("€", false, false, false), "€");
    EXPECT_EQ(TypedTextOfKey("@", true, true, false), "@") << "AltGr on Windows is Control+Alt";
    EXPECT_EQ(TypedTextOfKey("a", true, false, false), "") << "a shortcut";
    EXPECT_EQ(TypedTextOfKey("a", false, false, true), "");
    for (const char* named : {"Enter", "Backspace", "Shift", "Dead", "Unidentified", "", "\t"})
        EXPECT_EQ(TypedTextOfKey(named, false, false, false), "") << named;
}

TEST(DomKeys, ShortcutsAndTheKeysTheBrowserKeeps) {
    EXPECT_TRUE(IsCloseShortcut("x", "KeyX", true));
    EXPECT_TRUE(IsCloseShortcut("x", "KeyS", true)) << "the key that types x on a Dvorak layout";
    EXPECT_FALSE(IsCloseShortcut("s", "KeyX", true)) << "...not the key in the x place";
    EXPECT_TRUE(IsCloseShortcut("≈", "KeyX", true)) << "a Mac's Option changes the character";
    EXPECT_FALSE(IsCloseShortcut("x", "KeyX", false));
    EXPECT_TRUE(IsFullScreenShortcut("Enter", true));
    EXPECT_TRUE(IsFullScreenShortcut("NumpadEnter", true));
    EXPECT_FALSE(IsFullScreenShortcut("Enter", false));

    EXPECT_TRUE(BrowserKeepsKey("F5", false, false, false));
    EXPECT_TRUE(BrowserKeepsKey("F12", false, false, false));
    EXPECT_TRUE(BrowserKeepsKey("KeyR", true, false, false));
    EXPECT_TRUE(BrowserKeepsKey("KeyR", false, false, true));
    EXPECT_FALSE(BrowserKeepsKey("KeyQ", true, true, false)) << "AltGr+Q types @";
    for (const char* game : {"Backspace", "Space", "Escape", "Tab", "Digit1", "KeyF"})
        EXPECT_FALSE(BrowserKeepsKey(game, false, false, false)) << game;
}

// A pad as the Gamepad API reports it: 17 buttons and 4 axes in the standard layout.
struct FakePad {
    double values[17] = {};
    int pressed[17] = {};
    double axes[4] = {};
    GamepadReading Reading(long index, const char* mapping = "standard") const {
        GamepadReading reading;
        reading.index = index;
        reading.mapping = mapping;
        reading.buttonCount = 17;
        reading.buttonValues = values;
        reading.buttonsPressed = pressed;
        reading.axisCount = 4;
        reading.axes = axes;
        return reading;
    }
    void Set(int button, bool down) {
        pressed[button] = down;
        values[button] = down ? 1.0 : 0.0;
    }
};

TEST(StandardGamepads, StandardPadsGiveTheNeutralButtonsTheirPressesAndOneStick) {
    platform::KeyPresses presses;
    StandardGamepads pads(presses);
    FakePad first, second, unknown;
    first.Set(0, true);    // the bottom button
    first.Set(8, true);    // Back
    second.Set(14, true);  // the D-pad's left
    first.axes[0] = 0.3;
    first.axes[1] = -0.2;
    first.axes[2] = 0.95;  // the right stick steers nothing
    second.axes[0] = -0.8;
    second.axes[1] = 0.1;
    for (int& down : unknown.pressed) down = 1;
    unknown.axes[0] = 1.0;
    const std::vector<GamepadReading> readings{first.Reading(0), second.Reading(3),
                                               unknown.Reading(1, "")};
    pads.Update(readings);
    presses.BeginFrame();

    EXPECT_EQ(pads.Count(), 2) << "a pad of unknown layout means nothing";
    for (PadButton button : {PadButton::A, PadButton::Back, PadButton::Left}) {
        EXPECT_TRUE(pads.Holds(button));
        EXPECT_TRUE(presses.PressedBeforeThisFrame(button));
    }
    for (PadButton button : {PadButton::B, PadButton::X, PadButton::Start, PadButton::Right})
        EXPECT_FALSE(pads.Holds(button));
    EXPECT_FLOAT_EQ(pads.LeftStick().x, -0.8f) << "the left stick tilted furthest steers";
    EXPECT_FLOAT_EQ(pads.LeftStick().y, 0.1f);

    // Held on, nothing is pressed again; let go, nothing is held.
    first.Set(0, false);
    pads.Update(readings);
    presses.BeginFrame();
    EXPECT_FALSE(presses.PressedBeforeThisFrame(PadButton::Back));
    EXPECT_TRUE(pads.Holds(PadButton::Back));
    EXPECT_FALSE(pads.Holds(PadButton::A));

    // The second pad unplugged: its button and stick go with it.
    const std::vector<GamepadReading> left{first.Reading(0)};
    pads.Update(left);
    EXPECT_FALSE(pads.Holds(PadButton::Left));
    EXPECT_FLOAT_EQ(pads.LeftStick().x, 0.3f);
    // Plugged in again, holding its button: a new press.
    pads.Update(readings);
    presses.BeginFrame();
    EXPECT_TRUE(presses.PressedBeforeThisFrame(PadButton::Left));
}

TEST(StandardGamepads, TriggersPressAtHalfTravelAndLetGoBelowAQuarter) {
    platform::KeyPresses presses;
    StandardGamepads pads(presses);
    FakePad pad;
    const std::vector<GamepadReading> readings{pad.Reading(0)};
    const auto pull = [&](double amount) {
        pad.values[7] = amount;  // the right trigger; browsers call it pressed at any pull
        pad.pressed[7] = amount > 0.0;
        pads.Update(readings);
        presses.BeginFrame();
        return pads.Holds(PadButton::RightTrigger);
    };
    EXPECT_FALSE(pull(0.4));
    EXPECT_TRUE(pull(0.6));
    EXPECT_TRUE(presses.PressedBeforeThisFrame(PadButton::RightTrigger));
    EXPECT_TRUE(pull(0.3)) << "a finger resting near the middle does not click again";
    EXPECT_FALSE(presses.PressedBeforeThisFrame(PadButton::RightTrigger));
    EXPECT_FALSE(pull(0.2));
    EXPECT_TRUE(pull(0.55));
    EXPECT_TRUE(presses.PressedBeforeThisFrame(PadButton::RightTrigger));

    // A pad that reports too few buttons or axes gives what it has.
    FakePad few;
    few.Set(1, true);
    GamepadReading small = few.Reading(5);
    small.buttonCount = 2;
    small.axisCount = 1;
    few.axes[0] = 1.0;
    const std::vector<GamepadReading> smallReadings{small};
    pads.Update(smallReadings);
    EXPECT_TRUE(pads.Holds(PadButton::B));
    EXPECT_FLOAT_EQ(pads.LeftStick().x, 0.0f);
}

}  // namespace
