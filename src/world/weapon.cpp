// Stand-in until the weapon arrives with the controls: a shotgun with a full magazine, no pictures.
#include "world/weapon.h"

namespace world {

Weapon* PlayerWeapon = nullptr;

void PrepareWeapon(CDisplayDevice*, bool firstLoad) {
    if (firstLoad) ReleaseWeapon();
    if (!PlayerWeapon) PlayerWeapon = new Weapon();
}

void DrawPlayerWeapon(CDisplayDevice*, int, int) {}

void ReleaseWeapon() {
    delete PlayerWeapon;
    PlayerWeapon = nullptr;
}

}  // namespace world
