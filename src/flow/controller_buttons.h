// What a game controller's buttons mean, decided from what the game is doing. The keyboard and
// mouse keep their keys; a controller stands in for them:
//  - A or the right trigger is the left mouse button: it clicks and fires. While a name is typed,
//    A moves the name on instead, and a press made then clicks nothing until A is let go;
//  - X or the left trigger is the right button: it reloads;
//  - in a round, Back is Escape and the shoulder buttons step to the previous or next weapon the
//    player has; on the menu no controller button quits (quitting is the quit button).
// The name itself is typed beside the name entry (presentation/arcade_name_entry.h).
//
// Each of these is read once a frame, by the screen that uses it.
#pragma once

namespace flow {

// A name is being typed into the high-score table.
bool TypingAName();

// The left mouse button, or a controller button that stands for it, is down.
bool LeftButtonDown();
// The right mouse button, or a controller button that stands for it, is down.
bool RightButtonDown();
// Escape, or a controller's Back, is down (in a round).
bool EscapeDownInRound();
// A shoulder button pressed this frame: +1 for the next weapon, -1 for the previous one, 0 for
// none. Holding one steps no further.
int WeaponStepPressed();

}  // namespace flow
