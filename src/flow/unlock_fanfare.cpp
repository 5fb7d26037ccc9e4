// A newly unlocked weapon is announced with a fanfare, one weapon per frame: the crossbow first,
// then the dynamite, then the machine gun.
#include <initializer_list>

#include "flow/controls.h"
#include "gamestate/asset_catalogue.h"
#include "world/weapon.h"

namespace flow {

void PlayUnlockFanfare() {
    world::Weapon* weapon = world::PlayerWeapon;
    if (!weapon) return;
    for (int32_t* availability :
         {&weapon->crossbowAvailable, &weapon->dynamiteAvailable, &weapon->machineGunAvailable}) {
        if (*availability != world::JustUnlocked) continue;
        gamestate::PlayEffect(gamestate::WeaponUnlockSound);
        *availability = world::Unlocked;
        return;
    }
}

}  // namespace flow
