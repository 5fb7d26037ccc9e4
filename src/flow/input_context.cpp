#include "flow/input_context.h"

#include "gamestate/game_state.h"
#include "persistence/high_scores.h"
#include "presentation/main_menu.h"
#include "world/weapon.h"

namespace flow {

platform::InputContext CurrentInputContext() {
    using Mode = platform::InputContext::Mode;
    platform::InputContext context;
    if (gamestate::Game.GameScreen >= gamestate::GamePlayScreen) {
        context.mode = Mode::Play;
        if (const world::Weapon* weapon = world::PlayerWeapon) {
            const int32_t available[] = {weapon->shotgunAvailable, weapon->crossbowAvailable,
                                         weapon->dynamiteAvailable, weapon->machineGunAvailable};
            for (int32_t number = world::Shotgun; number <= world::MachineGun; ++number) {
                if (available[number - world::Shotgun] <= 0) continue;
                context.weaponKeys[static_cast<size_t>(context.weaponCount++)] = '0' + number;
            }
            context.weaponInHand = '0' + weapon->selected;
        }
        return context;
    }
    const presentation::MainMenu* menu = presentation::Menu;
    if (menu && menu->highScores.editIndex >= 0 &&
        menu->highScores.editIndex < persistence::HighScoreCount)
        context.mode = Mode::NameEntry;
    return context;
}

}  // namespace flow
