// The keyboard and mouse as the game names them: SDL's scancodes and buttons mapped to the game's
// virtual keys, in one table that both the key state and the key events read.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace platform {

// The virtual key of a key by its place on the keyboard, not the character it types: a key the
// game reads stands where it is whatever the layout (typed text arrives separately). The left
// and right Shift, Control and Alt keys have their own codes. 0 for a key the game has no name
// for.
int VirtualKeyOfScancode(SDL_Scancode code);

// Whether the virtual key is down in a keyboard state as SDL_GetKeyboardState gives it (`count`
// entries indexed by scancode). The generic Shift, Control and Alt are down with either key.
bool VirtualKeyDownIn(const uint8_t* state, int count, int virtualKey);

// The virtual key of a mouse button (SDL_BUTTON_LEFT ...); 0 for other buttons.
int VirtualKeyOfMouseButton(int button);

// Alt+X closes the game: the key that types "x" on the player's layout, with either Alt key.
bool IsCloseShortcut(const SDL_Keysym& key);
// Alt+Enter switches between full screen and a window.
bool IsFullScreenShortcut(const SDL_Keysym& key);

}  // namespace platform
