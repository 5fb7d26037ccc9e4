// Game controllers beside the mouse and keyboard, plugged in and out at any time (SDL's
// game-controller API). They enter the game as the cursor and the virtual keys it already polls:
//  - the left stick moves the cursor: nothing inside a dead zone, then faster the further it is
//    tilted, so a small tilt aims slowly and precisely and a full tilt crosses the screen in
//    about half a second;
//  - A or the right trigger is the left mouse button, X or the left trigger the right button;
//  - in a round the shoulder buttons step to the previous or next weapon the player has, and
//    Back is Escape (on the menu no controller button quits: quitting is the quit button);
//  - while a name is typed, the D-pad, A, B and Start type it arcade style (ArcadeNameEntry).
#pragma once

#include <SDL.h>

#include <array>
#include <string>
#include <vector>

#include "platform/key_presses.h"
#include "platform/platform.h"
#include "platform/sdl/arcade_name_entry.h"

namespace platform {

// How far a stick must be tilted (of 1.0) before the cursor moves.
constexpr float StickDeadZone = 0.2f;
// Cursor speed at full tilt, in game pixels per second.
constexpr float StickTopSpeed = 1600.0f;

struct CursorVelocity {
    float x = 0.0f;
    float y = 0.0f;
};
// The cursor's speed for a stick at (x, y), each axis -1 .. 1: zero inside the dead zone, then
// growing with the square of the tilt beyond it, in the stick's direction.
CursorVelocity StickVelocity(float x, float y);

class GameControllers {
  public:
    // Presses go to `presses`, typed letters are appended to `typedText`.
    GameControllers(KeyPresses& presses, std::string& typedText);
    ~GameControllers();
    GameControllers(const GameControllers&) = delete;
    GameControllers& operator=(const GameControllers&) = delete;

    // Starts SDL's controller support; controllers already plugged in announce themselves as
    // added. False when the machine offers none (the game plays on without).
    bool Start();
    void Stop();

    // Takes the controller events (added, removed, buttons, triggers); false for any other.
    bool HandleEvent(const SDL_Event& event);
    void SetContext(const InputContext& context);
    // A frame begins at `now` (ms): the name entry's next step and the D-pad's repeat.
    void BeginFrame(uint32_t now);
    // Whether a held controller button stands for the virtual key.
    bool Holds(int virtualKey) const;
    // How far the sticks moved the cursor since the last call, in game pixels.
    CursorVelocity CursorMotion(uint32_t now);

    int Count() const { return static_cast<int>(pads_.size()); }

  private:
    // Buttons, then the left and the right trigger.
    static constexpr int LeftTrigger = SDL_CONTROLLER_BUTTON_MAX;
    static constexpr int RightTrigger = SDL_CONTROLLER_BUTTON_MAX + 1;
    static constexpr int SourceCount = SDL_CONTROLLER_BUTTON_MAX + 2;

    struct Pad {
        SDL_GameController* handle = nullptr;
        SDL_JoystickID id = -1;
        std::array<bool, SourceCount> down{};
        // The virtual key each held button stands for (0: none), fixed when it went down.
        std::array<int, SourceCount> heldKey{};
    };

    void Added(int deviceIndex);
    void Removed(SDL_JoystickID id);
    Pad* Find(SDL_JoystickID id);
    void SourceChanged(Pad& pad, int source, bool down);
    bool NameEntryButton(int source, uint32_t now);
    int WeaponStepKey(int step) const;

    KeyPresses& presses_;
    std::string& typedText_;
    bool started_ = false;
    std::vector<Pad> pads_;
    InputContext context_;
    ArcadeNameEntry names_;
    int repeatSource_ = -1;
    uint32_t nextRepeat_ = 0;
    uint32_t lastMotion_ = 0;
};

}  // namespace platform
