#include "platform/sdl/game_controllers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace platform {

namespace {

// A trigger counts as pressed beyond half its travel and as released below a quarter, so that a
// finger resting near the middle does not click again and again.
constexpr int TriggerPress = 16384;
constexpr int TriggerRelease = 8192;
// A held D-pad direction steps the letters again after this long, then at this rate.
constexpr uint32_t RepeatDelayMs = 400;
constexpr uint32_t RepeatIntervalMs = 110;
// Longer gaps between two frames (a stall, a minimised window) move the cursor no further.
constexpr uint32_t LongestMotionStepMs = 100;

float Axis(SDL_GameController* pad, SDL_GameControllerAxis axis) {
    return static_cast<float>(SDL_GameControllerGetAxis(pad, axis)) / 32767.0f;
}

}  // namespace

CursorVelocity StickVelocity(float x, float y) {
    const float tilt = std::sqrt(x * x + y * y);
    if (tilt <= StickDeadZone) return {};
    const float beyond = (std::min(tilt, 1.0f) - StickDeadZone) / (1.0f - StickDeadZone);
    const float speed = StickTopSpeed * beyond * beyond;
    return {x / tilt * speed, y / tilt * speed};
}

GameControllers::GameControllers(KeyPresses& presses, std::string& typedText)
    : presses_(presses), typedText_(typedText) {}

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
    names_.Reset();
    repeatSource_ = -1;
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
    repeatSource_ = -1;
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
        case SDL_CONTROLLERBUTTONUP:
            if (Pad* pad = Find(event.cbutton.which)) {
                if (event.cbutton.button < SDL_CONTROLLER_BUTTON_MAX)
                    SourceChanged(*pad, event.cbutton.button,
                                  event.type == SDL_CONTROLLERBUTTONDOWN);
            }
            return true;
        case SDL_CONTROLLERAXISMOTION:
            if (Pad* pad = Find(event.caxis.which)) {
                int source = -1;
                if (event.caxis.axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT) source = LeftTrigger;
                if (event.caxis.axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT) source = RightTrigger;
                if (source >= 0) {
                    const bool wasDown = pad->down[static_cast<size_t>(source)];
                    if (!wasDown && event.caxis.value >= TriggerPress)
                        SourceChanged(*pad, source, true);
                    if (wasDown && event.caxis.value < TriggerRelease)
                        SourceChanged(*pad, source, false);
                }
            }
            return true;
        default:
            return false;
    }
}

void GameControllers::SetContext(const InputContext& context) {
    if (context.mode != context_.mode) {
        // A name begins or ends: the letters start afresh and nothing half-typed carries over.
        names_.Reset();
        repeatSource_ = -1;
    }
    context_ = context;
}

int GameControllers::WeaponStepKey(int step) const {
    const int count =
        std::clamp(context_.weaponCount, 0, static_cast<int>(context_.weaponKeys.size()));
    if (count == 0) return 0;
    int inHand = -1;
    for (int i = 0; i < count; ++i) {
        if (context_.weaponKeys[static_cast<size_t>(i)] == context_.weaponInHand) inHand = i;
    }
    const int next = inHand < 0 ? (step > 0 ? 0 : count - 1) : (inHand + step + count) % count;
    return context_.weaponKeys[static_cast<size_t>(next)];
}

bool GameControllers::NameEntryButton(int source, uint32_t now) {
    using Button = ArcadeNameEntry::Button;
    Button button;
    switch (source) {
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            button = Button::Up;
            break;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            button = Button::Down;
            break;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        case SDL_CONTROLLER_BUTTON_A:
            button = Button::Next;
            break;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        case SDL_CONTROLLER_BUTTON_B:
            button = Button::Delete;
            break;
        case SDL_CONTROLLER_BUTTON_START:
            button = Button::Done;
            break;
        default:
            return false;
    }
    names_.Press(button);
    if (button == Button::Up || button == Button::Down) {
        repeatSource_ = source;
        nextRepeat_ = now + RepeatDelayMs;
    }
    return true;
}

void GameControllers::SourceChanged(Pad& pad, int source, bool down) {
    const auto index = static_cast<size_t>(source);
    if (pad.down[index] == down) return;
    pad.down[index] = down;
    if (!down) {
        pad.heldKey[index] = 0;
        if (source == repeatSource_) repeatSource_ = -1;
        return;
    }
    if (context_.mode == InputContext::Mode::NameEntry && NameEntryButton(source, SDL_GetTicks()))
        return;
    int key = 0;
    switch (source) {
        case SDL_CONTROLLER_BUTTON_A:
        case RightTrigger:
            key = vk::LButton;
            break;
        case SDL_CONTROLLER_BUTTON_X:
        case LeftTrigger:
            key = vk::RButton;
            break;
        case SDL_CONTROLLER_BUTTON_BACK:
            // Escape on the menu would quit the game: there, Back does nothing.
            if (context_.mode == InputContext::Mode::Play) key = vk::Escape;
            break;
        case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
        case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
            // A weapon key pressed for one frame; holding the shoulder does not step on.
            if (context_.mode == InputContext::Mode::Play) {
                presses_.Press(
                    WeaponStepKey(source == SDL_CONTROLLER_BUTTON_RIGHTSHOULDER ? 1 : -1));
            }
            return;
        default:
            return;
    }
    if (key == 0) return;
    pad.heldKey[index] = key;
    presses_.Press(key);
}

void GameControllers::BeginFrame(uint32_t now) {
    if (repeatSource_ >= 0 && static_cast<int32_t>(now - nextRepeat_) >= 0) {
        names_.Press(repeatSource_ == SDL_CONTROLLER_BUTTON_DPAD_UP
                         ? ArcadeNameEntry::Button::Up
                         : ArcadeNameEntry::Button::Down);
        nextRepeat_ = now + RepeatIntervalMs;
    }
    const ArcadeNameEntry::Step step = names_.NextStep();
    if (step.key) presses_.Press(step.key);
    typedText_.append(step.text);
}

bool GameControllers::Holds(int virtualKey) const {
    for (const Pad& pad : pads_) {
        for (int key : pad.heldKey) {
            if (key == virtualKey) return true;
        }
    }
    return false;
}

CursorVelocity GameControllers::CursorMotion(uint32_t now) {
    const uint32_t elapsed = std::min(now - lastMotion_, LongestMotionStepMs);
    lastMotion_ = now;
    // The most tilted stick of all controllers leads.
    CursorVelocity fastest;
    float fastestSquared = 0.0f;
    for (const Pad& pad : pads_) {
        const CursorVelocity v = StickVelocity(Axis(pad.handle, SDL_CONTROLLER_AXIS_LEFTX),
                                               Axis(pad.handle, SDL_CONTROLLER_AXIS_LEFTY));
        if (v.x * v.x + v.y * v.y > fastestSquared) {
            fastest = v;
            fastestSquared = v.x * v.x + v.y * v.y;
        }
    }
    const float seconds = static_cast<float>(elapsed) / 1000.0f;
    return {fastest.x * seconds, fastest.y * seconds};
}

}  // namespace platform
