// Game controllers, as SDL's virtual joysticks: plugged in and out at any time, buttons standing
// for the mouse buttons, Escape and the weapon keys, the stick moving the cursor, and a name typed
// arcade style into the same high-score table a keyboard types into.
#include <cmath>
#include <cstring>

#include "persistence/high_scores.h"
#include "platform/sdl/arcade_name_entry.h"
#include "platform/sdl/game_controllers.h"
#include "presentation/name_entry.h"
#include "sdl_fixture.h"
#include "support/temp_dir.h"

namespace {

using Mode = platform::InputContext::Mode;
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
    void Context(Mode mode) {
        platform::InputContext context;
        context.mode = mode;
        backend_.SetInputContext(context);
    }

    SDL_Joystick* joystick_ = nullptr;
};

TEST_F(ControllerTest, ControllersComeAndGoWhileTheGameRuns) {
    Hold(SDL_CONTROLLER_BUTTON_A, true);
    Poll();
    EXPECT_TRUE(backend_.KeyDown(vk::LButton));
    Unplug();
    EXPECT_EQ(backend_.ControllerCount(), 0);
    Poll();
    EXPECT_FALSE(backend_.KeyDown(vk::LButton)) << "a button held as it was unplugged lets go";
    Plug();
    EXPECT_EQ(backend_.ControllerCount(), 1);
}

TEST_F(ControllerTest, ButtonsAndTriggersStandForTheMouseButtons) {
    Context(Mode::Play);
    struct Case {
        const char* what;
        std::function<void(bool)> press;
        int key;
    };
    const Case cases[] = {
        {"A", [&](bool d) { Hold(SDL_CONTROLLER_BUTTON_A, d); }, vk::LButton},
        {"right trigger", [&](bool d) { Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, d ? 32767 : 0); },
         vk::LButton},
        {"X", [&](bool d) { Hold(SDL_CONTROLLER_BUTTON_X, d); }, vk::RButton},
        {"left trigger", [&](bool d) { Trigger(SDL_CONTROLLER_AXIS_TRIGGERLEFT, d ? 32767 : 0); },
         vk::RButton},
    };
    for (const Case& c : cases) {
        c.press(true);
        Poll();
        EXPECT_TRUE(backend_.KeyDown(c.key)) << c.what;
        Poll();
        EXPECT_TRUE(backend_.KeyDown(c.key)) << c.what << " held";
        c.press(false);
        Poll();
        EXPECT_FALSE(backend_.KeyDown(c.key)) << c.what << " released";
        // Pressed and released between two frames: down for that one frame.
        c.press(true);
        SDL_JoystickUpdate();
        c.press(false);
        Poll();
        EXPECT_TRUE(backend_.KeyDown(c.key)) << c.what << " tapped";
        Poll();
        EXPECT_FALSE(backend_.KeyDown(c.key)) << c.what << " tapped, next frame";
    }
    // A trigger resting halfway does not click again and again.
    Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 20000);
    Poll();
    Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 12000);
    Poll();
    EXPECT_TRUE(backend_.KeyDown(vk::LButton)) << "still pressed above a quarter";
    Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 4000);
    Poll();
    EXPECT_FALSE(backend_.KeyDown(vk::LButton));
}

TEST_F(ControllerTest, BackIsEscapeInARoundAndNoButtonQuitsFromTheMenu) {
    Context(Mode::Play);
    Tap(SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_TRUE(backend_.KeyDown(vk::Escape));
    Poll();
    EXPECT_FALSE(backend_.KeyDown(vk::Escape));

    Context(Mode::Menu);
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) {
        const auto button = static_cast<SDL_GameControllerButton>(b);
        Hold(button, true);
        SDL_JoystickUpdate();
        Hold(button, false);
        for (const auto& event : Poll()) {
            EXPECT_NE(event.type, platform::EventType::Close)
                << SDL_GameControllerGetStringForButton(button);
        }
        EXPECT_FALSE(backend_.KeyDown(vk::Escape)) << SDL_GameControllerGetStringForButton(button);
    }
}

TEST_F(ControllerTest, ShoulderButtonsStepThroughTheWeaponsThePlayerHas) {
    platform::InputContext context;
    context.mode = Mode::Play;
    context.weaponKeys = {'1', '2', '4'};
    context.weaponCount = 3;
    auto stepFrom = [&](int inHand, SDL_GameControllerButton shoulder) {
        context.weaponInHand = inHand;
        backend_.SetInputContext(context);
        Tap(shoulder);
        int selected = 0;
        for (int key = '1'; key <= '4'; ++key) {
            if (backend_.KeyDown(key)) {
                EXPECT_EQ(selected, 0) << "one weapon key at a time";
                selected = key;
            }
        }
        Poll();
        EXPECT_FALSE(backend_.KeyDown(selected)) << "pressed for one frame";
        return selected;
    };
    EXPECT_EQ(stepFrom('1', SDL_CONTROLLER_BUTTON_RIGHTSHOULDER), '2');
    EXPECT_EQ(stepFrom('2', SDL_CONTROLLER_BUTTON_RIGHTSHOULDER), '4') << "3 is not had";
    EXPECT_EQ(stepFrom('4', SDL_CONTROLLER_BUTTON_RIGHTSHOULDER), '1') << "round again";
    EXPECT_EQ(stepFrom('1', SDL_CONTROLLER_BUTTON_LEFTSHOULDER), '4');
    EXPECT_EQ(stepFrom('4', SDL_CONTROLLER_BUTTON_LEFTSHOULDER), '2');
}

TEST(StickVelocity, NothingInTheDeadZoneThenFasterWithTheTilt) {
    EXPECT_EQ(platform::StickVelocity(0.15f, 0.1f).x, 0.0f);
    EXPECT_EQ(platform::StickVelocity(0.0f, -0.19f).y, 0.0f);
    const float small = platform::StickVelocity(0.3f, 0.0f).x;
    const float half = platform::StickVelocity(0.6f, 0.0f).x;
    const float full = platform::StickVelocity(1.0f, 0.0f).x;
    EXPECT_GT(small, 0.0f);
    EXPECT_LT(small, 40.0f) << "a small tilt aims slowly";
    EXPECT_GT(half, 4 * small) << "the speed grows faster than the tilt";
    EXPECT_GE(full, 1400.0f) << "full tilt crosses 800 pixels in well under a second";
    EXPECT_FLOAT_EQ(platform::StickVelocity(-1.0f, 0.0f).x, -full);
    const platform::CursorVelocity diagonal = platform::StickVelocity(0.8f, -0.8f);
    EXPECT_FLOAT_EQ(diagonal.x, -diagonal.y);
    EXPECT_NEAR(std::hypot(diagonal.x, diagonal.y), full, 1.0f) << "no faster along a diagonal";
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

// The steps a name entry hands out, one per frame, as text: letters as typed, "<" for Backspace
// and "!" for Return.
std::string Steps(platform::ArcadeNameEntry& entry) {
    std::string out;
    while (entry.Waiting()) {
        const auto step = entry.NextStep();
        if (step.key == vk::Back) out += "<";
        if (step.key == vk::Return) out += "!";
        out += step.text;
        out += "|";
    }
    return out;
}

TEST(ArcadeNameEntry, LettersAreChangedDeletedAndFinishedOneStepPerFrame) {
    using B = platform::ArcadeNameEntry::Button;
    platform::ArcadeNameEntry entry;
    entry.Press(B::Up);
    EXPECT_EQ(Steps(entry), "A|") << "an empty place shows A first";
    entry.Press(B::Up);
    EXPECT_EQ(Steps(entry), "<|B|") << "deleted in one frame, the next letter in the next";
    entry.Press(B::Up);
    entry.Press(B::Up);
    EXPECT_EQ(Steps(entry), "<|D|") << "a letter not typed yet simply changes";
    for (int i = 0; i < 5; ++i) entry.Press(B::Down);
    EXPECT_EQ(Steps(entry), "<|-|") << "below A the row goes on from its end: space, dash";
    entry.Press(B::Next);
    entry.Press(B::Up);
    EXPECT_EQ(Steps(entry), "-|") << "the next place starts with the letter last chosen";
    entry.Press(B::Up);
    entry.Press(B::Delete);
    EXPECT_EQ(Steps(entry), "<|") << "the letter under the cursor goes";
    entry.Press(B::Delete);
    EXPECT_EQ(Steps(entry), "<|") << "then the one before it";
    entry.Press(B::Up);
    entry.Press(B::Up);
    entry.Press(B::Done);
    EXPECT_EQ(Steps(entry), "A|!|") << "past the row's end to A; done after the last letter";
    entry.Press(B::Next);
    entry.Press(B::Delete);
    entry.Reset();
    EXPECT_FALSE(entry.Waiting());
    entry.Press(B::Down);
    EXPECT_EQ(Steps(entry), "A|") << "a new name starts at A again";
}

TEST_F(ControllerTest, ANameIsTypedWithTheControllerAloneIntoTheSameTable) {
    testing_support::TempDir dir;
    persistence::HighScoreTable table{};
    table.scores[0] = 4321;
    table.editing = 1;
    table.editIndex = 0;
    presentation::NameEntryKeys keys;
    Context(Mode::NameEntry);
    auto frame = [&] {
        Poll();
        presentation::NameEntryFrame(table, keys, dir / "score.dat");
    };
    auto press = [&](SDL_GameControllerButton button) {
        Hold(button, true);
        frame();
        Hold(button, false);
        frame();
        frame();
    };
    press(SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_STREQ(table.names[0], "A");
    press(SDL_CONTROLLER_BUTTON_DPAD_UP);
    press(SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_STREQ(table.names[0], "C");
    press(SDL_CONTROLLER_BUTTON_A);
    press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_STREQ(table.names[0], "CC");
    press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_STREQ(table.names[0], "CB");
    EXPECT_FALSE(backend_.KeyDown(vk::LButton)) << "A typed: it clicks nothing";
    press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    press(SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_STREQ(table.names[0], "CBB");
    press(SDL_CONTROLLER_BUTTON_B);
    EXPECT_STREQ(table.names[0], "CB");
    press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    EXPECT_STREQ(table.names[0], "C");

    // Held, the letters step on by themselves.
    Hold(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    frame();
    for (int i = 0; i < 60; ++i) {
        SDL_Delay(10);
        frame();
    }
    Hold(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    frame();
    frame();
    ASSERT_EQ(std::strlen(table.names[0]), 2u);
    EXPECT_GT(table.names[0][1], 'B') << "held past the repeat delay: " << table.names[0];

    press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(table.editing, 0);
    EXPECT_EQ(table.editIndex, -1);
    persistence::HighScoreTable stored{};
    persistence::LoadHighScores(stored, dir / "score.dat");
    EXPECT_STREQ(stored.names[0], table.names[0]) << "saved as a typed name is";
    EXPECT_EQ(stored.scores[0], 4321);
}

}  // namespace
