// The one seam between the game and the machine it runs on.
//
// Everything the game needs from the machine (clock, polled keys, mouse and game controllers,
// cursor warp, whether typed text is wanted, message boxes, debugger output, presenting a
// finished frame, window notifications, sound output) is reached through the free functions
// below. They forward to the installed Backend: the SDL2 backend for the real game, the headless
// backend for tests, the driver, benchmarks and fuzzers. Game code never includes an SDL header.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// Virtual-key codes: the game's own names for keys and buttons.
namespace vk {
constexpr int LButton = 0x01;
constexpr int RButton = 0x02;
constexpr int MButton = 0x04;
constexpr int Back = 0x08;
constexpr int Tab = 0x09;
constexpr int Return = 0x0D;
constexpr int Shift = 0x10;
constexpr int Control = 0x11;
constexpr int Menu = 0x12;  // Alt
constexpr int Escape = 0x1B;
constexpr int Space = 0x20;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
// '0'..'9' are 0x30..0x39 and 'A'..'Z' are 0x41..0x5A, as their ASCII codes.
constexpr int LShift = 0xA0;
constexpr int RShift = 0xA1;
constexpr int LControl = 0xA2;
constexpr int RControl = 0xA3;
constexpr int LMenu = 0xA4;
constexpr int RMenu = 0xA5;
constexpr int Oem1 = 0xBA;      // ü on a German keyboard
constexpr int OemMinus = 0xBD;  // -
constexpr int Oem3 = 0xC0;      // ö
constexpr int Oem4 = 0xDB;      // ß
constexpr int Oem7 = 0xDE;      // ä
constexpr int Count = 256;
}  // namespace vk

struct Point {
    int x = 0;
    int y = 0;
};

// Window notifications, standing in for the messages the window procedure handled.
enum class EventType {
    Size,   // `sizeKind` says minimised, restored, maximise-hide
    Move,   // the client area moved to (x, y); (0, 0) when a full-screen window comes back
    Close,  // a close request (system close, Alt+X, or PostClose)
    Quit,   // the message loop ends with `code`
};

enum class SizeKind { Restored = 0, Minimized = 1, Maximized = 2, MaxShow = 3, MaxHide = 4 };

struct Event {
    EventType type = EventType::Quit;
    SizeKind sizeKind = SizeKind::Restored;
    int x = 0;
    int y = 0;
    int code = 0;
};

// A game controller's buttons, named for where they sit on a common pad: A, B, X and Y the four
// on the right (A the lowest, B the right one), Back and Start in the middle, the shoulder buttons
// and the triggers on top, and the four directions of the D-pad. A trigger counts as a button,
// down while pulled past its press point (platform/pad_model.h). The platform reports them; what
// they mean is the game's business.
enum class PadButton {
    A,
    B,
    X,
    Y,
    Back,
    Start,
    LeftShoulder,
    RightShoulder,
    LeftTrigger,
    RightTrigger,
    Up,
    Down,
    Left,
    Right,
};
constexpr int PadButtonCount = static_cast<int>(PadButton::Right) + 1;

// What presenting a frame can report besides success.
enum class PresentResult { Ok, Lost, Failed };

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;

// A tick count taken to mean "never": a time that is not scheduled.
constexpr uint32_t NotScheduled = 0xFFFFFFFFu;

// Pulls `frames` stereo 16-bit frames of mixed sound into `out` (interleaved L, R).
using AudioPull = std::function<void(int16_t* out, int frames)>;

// The interface every backend implements.
class Backend {
  public:
    virtual ~Backend() = default;

    // Milliseconds since an arbitrary start, wrapping at 2^32; every clock of the game reads it.
    virtual uint32_t Ticks() = 0;

    // Polled input, read once a frame: `KeyDown` says whether the key (a virtual-key code) is down
    // now, or went down since the previous frame: a press released again before the frame (a
    // quick click, a touchpad tap) reads down for that one frame. The game finds press and
    // release edges itself with latches.
    virtual bool KeyDown(int virtualKey) = 0;
    virtual Point CursorPos() = 0;
    virtual void WarpCursor(int x, int y) = 0;
    // Whether a button of any game controller is down now, or went down since the previous frame
    // (latched as `KeyDown` is). Controllers come and go; a button of one unplugged is up. The
    // left stick is no button: the backend moves the cursor with it (platform/pad_model.h), so
    // the game reads it as `CursorPos`.
    virtual bool PadDown(PadButton button) = 0;
    // Text typed since the last call, as UTF-8, whatever the keyboard layout.
    virtual std::string TakeTypedText() = 0;
    // Whether the game wants typed text now. The game says so once a frame; a backend acts when
    // the wish changes, say by raising or lowering an on-screen keyboard. Text may arrive while it
    // is not wanted; the game takes and drops it.
    virtual void SetTextInputWanted(bool wanted) = 0;

    // Notifications. `PollEvent` never blocks; `WaitEvent` blocks until one arrives. A poll that
    // finds nothing waiting comes right before a frame (or a wait): the input that arrived until
    // then is what the next frame reads.
    virtual bool PollEvent(Event& event) = 0;
    virtual void WaitEvent() = 0;
    // Queues a Close notification: the window closes as if the player had closed it.
    virtual void PostClose() = 0;
    // Queues the Quit notification that ends the message loop.
    virtual void PostQuit(int code) = 0;

    // Window and frame presentation. `OpenWindow` creates the one game window and queues the
    // notifications that showing it produces; false when no window can be had.
    virtual bool OpenWindow(const char* title) = 0;
    virtual void CloseWindow() = 0;
    // Hands a finished 800x600 RGB565 frame to the screen. `pitch` counts pixels.
    virtual PresentResult Present(const uint16_t* pixels, int pitch) = 0;

    // Modal message box; also written to standard error by every backend.
    virtual void ShowMessageBox(const char* text, const char* caption, bool error) = 0;
    virtual void DebugOutput(const char* text) = 0;

    // Sound output: the backend calls `pull` from its own audio thread (SDL) or when asked
    // (headless). False when no output can be opened.
    virtual bool OpenAudio(int sampleRate, AudioPull pull) = 0;
    virtual void CloseAudio() = 0;
};

// Installs the backend the free functions forward to; the caller keeps ownership.
void SetBackend(Backend* backend);
Backend* CurrentBackend();

uint32_t Ticks();
bool KeyDown(int virtualKey);
Point CursorPos();
void WarpCursor(int x, int y);
bool PadDown(PadButton button);
std::string TakeTypedText();
void SetTextInputWanted(bool wanted);
bool PollEvent(Event& event);
void WaitEvent();
void PostClose();
void PostQuit(int code);
PresentResult Present(const uint16_t* pixels, int pitch);
void ShowMessageBox(const char* text, const char* caption, bool error);
void DebugOutput(const char* text);
bool OpenAudio(int sampleRate, AudioPull pull);
void CloseAudio();

}  // namespace platform
