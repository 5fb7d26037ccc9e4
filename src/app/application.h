// The application shell: start-up, the message loop that runs one frame whenever the game is
// active and nothing is waiting, frame-time averaging, the window notifications, and bringing
// every picture back after the display lost its surfaces.
#pragma once

#include <cstdint>
#include <functional>

#include "diag/result_codes.h"
#include "platform/platform.h"

namespace app {

// What the window notifications tell the message loop.
struct ShellState {
    // 1 while the window is neither minimised nor hidden.
    int AppActive = 0;
    // Set when the window comes back after a minimise during a game; consumed by RunFrame.
    bool RestorePending = false;
};

extern ShellState Shell;

// What the command line decides for one run, beside the options file.
struct RunSettings {
    bool panorama = false;  // the whole hunting ground, whatever the options file says
};

// The program's exit codes. A launcher, a desktop session or a script must be able to tell a game
// that never ran from one that was closed.
enum ExitCode : int {
    ExitClosed = 0,         // closed by the player: Alt+X, Escape on the menu, quit, the window
    ExitNoWindow = 1,       // no window could be opened (no display)
    ExitNoSound = 2,        // the sound output could not be set up
    ExitNoDisplayMode = 3,  // the 800x600 16-bit picture could not be set up
};

// Start-up up to the display: the window, the sound device, the music thread. E_FAIL when the
// game cannot run; the reason has been shown and `exitCode` (if given) says which it was.
HRESULT InitApplication(int* exitCode = nullptr);
HRESULT InitDisplay();
// One frame tick.
HRESULT RunFrame();
// After the display reported its pictures lost: every picture is loaded again (and the round is
// paused meanwhile). S_FALSE, and nothing happens, when nothing was lost.
HRESULT RestoreSurfaces();
// The window procedure: what each notification does to the game.
void WindowProc(const platform::Event& event);
// Runs until the quit notification; returns its exit code.
int RunMessageLoop();
// The whole program on the installed backend: the game's state as at program start, start-up,
// loop, shutdown. Returns the exit code: the loop's, or the ExitCode of the start-up step that
// failed. `onLoopEnd` runs when the message loop has ended, before anything is shut down.
int GameMain(const RunSettings& settings = {}, const std::function<void()>& onLoopEnd = {});
// Ends what start-up began (the music thread, the sound device, the display) after the loop
// has ended.
void Shutdown();

}  // namespace app
