// The player's weapons: which are available, which is selected, the rounds left in the magazine
// and the earliest next shot. One object, made with the level assets and kept for the run.
//
// This header holds the record that the round, the HUD and the banners read. Selecting, firing,
// reloading and drawing the weapon come with the controls.
#pragma once

#include <cstdint>

class CBitmapSurface;
class CDisplayDevice;

namespace world {

// Weapon numbers.
constexpr int32_t Shotgun = 1;
constexpr int32_t Crossbow = 2;
constexpr int32_t Dynamite = 3;
constexpr int32_t MachineGun = 4;

// Availability of a weapon: locked, unlocked with its fanfare still to play, unlocked.
constexpr int32_t Locked = 0;
constexpr int32_t JustUnlocked = 1;
constexpr int32_t Unlocked = 2;

// How long the information banner of a newly unlocked weapon shows, in ms of the wall clock.
constexpr uint32_t UnlockBannerMs = 1500;

struct Weapon {
    int32_t shotgunAvailable = 1;
    int32_t crossbowAvailable = Locked;
    int32_t dynamiteAvailable = Locked;
    int32_t machineGunAvailable = Locked;
    // Per weapon 1..4 (index 0 unused): wall-clock tick until which its information banner shows;
    // -1 = none.
    int32_t unlockBannerUntil[5] = {-1, -1, -1, -1, -1};
    uint32_t readyAtMs = 0;         // round clock before which it cannot fire
    uint32_t holdBlockUntilMs = 0;  // machine gun, trigger held: no shot before this
    int32_t selected = Shotgun;
    int32_t roundsLeft = 5;
    CBitmapSurface* shotgunBitmap = nullptr;
    CBitmapSurface* crossbowBitmap = nullptr;
    CBitmapSurface* dynamiteBitmap = nullptr;
    CBitmapSurface* machineGunBitmap = nullptr;
};

// The one weapon object; null until the first level load made it.
extern Weapon* PlayerWeapon;

// Level loading: a first load replaces the weapon object with a new one for `display` (only the
// shotgun, loaded); a reload after a display loss keeps it, making one only when none exists.
void PrepareWeapon(CDisplayDevice* display, bool firstLoad);
// Draws the selected weapon's picture below the crosshair; (x, y) is the cursor minus 21.
void DrawPlayerWeapon(CDisplayDevice* display, int x, int y);
// Deletes the weapon object (at the end, and between tests).
void ReleaseWeapon();

}  // namespace world
