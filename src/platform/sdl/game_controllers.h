// Game controllers beside the mouse and keyboard, plugged in and out at any time (SDL's
// game-controller API). SDL maps each pad's raw buttons onto a common layout; this turns that
// layout into the platform's neutral pad buttons, the triggers into buttons and the left sticks
// into one tilt (platform/pad_model.h). What a button means is the game's business.
#pragma once

#include <SDL.h>

#include <array>
#include <vector>

#include "platform/key_presses.h"
#include "platform/pad_model.h"
#include "platform/platform.h"

namespace platform {

class GameControllers {
  public:
    // Presses go to `presses`.
    explicit GameControllers(KeyPresses& presses);
    ~GameControllers();
    GameControllers(const GameControllers&) = delete;
    GameControllers& operator=(const GameControllers&) = delete;

    // Starts SDL's controller support; controllers already plugged in announce themselves as
    // added. False when the machine offers none (the game plays on without).
    bool Start();
    void Stop();

    // Takes the controller events (added, removed, buttons, triggers); false for any other.
    bool HandleEvent(const SDL_Event& event);
    // Whether a controller holds the button down.
    bool Holds(PadButton button) const;
    // The left stick tilted furthest of all controllers.
    StickVector LeftStick() const;

    int Count() const { return static_cast<int>(pads_.size()); }

  private:
    struct Pad {
        SDL_GameController* handle = nullptr;
        SDL_JoystickID id = -1;
        std::array<bool, PadButtonCount> down{};
    };

    void Added(int deviceIndex);
    void Removed(SDL_JoystickID id);
    Pad* Find(SDL_JoystickID id);
    void ButtonChanged(Pad& pad, PadButton button, bool down);

    KeyPresses& presses_;
    bool started_ = false;
    std::vector<Pad> pads_;
};

}  // namespace platform
