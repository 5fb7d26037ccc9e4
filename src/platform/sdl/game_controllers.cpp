#include "platform/sdl/game_controllers.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace platform {

namespace {

std::optional<PadButton> PadButtonOf(uint8_t sdlButton) {
    switch (sdlButton) {
        case SDL_CONTROLLER_BUTTON_A:
            return PadButton::A;
        case SDL_CONTROLLER_BUTTON_B:
            return PadButton::B;
        case SDL_CONTROLLER_BUTTON_X:
            return PadButton::X;
        case SDL_CONTROLLER_BUTTON_Y:
            return PadButton::Y;
        case SDL_CONTROLLER_BUTTON_BACK:
            return PadButton::Back;
        case SDL_CONTROLLER_BUTTON_START:
            return PadButton::Start;
        case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
            return PadButton::LeftShoulder;
        case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
            return PadButton::RightShoulder;
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return PadButton::Up;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return PadButton::Down;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return PadButton::Left;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return PadButton::Right;
        default:
            return std::nullopt;  // the guide button, the sticks' clicks, paddles: unused
    }
}

float Axis(SDL_GameController* pad, SDL_GameControllerAxis axis) {
    return static_cast<float>(SDL_GameControllerGetAxis(pad, axis)) / 32767.0f;
}

}  // namespace

GameControllers::GameControllers(KeyPresses& presses) : presses_(presses) {}

GameControllers::~GameControllers() {
    Stop();
}

bool GameControllers::Start() {
    if (started_) return true;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "Tannenquirl Rauze: no game controllers: %s\n", SDL_GetError());
        return false;
    }
    started_ = true;
    return true;
}

void GameControllers::Stop() {
    for (Pad& pad : pads_) SDL_GameControllerClose(pad.handle);
    pads_.clear();
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    started_ = false;
}

GameControllers::Pad* GameControllers::Find(SDL_JoystickID id) {
    for (Pad& pad : pads_) {
        if (pad.id == id) return &pad;
    }
    return nullptr;
}

void GameControllers::Added(int deviceIndex) {
    if (!SDL_IsGameController(deviceIndex)) return;
    SDL_GameController* handle = SDL_GameControllerOpen(deviceIndex);
    if (!handle) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(handle));
    if (Find(id)) {
        SDL_GameControllerClose(handle);  // announced twice: keep the first
        return;
    }
    Pad pad;
    pad.handle = handle;
    pad.id = id;
    pads_.push_back(pad);
}

void GameControllers::Removed(SDL_JoystickID id) {
    auto it = std::find_if(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; });
    if (it == pads_.end()) return;
    // Whatever it held is let go with it.
    SDL_GameControllerClose(it->handle);
    pads_.erase(it);
}

void GameControllers::ButtonChanged(Pad& pad, PadButton button, bool down) {
    bool& held = pad.down[static_cast<size_t>(button)];
    if (held == down) return;
    held = down;
    if (down) presses_.Press(button);
}

bool GameControllers::HandleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            Added(event.cdevice.which);
            return true;
        case SDL_CONTROLLERDEVICEREMOVED:
            Removed(event.cdevice.which);
            return true;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            Pad* pad = Find(event.cbutton.which);
            const std::optional<PadButton> button = PadButtonOf(event.cbutton.button);
            if (pad && button) ButtonChanged(*pad, *button, event.type == SDL_CONTROLLERBUTTONDOWN);
            return true;
        }
        case SDL_CONTROLLERAXISMOTION: {
            Pad* pad = Find(event.caxis.which);
            std::optional<PadButton> trigger;
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT)
                trigger = PadButton::LeftTrigger;
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT)
                trigger = PadButton::RightTrigger;
            if (pad && trigger) {
                const bool wasDown = pad->down[static_cast<size_t>(*trigger)];
                const float pull = static_cast<float>(event.caxis.value) / 32767.0f;
                ButtonChanged(*pad, *trigger, TriggerDown(wasDown, pull));
            }
            return true;
        }
        default:
            return false;
    }
}

bool GameControllers::Holds(PadButton button) const {
    for (const Pad& pad : pads_) {
        if (pad.down[static_cast<size_t>(button)]) return true;
    }
    return false;
}

StickVector GameControllers::LeftStick() const {
    StickVector furthest;
    float furthestSquared = 0.0f;
    for (const Pad& pad : pads_) {
        const StickVector tilt{Axis(pad.handle, SDL_CONTROLLER_AXIS_LEFTX),
                               Axis(pad.handle, SDL_CONTROLLER_AXIS_LEFTY)};
        const float squared = tilt.x * tilt.x + tilt.y * tilt.y;
        if (squared > furthestSquared) {
            furthest = tilt;
            furthestSquared = squared;
        }
    }
    return furthest;
}

}  // namespace platform
