// The player's weapons: which are available, which is selected, the rounds left in the magazine
// and the earliest next shot, and the picture of the selected weapon below the crosshair. One
// object, made with the level assets and kept for the run.
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

// What each weapon holds and how fast it fires.
struct WeaponTraits {
    int32_t magazine;
    uint32_t readyAfterReloadMs;  // after a reload or a selection
    uint32_t readyAfterShotMs;    // 0: as fast as the trigger is pressed
    const char* picture;
};
// Indexed by weapon number; entry 0 is unused.
extern const WeaponTraits WeaponTable[5];

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

    Weapon() = default;
    ~Weapon() { release(); }
    Weapon(const Weapon&) = delete;
    Weapon& operator=(const Weapon&) = delete;

    // Loads the four weapon pictures (keyed with the panel key), then `reset`.
    void create(CDisplayDevice* display);
    // Replaces the pictures (after the display lost them), keeping everything else.
    void loadPictures(CDisplayDevice* display);
    // Deletes the pictures.
    void release();
    // The start of a game: only the shotgun, selected and loaded, no banners.
    void reset();
    // Makes weapon `number` available, with its fanfare and its information banner (until
    // `now` + UnlockBannerMs on the wall clock) still to come; also when it was available
    // already, so that a second way to the same weapon is announced as well.
    void unlock(int32_t number, uint32_t now);
    // Fills the magazine of the selected weapon; it can fire 500 ms of round time later.
    void reload();
    // False before the weapon is ready, and while the machine gun's held trigger is blocked.
    bool canFire(uint32_t now, bool triggerHeld) const;
    bool hasRounds() const { return roundsLeft != 0; }
    // Uses one round; the machine gun cannot fire again for 50 ms.
    void fire();
    // Draws the selected weapon's picture at the bottom of the screen, following the crosshair;
    // (x, y) is the cursor minus 21 in each axis.
    void drawWeapon(CDisplayDevice* display, int x, int y) const;

    // The picture of the selected weapon, or null.
    CBitmapSurface* selectedPicture() const;
};

// The one weapon object; null until the first level load made it.
extern Weapon* PlayerWeapon;

// The selected weapon number; the shotgun while no weapon object exists.
int32_t SelectedWeapon();

// Level loading: a first load replaces the weapon object with a new one for `display` (only the
// shotgun, loaded); a reload after a display loss keeps it, making one only when none exists.
void PrepareWeapon(CDisplayDevice* display, bool firstLoad);
// Draws the selected weapon's picture below the crosshair; (x, y) is the cursor minus 21.
void DrawPlayerWeapon(CDisplayDevice* display, int x, int y);
// After the display lost its surfaces: the weapon may fire at once and gets its pictures again;
// its selection, magazine and unlocks stay. Nothing happens without a weapon.
void RestoreWeapon(CDisplayDevice* display);
// Deletes the weapon object.
void ReleaseWeapon();

}  // namespace world
