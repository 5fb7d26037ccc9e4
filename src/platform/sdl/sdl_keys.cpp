#include "platform/sdl/sdl_keys.h"

#include <array>

#include "platform/key_presses.h"
#include "platform/platform.h"

namespace platform {

int VirtualKeyOfScancode(SDL_Scancode code) {
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z) return 'A' + (code - SDL_SCANCODE_A);
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9) return '1' + (code - SDL_SCANCODE_1);
    switch (code) {
        case SDL_SCANCODE_0:
            return '0';
        case SDL_SCANCODE_BACKSPACE:
            return vk::Back;
        case SDL_SCANCODE_TAB:
            return vk::Tab;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER:
            return vk::Return;
        case SDL_SCANCODE_ESCAPE:
            return vk::Escape;
        case SDL_SCANCODE_SPACE:
            return vk::Space;
        case SDL_SCANCODE_LEFT:
            return vk::Left;
        case SDL_SCANCODE_UP:
            return vk::Up;
        case SDL_SCANCODE_RIGHT:
            return vk::Right;
        case SDL_SCANCODE_DOWN:
            return vk::Down;
        case SDL_SCANCODE_LSHIFT:
            return vk::LShift;
        case SDL_SCANCODE_RSHIFT:
            return vk::RShift;
        case SDL_SCANCODE_LCTRL:
            return vk::LControl;
        case SDL_SCANCODE_RCTRL:
            return vk::RControl;
        case SDL_SCANCODE_LALT:
            return vk::LMenu;
        case SDL_SCANCODE_RALT:
            return vk::RMenu;
        case SDL_SCANCODE_LEFTBRACKET:
            return vk::Oem1;  // ü on a German keyboard
        case SDL_SCANCODE_SEMICOLON:
            return vk::Oem3;  // ö
        case SDL_SCANCODE_MINUS:
            return vk::Oem4;  // ß
        case SDL_SCANCODE_APOSTROPHE:
            return vk::Oem7;  // ä
        case SDL_SCANCODE_SLASH:
            return vk::OemMinus;  // -
        default:
            return 0;
    }
}

namespace {

// The scancodes of each virtual key (at most two: Return and the keypad's Enter), read off the
// table above once.
using ScancodesOfKey = std::array<std::array<SDL_Scancode, 2>, vk::Count>;

const ScancodesOfKey& ScancodesByKey() {
    static const ScancodesOfKey table = [] {
        ScancodesOfKey t{};
        for (auto& codes : t) codes.fill(SDL_SCANCODE_UNKNOWN);
        for (int code = 0; code < SDL_NUM_SCANCODES; ++code) {
            const int key = VirtualKeyOfScancode(static_cast<SDL_Scancode>(code));
            if (key <= 0) continue;
            auto& codes = t[static_cast<size_t>(key)];
            auto& slot = codes[0] == SDL_SCANCODE_UNKNOWN ? codes[0] : codes[1];
            slot = static_cast<SDL_Scancode>(code);
        }
        return t;
    }();
    return table;
}

bool OwnKeyDown(const uint8_t* state, int count, int virtualKey) {
    for (SDL_Scancode code : ScancodesByKey()[static_cast<size_t>(virtualKey)]) {
        if (code != SDL_SCANCODE_UNKNOWN && code < count && state[code]) return true;
    }
    return false;
}

}  // namespace

bool VirtualKeyDownIn(const uint8_t* state, int count, int virtualKey) {
    if (!state) return false;
    return VirtualKeyDownBy(virtualKey, [&](int key) { return OwnKeyDown(state, count, key); });
}

int VirtualKeyOfMouseButton(int button) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return vk::LButton;
        case SDL_BUTTON_RIGHT:
            return vk::RButton;
        case SDL_BUTTON_MIDDLE:
            return vk::MButton;
        default:
            return 0;
    }
}

bool IsCloseShortcut(const SDL_Keysym& key) {
    return (key.mod & KMOD_ALT) && key.sym == SDLK_x;
}

bool IsFullScreenShortcut(const SDL_Keysym& key) {
    return (key.mod & KMOD_ALT) &&
           (key.scancode == SDL_SCANCODE_RETURN || key.scancode == SDL_SCANCODE_KP_ENTER);
}

}  // namespace platform
