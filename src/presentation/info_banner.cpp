#include "presentation/info_banner.h"

#include "display/display_device.h"
#include "gamestate/asset_catalogue.h"
#include "gamestate/round_state.h"
#include "world/weapon.h"

namespace presentation {

namespace {

struct Banner {
    int32_t weapon;
    gamestate::ScenePicture panel;
    Rect source;
    int x;
    int y;
};
constexpr Banner Banners[3] = {
    {world::Crossbow, gamestate::CrossbowInfoPicture, {0, 0, 408, 54}, 197, 100},
    {world::Dynamite, gamestate::DynamiteInfoPicture, {0, 0, 392, 54}, 205, 100},
    {world::MachineGun, gamestate::MachineGunInfoPicture, {0, 0, 328, 54}, 236, 100},
};

}  // namespace

void DrawInfoBanner(CDisplayDevice* display, uint32_t now) {
    if (!display) return;
    if (gamestate::Round.StageMessageShowing()) return;
    const world::Weapon* weapon = world::PlayerWeapon;
    if (!weapon) return;
    for (const Banner& banner : Banners) {
        const int32_t until = weapon->unlockBannerUntil[banner.weapon];
        if (until == -1 || !(static_cast<uint32_t>(until) > now)) continue;
        display->DrawSurface(static_cast<uint32_t>(banner.x), static_cast<uint32_t>(banner.y),
                             gamestate::ScenePictures[banner.panel], &banner.source);
        return;
    }
}

}  // namespace presentation
