#include "flow/controller_buttons.h"

#include "gamestate/game_state.h"
#include "platform/platform.h"
#include "presentation/main_menu.h"
#include "presentation/name_entry.h"

namespace flow {

using platform::PadButton;

bool TypingAName() {
    return gamestate::Game.GameScreen < gamestate::GamePlayScreen && presentation::Menu &&
           presentation::NameBeingTyped(presentation::Menu->highScores);
}

bool LeftButtonDown() {
    const bool a = platform::PadDown(PadButton::A);
    if (!a) {
        gamestate::Game.NameButtonLatch = false;
    } else if (TypingAName()) {
        gamestate::Game.NameButtonLatch = true;
    }
    return platform::KeyDown(platform::vk::LButton) || platform::PadDown(PadButton::RightTrigger) ||
           (a && !gamestate::Game.NameButtonLatch);
}

bool RightButtonDown() {
    return platform::KeyDown(platform::vk::RButton) || platform::PadDown(PadButton::X) ||
           platform::PadDown(PadButton::LeftTrigger);
}

bool EscapeDownInRound() {
    return platform::KeyDown(platform::vk::Escape) || platform::PadDown(PadButton::Back);
}

int WeaponStepPressed() {
    const bool previous = platform::PadDown(PadButton::LeftShoulder);
    const bool next = platform::PadDown(PadButton::RightShoulder);
    const bool previousPressed = previous && !gamestate::Game.PreviousWeaponLatch;
    const bool nextPressed = next && !gamestate::Game.NextWeaponLatch;
    gamestate::Game.PreviousWeaponLatch = previous;
    gamestate::Game.NextWeaponLatch = next;
    if (nextPressed) return 1;
    return previousPressed ? -1 : 0;
}

}  // namespace flow
