// Input scripts for tqdriver: one event per line, "FRAME VERB ARGS"; '#' starts a comment.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace driver {

struct ScriptEntry {
    int frame = 0;
    std::string verb;  // move, down, up, click, text, minimize, restore, shot, state, quit
    int x = 0;
    int y = 0;
    int key = 0;       // virtual-key code for down/up/click
    std::string text;  // the typed text, or the output file of shot/state
};

// Maps a key name (lbutton, rbutton, escape, return, backspace, shift, alt, space, a letter, a
// digit, vk:NN) to its virtual-key code; -1 when unknown.
int KeyCodeFromName(const std::string& name);

// Parses a script. "tap KEY" becomes a down on its frame and an up on the next; "click KEY" is
// a down and an up both before its frame, as a quick click or a touchpad tap arrives. On a syntax
// error returns false with `error` naming the line.
bool ParseScript(const std::string& text, std::vector<ScriptEntry>& entries, std::string& error);

}  // namespace driver
