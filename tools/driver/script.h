// Input scripts for tqdriver: one event per line, "FRAME VERB ARGS"; '#' starts a comment.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace driver {

struct ScriptEntry {
    int frame = 0;
    // move, down, up, click, pad, stick, text, minimize, restore, shot, state, quit
    std::string verb;
    int x = 0;
    int y = 0;
    int key = 0;                                          // virtual-key code for down/up/click
    platform::PadButton button = platform::PadButton::A;  // for pad
    float stickX = 0.0f;                                  // the stick's tilt for stick
    float stickY = 0.0f;
    std::string text;  // the typed text, or the output file of shot/state
};

// Maps a key name (lbutton, rbutton, escape, return, backspace, shift, alt, space, a letter, a
// digit, vk:NN) to its virtual-key code; -1 when unknown.
int KeyCodeFromName(const std::string& name);

// Maps a controller button's name (a b x y back start lb rb lt rt up down left right) to the
// button; nothing when unknown.
std::optional<platform::PadButton> PadButtonFromName(const std::string& name);

// Parses a script. "tap KEY" becomes a down on its frame and an up on the next; "click KEY" is
// a down and an up both before its frame, as a quick click or a touchpad tap arrives, and so is
// "pad BUTTON". "stick X Y" holds the left stick at X, Y (each -1 .. 1) from its frame on. On a
// syntax error returns false with `error` naming the line.
bool ParseScript(const std::string& text, std::vector<ScriptEntry>& entries, std::string& error);

}  // namespace driver
