// The keyboard and mouse as the browser reports them (KeyboardEvent.code and .key,
// MouseEvent.button) mapped to the game's virtual keys.
#pragma once

#include <string>
#include <string_view>

namespace platform::web {

// The virtual key of a key by its place on the keyboard (KeyboardEvent.code, "KeyA", "Digit1",
// "ShiftLeft" ...), not the character it types: the game's keys stay in their places whatever
// the layout, and typed text arrives separately. The left and right Shift, Control and Alt keys
// have their own codes. 0 for a key the game has no name for.
int VirtualKeyOfCode(std::string_view code);

// The virtual key of a mouse button (MouseEvent.button: 0 left, 1 middle, 2 right); 0 for others.
int VirtualKeyOfMouseButton(int button);

// The text a key press types (KeyboardEvent.key), as UTF-8: one character, whatever the layout
// (AltGr and dead keys included, as the browser composed them). Empty for a named key ("Enter",
// "Shift", "Dead" ...) and for a shortcut held with Control or Meta (Control with Alt is AltGr,
// which types).
std::string TypedTextOfKey(std::string_view key, bool ctrl, bool alt, bool meta);

// Alt+X closes the game: the key that types "x" on the player's layout, with either Alt key.
// Where Alt changes the character (a Mac's Option key) the key in the X place counts.
bool IsCloseShortcut(std::string_view key, std::string_view code, bool alt);
// Alt+Enter switches between full screen and the page.
bool IsFullScreenShortcut(std::string_view code, bool alt);
// Keys the browser keeps for itself: the function keys (reload, full screen, developer tools)
// and shortcuts held with Control or Meta. Every other key belongs to the game alone, so that
// Backspace does not go back a page and Space does not scroll it.
bool BrowserKeepsKey(std::string_view code, bool ctrl, bool alt, bool meta);

}  // namespace platform::web
