// Game controllers, as SDL's virtual joysticks: plugged in and out at any time, their buttons and
// triggers reported as the platform's pad buttons, the stick moving the cursor.
#include <functional>

#include "sdl_fixture.h"

namespace {

using platform::PadButton;
namespace vk = platform::vk;

class ControllerTest : public sdl_testing::SdlBackendTest {
  protected:
    void SetUp() override {
        SdlBackendTest::SetUp();
        Plug();
        ASSERT_EQ(backend_.ControllerCount(), 1);
    }
    void TearDown() override {
        Unplug();
        SdlBackendTest::TearDown();
    }
    void Plug() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
        desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
        desc.name = "Virtual pad";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(index, 0) << SDL_GetError();
        joystick_ = SDL_JoystickOpen(index);
        ASSERT_NE(joystick_, nullptr) << SDL_GetError();
        Poll();
    }
    void Unplug() {
        if (!joystick_) return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
        SDL_JoystickClose(joystick_);
        joystick_ = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
        }
        Poll();
    }
    void Hold(SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(joystick_, button, down ? SDL_PRESSED : SDL_RELEASED);
    }
    void Axis(SDL_GameControllerAxis axis, int value) {
        SDL_JoystickSetVirtualAxis(joystick_, axis, static_cast<int16_t>(value));
    }
    // A trigger pulled to `value` of 0 .. 32767; the virtual joystick's axis rests at -32768.
    void Trigger(SDL_GameControllerAxis axis, int value) { Axis(axis, value * 2 - 32767); }
    // Down and up again before the next frame.
    void Tap(SDL_GameControllerButton button) {
        Hold(button, true);
        SDL_JoystickUpdate();
        Hold(button, false);
        Poll();
    }
    SDL_Joystick* joystick_ = nullptr;
};

TEST_F(ControllerTest, ControllersComeAndGoWhileTheGameRuns) {
    Hold(SDL_CONTROLLER_BUTTON_A, true);
    Poll();
    EXPECT_TRUE(backend_.PadDown(PadButton::A));
    Unplug();
    EXPECT_EQ(backend_.ControllerCount(), 0);
    Poll();
    EXPECT_FALSE(backend_.PadDown(PadButton::A)) << "a button held as it was unplugged lets go";
    Plug();
    EXPECT_EQ(backend_.ControllerCount(), 1);
}

TEST_F(ControllerTest, ButtonsAndTriggersAreReportedAsPadButtons) {
    struct Case {
        const char* what;
        std::function<void(bool)> press;
        PadButton button;
    };
    auto button = [this](SDL_GameControllerButton b) { return [this, b](bool d) { Hold(b, d); }; };
    auto trigger = [this](SDL_GameControllerAxis a) {
        return [this, a](bool d) { Trigger(a, d ? 32767 : 0); };
    };
    const Case cases[] = {
        {"A", button(SDL_CONTROLLER_BUTTON_A), PadButton::A},
        {"B", button(SDL_CONTROLLER_BUTTON_B), PadButton::B},
        {"X", button(SDL_CONTROLLER_BUTTON_X), PadButton::X},
        {"Y", button(SDL_CONTROLLER_BUTTON_Y), PadButton::Y},
        {"back", button(SDL_CONTROLLER_BUTTON_BACK), PadButton::Back},
        {"start", button(SDL_CONTROLLER_BUTTON_START), PadButton::Start},
        {"left shoulder", button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER), PadButton::LeftShoulder},
        {"right shoulder", button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER), PadButton::RightShoulder},
        {"left trigger", trigger(SDL_CONTROLLER_AXIS_TRIGGERLEFT), PadButton::LeftTrigger},
        {"right trigger", trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT), PadButton::RightTrigger},
        {"up", button(SDL_CONTROLLER_BUTTON_DPAD_UP), PadButton::Up},
        {"down", button(SDL_CONTROLLER_BUTTON_DPAD_DOWN), PadButton::Down},
        {"left", button(SDL_CONTROLLER_BUTTON_DPAD_LEFT), PadButton::Left},
        {"right", button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), PadButton::Right},
    };
    auto onlyDown = [this](PadButton expected) {
        for (int b = 0; b < platform::PadButtonCount; ++b) {
            const auto other = static_cast<PadButton>(b);
            if (other != expected && backend_.PadDown(other)) return false;
        }
        return backend_.PadDown(expected);
    };
    for (const Case& c : cases) {
        c.press(true);
        Poll();
        EXPECT_TRUE(onlyDown(c.button)) << c.what;
        EXPECT_FALSE(backend_.KeyDown(vk::LButton) || backend_.KeyDown(vk::Escape))
            << c.what << ": what a button means is the game's business";
        Poll();
        EXPECT_TRUE(backend_.PadDown(c.button)) << c.what << " held";
        c.press(false);
        Poll();
        EXPECT_FALSE(backend_.PadDown(c.button)) << c.what << " released";
        // Pressed and released between two frames: down for that one frame.
        c.press(true);
        SDL_JoystickUpdate();
        c.press(false);
        Poll();
        EXPECT_TRUE(backend_.PadDown(c.button)) << c.what << " tapped";
        Poll();
        EXPECT_FALSE(backend_.PadDown(c.button)) << c.what << " tapped, next frame";
    }
    // A trigger resting halfway does not click again and again.
    Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 20000);
    Poll();
    Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 12000);
    Poll();
    Poll();
    EXPECT_TRUE(backend_.PadDown(PadButton::RightTrigger)) << "still pressed above a quarter";
    Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 4000);
    Poll();
    EXPECT_FALSE(backend_.PadDown(PadButton::RightTrigger));
}

TEST_F(ControllerTest, TheStickMovesTheCursorAcrossTheScreenInWellUnderASecond) {
    backend_.WarpCursor(400, 300);
    Poll();
    const platform::Point start = backend_.CursorPos();
    ASSERT_EQ(start.x, 400);
    Axis(SDL_CONTROLLER_AXIS_LEFTX, 5000);  // inside the dead zone
    for (int i = 0; i < 10; ++i) {
        SDL_Delay(10);
        Poll();
    }
    EXPECT_EQ(backend_.CursorPos().x, 400);

    Axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    Poll();
    const uint32_t began = SDL_GetTicks();
    while (backend_.CursorPos().x > 0 && SDL_GetTicks() - began < 2000) {
        SDL_Delay(5);
        Poll();
    }
    EXPECT_EQ(backend_.CursorPos().x, 0);
    EXPECT_LT(SDL_GetTicks() - began, 600u) << "half the screen in about a quarter second";
    EXPECT_EQ(backend_.CursorPos().y, 300);

    // Held against the edge, the cursor stays on the screen; then a small tilt aims slowly.
    Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    Axis(SDL_CONTROLLER_AXIS_LEFTY, 32767 * 3 / 10);
    Poll();
    const uint32_t slowBegan = SDL_GetTicks();
    SDL_Delay(300);
    Poll();
    const double seconds = (SDL_GetTicks() - slowBegan) / 1000.0;
    const int moved = backend_.CursorPos().y - 300;
    EXPECT_GE(moved, 1) << "it moves";
    EXPECT_LE(moved, static_cast<int>(60 * seconds) + 1) << "but slowly";
    EXPECT_EQ(backend_.CursorPos().x, 0);
}

TEST_F(ControllerTest, TypedTextIsTakenWhileTheGameWantsIt) {
    backend_.SetTextInputWanted(true);
    EXPECT_TRUE(SDL_IsTextInputActive());
    backend_.SetTextInputWanted(false);
    EXPECT_FALSE(SDL_IsTextInputActive());
}

}  // namespace
