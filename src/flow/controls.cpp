// The controls step of a playing frame: the weapon keys act on their level, reloading on the
// right button's press, firing on the left button's press; the machine gun fires on every frame
// while the button is held and kicks the cursor about.
#include "flow/controls.h"

#include <cstdlib>
#include <initializer_list>

#include "flow/controller_buttons.h"
#include "gamestate/asset_catalogue.h"
#include "gamestate/game_state.h"
#include "gamestate/round_state.h"
#include "gamestate/sound_files.h"
#include "sound/sound.h"
#include "sound/sound_system.h"
#include "world/entity.h"
#include "world/level_layout.h"
#include "world/shot.h"
#include "world/weapon.h"

namespace flow {

bool ThrowRequested = false;

namespace {

// Sounds made on their first use.
CSound* ShotgunReloadSound = nullptr;
CSound* CrossbowReloadSound = nullptr;
CSound* ShotgunEmptySound = nullptr;
CSound* CrossbowEmptySound = nullptr;

constexpr int KeyOne = 0x31;
constexpr int MachineGunKickRange = 50;  // the cursor jumps by -25 .. 24 pixels each way

void PlayReloadSound(int32_t weapon) {
    if (weapon == world::Shotgun) {
        sound::PlayLazily(ShotgunReloadSound, gamestate::sound_file::ShotgunReload);
    } else if (weapon == world::Crossbow) {
        sound::PlayLazily(CrossbowReloadSound, gamestate::sound_file::CrossbowReload);
    }
}

void PlayEmptySound(int32_t weapon) {
    if (weapon == world::Shotgun || weapon == world::MachineGun) {
        sound::PlayLazily(ShotgunEmptySound, gamestate::sound_file::ShotgunEmpty);
    } else if (weapon == world::Crossbow) {
        sound::PlayLazily(CrossbowEmptySound, gamestate::sound_file::CrossbowEmpty);
    }
}

int32_t Availability(const world::Weapon& weapon, int32_t number) {
    switch (number) {
        case world::Shotgun:
            return weapon.shotgunAvailable;
        case world::Crossbow:
            return weapon.crossbowAvailable;
        case world::Dynamite:
            return weapon.dynamiteAvailable;
        case world::MachineGun:
            return weapon.machineGunAvailable;
        default:
            return world::Locked;
    }
}

// The weapon a controller's shoulder button steps to: the next (or previous) one the player has
// after the one in hand, round again at the end; 0 when no shoulder button was pressed.
int32_t SteppedWeapon(const world::Weapon& weapon) {
    const int step = WeaponStepPressed();
    if (step == 0) return 0;
    int32_t had[world::MachineGun] = {};
    int count = 0;
    int inHand = -1;
    for (int32_t number = world::Shotgun; number <= world::MachineGun; ++number) {
        if (Availability(weapon, number) <= 0) continue;
        if (number == weapon.selected) inHand = count;
        had[count++] = number;
    }
    if (count == 0) return 0;
    const int next = inHand < 0 ? (step > 0 ? 0 : count - 1) : (inHand + step + count) % count;
    return had[next];
}

// The keys 1 to 4 select the shotgun, the crossbow, the dynamite and the machine gun once each
// is available, and so does a controller's shoulder button stepping to one. They act while
// held; selecting the weapon already selected does nothing, so a held key does not reload again
// and again.
void SelectWeapon(world::Weapon& weapon) {
    const int32_t stepped = SteppedWeapon(weapon);
    for (int32_t number = world::Shotgun; number <= world::MachineGun; ++number) {
        const bool asked = platform::KeyDown(KeyOne + number - 1) || number == stepped;
        if (!asked || Availability(weapon, number) <= 0 || weapon.selected == number) continue;
        weapon.selected = number;
        weapon.reload();
        PlayReloadSound(number);
        return;
    }
}

void Fire(world::Weapon& weapon, platform::Point cursor) {
    if (weapon.roundsLeft <= 0) {
        PlayEmptySound(weapon.selected);
        return;
    }
    // The shot strikes where the cursor was before any kick.
    gamestate::Game.ClickPoint = gamestate::ScreenPoint{cursor.x, cursor.y};
    switch (weapon.selected) {
        case world::Shotgun:
            weapon.fire();
            gamestate::PlayEffect(gamestate::ShotgunShotSound);
            break;
        case world::Crossbow:
            weapon.fire();
            gamestate::PlayEffect(gamestate::CrossbowShotSound);
            break;
        case world::Dynamite:
            // The stick is used up only where it lands on the ground (after the shot loop).
            ThrowRequested = true;
            break;
        case world::MachineGun: {
            weapon.fire();
            const int dx = std::rand() % MachineGunKickRange - MachineGunKickRange / 2;
            const int dy = std::rand() % MachineGunKickRange - MachineGunKickRange / 2;
            platform::WarpCursor(cursor.x + dx, cursor.y + dy);
            gamestate::PlayEffect(gamestate::MachineGunShotSound);
            break;
        }
        default:
            break;
    }
}

}  // namespace

platform::Point RunControls() {
    gamestate::Game.ClickPoint = gamestate::ScreenPoint{};
    gamestate::Game.LayerHit = gamestate::NoLayerHit;
    ThrowRequested = false;
    const platform::Point cursor = platform::CursorPos();
    world::Weapon* weapon = world::PlayerWeapon;
    if (weapon) SelectWeapon(*weapon);
    // The bonus clock is always in play; it shows itself in the last ten seconds.
    world::EntityTable[world::entity_index::Clock].active = 1;
    if (!weapon) return cursor;

    const bool left = LeftButtonDown();
    const bool right = RightButtonDown();
    if (!left) gamestate::Game.LeftButtonLatch = false;
    // The machine gun fires on every frame the button is held, as long as it has rounds.
    if (weapon->selected == world::MachineGun && weapon->roundsLeft > 0)
        gamestate::Game.LeftButtonLatch = false;
    if (!right) gamestate::Game.RightButtonLatch = false;

    if (left && !gamestate::Game.LeftButtonLatch) {
        gamestate::Game.LeftButtonLatch = true;
        // Too early after a reload (or the machine gun's last shot), the press is lost.
        if (weapon->canFire(gamestate::Round.RoundClock, true)) Fire(*weapon, cursor);
    }
    if (right && !gamestate::Game.RightButtonLatch) {
        gamestate::Game.RightButtonLatch = true;
        weapon->reload();
        PlayReloadSound(weapon->selected);
    }
    return cursor;
}

void PrepareControlSounds() {
    sound::PrepareLazily(ShotgunReloadSound, gamestate::sound_file::ShotgunReload);
    sound::PrepareLazily(CrossbowReloadSound, gamestate::sound_file::CrossbowReload);
    sound::PrepareLazily(ShotgunEmptySound, gamestate::sound_file::ShotgunEmpty);
    sound::PrepareLazily(CrossbowEmptySound, gamestate::sound_file::CrossbowEmpty);
}

void ResetControls() {
    ThrowRequested = false;
    for (CSound** sound :
         {&ShotgunReloadSound, &CrossbowReloadSound, &ShotgunEmptySound, &CrossbowEmptySound}) {
        delete *sound;
        *sound = nullptr;
    }
}

}  // namespace flow
