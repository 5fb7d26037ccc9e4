// Rectangles of the HUD sheet (left, top, right, bottom; right and bottom exclusive) as the game
// cuts them, and the sizes of the info banners.
#pragma once

namespace assetgen {

struct HudRect {
    int left, top, right, bottom;
};

constexpr int HudSheetWidth = 320;
constexpr int HudSheetHeight = 200;

namespace hud {
constexpr HudRect Clock{0, 0, 32, 39};
constexpr HudRect Score{32, 0, 65, 33};
constexpr HudRect QuotaBoar{65, 0, 107, 39};
constexpr HudRect QuotaMole{107, 0, 145, 39};
constexpr HudRect QuotaHare{145, 0, 180, 39};
constexpr HudRect QuotaDuck{180, 0, 219, 39};
constexpr HudRect QuotaQuail{220, 0, 256, 39};
constexpr HudRect Shotgun{0, 39, 64, 71};
constexpr HudRect Crossbow{64, 39, 128, 71};
constexpr HudRect CrossbowLocked{64, 71, 128, 103};
constexpr HudRect ShotgunShell{0, 104, 52, 169};
constexpr HudRect CrossbowBolt{53, 103, 104, 178};
constexpr HudRect MachineGunRound{104, 103, 120, 176};
constexpr HudRect DynamiteStick{120, 103, 177, 199};
constexpr HudRect Crosshair{256, 39, 299, 82};
}  // namespace hud

constexpr int InfoPanelHeight = 54;
constexpr int InfoCrossbowWidth = 408;
constexpr int InfoDynamiteWidth = 392;
constexpr int InfoMachineGunWidth = 328;

}  // namespace assetgen
