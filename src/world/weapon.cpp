#include "world/weapon.h"

#include <algorithm>

#include "display/bitmap_surface.h"
#include "display/display_device.h"
#include "gamestate/round_state.h"

namespace world {

const WeaponTraits WeaponTable[5] = {
    {0, 0, 0, nullptr},
    {5, 500, 0, "grafik/waffen/schrotflinte.bmp"},
    {4, 500, 0, "grafik/waffen/armbrust.bmp"},
    {1, 500, 0, "grafik/waffen/dynamit.bmp"},
    {20, 500, 50, "grafik/waffen/mg.bmp"},
};

Weapon* PlayerWeapon = nullptr;

namespace {

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;

bool IsWeaponNumber(int32_t weapon) {
    return weapon >= Shotgun && weapon <= MachineGun;
}

CBitmapSurface* LoadPicture(CDisplayDevice* display, const char* path) {
    CBitmapSurface* picture = nullptr;
    if (!display || Failed(display->LoadBitmapSurface(&picture, path, 0, 0))) return nullptr;
    if (picture) picture->SetKeyColour(PanelKeyColour);
    return picture;
}

}  // namespace

void Weapon::create(CDisplayDevice* display) {
    loadPictures(display);
    reset();
}

void Weapon::loadPictures(CDisplayDevice* display) {
    release();
    shotgunBitmap = LoadPicture(display, WeaponTable[Shotgun].picture);
    crossbowBitmap = LoadPicture(display, WeaponTable[Crossbow].picture);
    dynamiteBitmap = LoadPicture(display, WeaponTable[Dynamite].picture);
    machineGunBitmap = LoadPicture(display, WeaponTable[MachineGun].picture);
}

void Weapon::release() {
    for (CBitmapSurface** picture :
         {&shotgunBitmap, &crossbowBitmap, &dynamiteBitmap, &machineGunBitmap}) {
        delete *picture;
        *picture = nullptr;
    }
}

void Weapon::reset() {
    for (int32_t& until : unlockBannerUntil) until = -1;
    shotgunAvailable = 1;
    crossbowAvailable = Locked;
    dynamiteAvailable = Locked;
    machineGunAvailable = Locked;
    selected = Shotgun;
    readyAtMs = 0;
    holdBlockUntilMs = 0;
    reload();
}

void Weapon::unlock(int32_t number, uint32_t now) {
    int32_t* const availability[5] = {nullptr, &shotgunAvailable, &crossbowAvailable,
                                      &dynamiteAvailable, &machineGunAvailable};
    if (!IsWeaponNumber(number)) return;
    *availability[number] = JustUnlocked;
    unlockBannerUntil[number] = static_cast<int32_t>(now + UnlockBannerMs);
}

void Weapon::reload() {
    if (!IsWeaponNumber(selected)) return;
    const WeaponTraits& traits = WeaponTable[selected];
    roundsLeft = traits.magazine;
    readyAtMs = gamestate::Round.RoundClock + traits.readyAfterReloadMs;
}

bool Weapon::canFire(uint32_t now, bool triggerHeld) const {
    if (now < readyAtMs) return false;
    if (triggerHeld && selected == MachineGun && now < holdBlockUntilMs) return false;
    return true;
}

void Weapon::fire() {
    if (IsWeaponNumber(selected) && WeaponTable[selected].readyAfterShotMs != 0) {
        readyAtMs = gamestate::Round.RoundClock + WeaponTable[selected].readyAfterShotMs;
    }
    if (roundsLeft > 0) --roundsLeft;
}

CBitmapSurface* Weapon::selectedPicture() const {
    switch (selected) {
        case Shotgun:
            return shotgunBitmap;
        case Crossbow:
            return crossbowBitmap;
        case Dynamite:
            return dynamiteBitmap;
        case MachineGun:
            return machineGunBitmap;
        default:
            return nullptr;
    }
}

void Weapon::drawWeapon(CDisplayDevice* display, int x, int y) const {
    CBitmapSurface* picture = selectedPicture();
    if (!display || !picture) return;
    const int width = picture->Width();
    const int height = picture->Height();
    // The weapon follows the crosshair sideways and sinks a little as it is aimed lower.
    const int screenX = std::min(std::max(x - (width / 4 + 11), 0), ScreenWidth - width);
    const int screenY = 350 + height + y / 10;
    Rect source{0, 0, width, height};
    if (screenY + height > ScreenHeight) source.bottom = ScreenHeight - screenY;
    if (screenX < 0 || screenY < 0 || source.bottom <= 0) return;
    display->DrawSurface(static_cast<uint32_t>(screenX), static_cast<uint32_t>(screenY), picture,
                         &source);
}

int32_t SelectedWeapon() {
    return PlayerWeapon ? PlayerWeapon->selected : Shotgun;
}

void PrepareWeapon(CDisplayDevice* display, bool firstLoad) {
    if (firstLoad) ReleaseWeapon();
    if (!PlayerWeapon) {
        PlayerWeapon = new Weapon();
        PlayerWeapon->create(display);
    }
}

void DrawPlayerWeapon(CDisplayDevice* display, int x, int y) {
    if (PlayerWeapon) PlayerWeapon->drawWeapon(display, x, y);
}

void RestoreWeapon(CDisplayDevice* display) {
    if (!PlayerWeapon) return;
    PlayerWeapon->readyAtMs = 0;
    PlayerWeapon->holdBlockUntilMs = 0;
    PlayerWeapon->loadPictures(display);
}

void ReleaseWeapon() {
    delete PlayerWeapon;
    PlayerWeapon = nullptr;
}

}  // namespace world
