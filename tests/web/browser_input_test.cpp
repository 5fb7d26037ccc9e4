// The browser's keyboard, mouse and gamepads as the game's virtual keys and neutral pad input.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/web/dom_keys.h"
#include "platform/web/standard_gamepad.h"

namespace {

namespace vk = platform::vk;
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

TEST(StandardGamepad, OnlyStandardPadsCountAndTogetherTheyMakeOneFrame) {
    double values[17] = {};
    int pressed[17] = {};
    double axes[4] = {0.3, -0.2, 0.9, 0.9};
    GamepadReading pad;
    pad.mapping = "standard";
    pad.buttonCount = 17;
    pad.buttonValues = values;
    pad.buttonsPressed = pressed;
    pad.axisCount = 4;
    pad.axes = axes;

    pressed[0] = 1;   // A
    values[7] = 0.6;  // the right trigger, pulled part way
    PadFrame frame;
    AddStandardGamepad(frame, pad);

    GamepadReading other = pad;
    double otherAxes[2] = {-0.8, 0.1};
    int otherPressed[17] = {};
    otherPressed[static_cast<int>(PadButton::DPadLeft)] = 1;
    other.buttonsPressed = otherPressed;
    other.axes = otherAxes;
    other.axisCount = 2;
    AddStandardGamepad(frame, other);

    GamepadReading unknown = pad;
    unknown.mapping = "";
    int all[17];
    std::fill(std::begin(all), std::end(all), 1);
    unknown.buttonsPressed = all;
    AddStandardGamepad(frame, unknown);

    EXPECT_EQ(frame.pads, 2);
    EXPECT_TRUE(frame.Down(PadButton::A));
    EXPECT_TRUE(frame.Down(PadButton::DPadLeft));
    EXPECT_FALSE(frame.Down(PadButton::B)) << "a pad of unknown layout means nothing";
    EXPECT_FLOAT_EQ(frame.rightTrigger, 0.6f);
    EXPECT_FLOAT_EQ(frame.leftTrigger, 0.0f);
    EXPECT_FLOAT_EQ(frame.stickX, -0.8f) << "the stick tilted furthest steers";
    EXPECT_FLOAT_EQ(frame.stickY, 0.1f);

    // A pad with fewer buttons and no axes adds what it has.
    PadFrame small;
    GamepadReading few = pad;
    few.buttonCount = 2;
    few.axisCount = 0;
    AddStandardGamepad(small, few);
    EXPECT_TRUE(small.Down(PadButton::A));
    EXPECT_FLOAT_EQ(small.rightTrigger, 0.0f);
    EXPECT_FLOAT_EQ(small.stickX, 0.0f);
}

}  // namespace
