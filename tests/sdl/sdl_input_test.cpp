// The SDL backend's keyboard, mouse and window: the keys the game polls, presses that come and go
// between two frames, Alt+X on any layout, and the window notifications the game receives.
#include <array>

#include "app/application.h"
#include "app/game_reset.h"
#include "gamestate/game_state.h"
#include "gamestate/pause.h"
#include "platform/sdl/sdl_keys.h"
#include "sdl_fixture.h"

namespace {

using platform::EventType;
using platform::SizeKind;
namespace vk = platform::vk;
using sdl_testing::SdlBackendTest;

TEST(SdlKeys, KeysMapToTheGamesVirtualKeysByTheirPlace) {
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(platform::VirtualKeyOfScancode(static_cast<SDL_Scancode>(SDL_SCANCODE_1 + i)),
                  '1' + i);
    EXPECT_EQ(platform::VirtualKeyOfScancode(SDL_SCANCODE_0), '0');
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(platform::VirtualKeyOfScancode(static_cast<SDL_Scancode>(SDL_SCANCODE_A + i)),
                  'A' + i);
    const std::array<std::pair<SDL_Scancode, int>, 17> named = {{
        {SDL_SCANCODE_ESCAPE, vk::Escape},
        {SDL_SCANCODE_RETURN, vk::Return},
        {SDL_SCANCODE_KP_ENTER, vk::Return},
        {SDL_SCANCODE_BACKSPACE, vk::Back},
        {SDL_SCANCODE_SPACE, vk::Space},
        {SDL_SCANCODE_TAB, vk::Tab},
        {SDL_SCANCODE_LSHIFT, vk::LShift},
        {SDL_SCANCODE_RSHIFT, vk::RShift},
        {SDL_SCANCODE_LALT, vk::LMenu},
        {SDL_SCANCODE_LCTRL, vk::LControl},
        {SDL_SCANCODE_LEFT, vk::Left},
        {SDL_SCANCODE_DOWN, vk::Down},
        {SDL_SCANCODE_APOSTROPHE, vk::Oem7},   // ä on a German keyboard
        {SDL_SCANCODE_SEMICOLON, vk::Oem3},    // ö
        {SDL_SCANCODE_LEFTBRACKET, vk::Oem1},  // ü
        {SDL_SCANCODE_MINUS, vk::Oem4},        // ß
        {SDL_SCANCODE_SLASH, vk::OemMinus},    // -
    }};
    for (const auto& [code, key] : named)
        EXPECT_EQ(platform::VirtualKeyOfScancode(code), key) << SDL_GetScancodeName(code);
    EXPECT_EQ(platform::VirtualKeyOfScancode(SDL_SCANCODE_F1), 0);
    EXPECT_EQ(platform::VirtualKeyOfMouseButton(SDL_BUTTON_LEFT), vk::LButton);
    EXPECT_EQ(platform::VirtualKeyOfMouseButton(SDL_BUTTON_RIGHT), vk::RButton);
}

TEST(SdlKeys, TheKeyStateIsReadThroughTheSameTable) {
    std::array<uint8_t, SDL_NUM_SCANCODES> state{};
    auto down = [&](int key) {
        return platform::VirtualKeyDownIn(state.data(), SDL_NUM_SCANCODES, key);
    };
    state[SDL_SCANCODE_2] = 1;
    EXPECT_TRUE(down('2'));
    EXPECT_FALSE(down('1'));
    EXPECT_FALSE(down('3'));
    state[SDL_SCANCODE_2] = 0;
    state[SDL_SCANCODE_KP_ENTER] = 1;
    EXPECT_TRUE(down(vk::Return)) << "the keypad's Enter is Return too";
    state[SDL_SCANCODE_RSHIFT] = 1;
    EXPECT_TRUE(down(vk::Shift));
    EXPECT_TRUE(down(vk::RShift));
    EXPECT_FALSE(down(vk::LShift));
    EXPECT_FALSE(down(vk::Menu));
    EXPECT_FALSE(platform::VirtualKeyDownIn(state.data(), SDL_SCANCODE_KP_ENTER, vk::Return))
        << "never read past the state's end";
}

TEST_F(SdlBackendTest, AKeyTappedBetweenTwoFramesReadsDownForOneFrame) {
    for (int i = 0; i < 4; ++i) {
        const auto code = static_cast<SDL_Scancode>(SDL_SCANCODE_1 + i);
        Push(Key(SDL_KEYDOWN, code));
        Push(Key(SDL_KEYUP, code));
        Poll();
        for (int key = '0'; key <= '9'; ++key)
            EXPECT_EQ(backend_.KeyDown(key), key == '1' + i) << char(key) << " after " << i + 1;
        EXPECT_TRUE(backend_.KeyDown('1' + i)) << "read twice in one frame, still down";
        Poll();
        EXPECT_FALSE(backend_.KeyDown('1' + i)) << "the next frame sees it up";
    }
    Push(Key(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE));
    Push(Key(SDL_KEYUP, SDL_SCANCODE_ESCAPE));
    Push(Key(SDL_KEYDOWN, SDL_SCANCODE_KP_ENTER));
    Push(Key(SDL_KEYUP, SDL_SCANCODE_KP_ENTER));
    Poll();
    EXPECT_TRUE(backend_.KeyDown(vk::Escape));
    EXPECT_TRUE(backend_.KeyDown(vk::Return));
    Poll();
    EXPECT_FALSE(backend_.KeyDown(vk::Escape));
    EXPECT_FALSE(backend_.KeyDown(vk::Return));
}

TEST_F(SdlBackendTest, AQuickClickReadsDownForOneFrame) {
    for (auto [button, key] :
         {std::pair{SDL_BUTTON_LEFT, vk::LButton}, std::pair{SDL_BUTTON_RIGHT, vk::RButton}}) {
        SDL_Event event{};
        event.type = SDL_MOUSEBUTTONDOWN;
        event.button.button = static_cast<uint8_t>(button);
        event.button.state = SDL_PRESSED;
        Push(event);
        event.type = SDL_MOUSEBUTTONUP;
        event.button.state = SDL_RELEASED;
        Push(event);
        Poll();
        EXPECT_TRUE(backend_.KeyDown(key));
        EXPECT_FALSE(backend_.KeyDown(key == vk::LButton ? vk::RButton : vk::LButton));
        Poll();
        EXPECT_FALSE(backend_.KeyDown(key));
    }
}

TEST_F(SdlBackendTest, AltXClosesByTheKeyThatTypesXOnEveryLayout) {
    // On a Dvorak layout "x" sits where QWERTY has "b", and the QWERTY "x" key types "q".
    Push(Key(SDL_KEYDOWN, SDL_SCANCODE_X, SDLK_q, KMOD_LALT));
    EXPECT_TRUE(Poll().empty()) << "Alt with the key that types q";
    Push(Key(SDL_KEYDOWN, SDL_SCANCODE_B, SDLK_x));
    EXPECT_TRUE(Poll().empty()) << "x without Alt";
    Push(Key(SDL_KEYDOWN, SDL_SCANCODE_B, SDLK_x, KMOD_LALT));
    auto events = Poll();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, EventType::Close);
    Push(Key(SDL_KEYDOWN, SDL_SCANCODE_X, SDLK_x, KMOD_RALT));
    events = Poll();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, EventType::Close);
}

TEST_F(SdlBackendTest, WindowEventsBecomeTheGamesNotifications) {
    Push(Window(SDL_WINDOWEVENT_FOCUS_LOST));
    EXPECT_TRUE(Poll().empty()) << "a focus never had is not lost";

    auto expectRestored = [&](const char* what) {
        const auto events = Poll();
        ASSERT_EQ(events.size(), 2u) << what;
        EXPECT_EQ(events[0].type, EventType::Size) << what;
        EXPECT_EQ(events[0].sizeKind, SizeKind::Restored) << what;
        EXPECT_EQ(events[1].type, EventType::Move) << what;
        EXPECT_EQ(events[1].x, 0);
        EXPECT_EQ(events[1].y, 0);
    };
    auto expectMinimised = [&](const char* what) {
        const auto events = Poll();
        ASSERT_EQ(events.size(), 1u) << what;
        EXPECT_EQ(events[0].type, EventType::Size) << what;
        EXPECT_EQ(events[0].sizeKind, SizeKind::Minimized) << what;
    };
    Push(Window(SDL_WINDOWEVENT_FOCUS_GAINED));
    expectRestored("focus gained");
    Push(Window(SDL_WINDOWEVENT_FOCUS_LOST));
    expectMinimised("focus lost");
    Push(Window(SDL_WINDOWEVENT_MINIMIZED));
    expectMinimised("minimised");
    Push(Window(SDL_WINDOWEVENT_RESTORED));
    expectRestored("restored");

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    Push(quit);
    const auto events = Poll();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, EventType::Close) << "the window's close button";
}

TEST_F(SdlBackendTest, FocusLostThenMinimisedKeepsOnePauseFromTheFirst) {
    app::ResetGame();
    gamestate::Game.GameScreen = gamestate::GamePlayScreen;
    Push(Window(SDL_WINDOWEVENT_FOCUS_GAINED));
    for (const auto& event : Poll()) app::WindowProc(event);
    Push(Window(SDL_WINDOWEVENT_FOCUS_LOST));
    for (const auto& event : Poll()) app::WindowProc(event);
    ASSERT_TRUE(gamestate::Pause.Pausing);
    const uint32_t pausedAt = gamestate::Pause.PauseStart;
    SDL_Delay(30);
    Push(Window(SDL_WINDOWEVENT_MINIMIZED));
    for (const auto& event : Poll()) app::WindowProc(event);
    EXPECT_EQ(gamestate::Pause.PauseStart, pausedAt);
    EXPECT_EQ(app::Shell.AppActive, 0);
    app::ResetGame();
}

}  // namespace
