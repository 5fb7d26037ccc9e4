#include "presentation/hud.h"

#include <cstdio>

#include "display/display_device.h"
#include "gamestate/frame_timing.h"
#include "gamestate/game_state.h"
#include "gamestate/round_state.h"
#include "presentation/bitmap_font.h"
#include "presentation/point_labels.h"
#include "presentation/screen_surfaces.h"
#include "world/weapon.h"

namespace presentation {

namespace {

// Rectangles of the in-game sheet.
constexpr Rect ClockIcon{0, 0, 32, 39};
constexpr Rect ScoreIcon{32, 0, 65, 33};
constexpr Rect ShotgunIcon{0, 39, 64, 71};
constexpr Rect CrossbowIcon{64, 39, 128, 71};
constexpr Rect CrossbowLockedIcon{64, 71, 128, 103};
// Quota counter icons in stored order: boar, mole, hare, flying duck, quail.
constexpr Rect QuotaIcons[gamestate::QuotaCount] = {
    {65, 0, 107, 39}, {107, 0, 145, 39}, {145, 0, 180, 39}, {180, 0, 219, 39}, {220, 0, 256, 39}};
constexpr int QuotaFirstX = 278;
constexpr int QuotaSpacing = 104;
constexpr int QuotaTextOffset = 47;

// One loaded round of each weapon, and how far apart they stand from the right.
struct RoundIcons {
    Rect icon;
    int x;
    int stepLeft;
    int y;
};
constexpr RoundIcons ShotgunRounds{{0, 104, 52, 169}, 738, 42, 524};
constexpr RoundIcons CrossbowRounds{{53, 103, 104, 178}, 738, 52, 514};
constexpr RoundIcons DynamiteRound{{120, 103, 177, 199}, 738, 0, 493};
constexpr RoundIcons MachineGunRounds{{104, 103, 120, 176}, 774, 19, 517};

void Blit(CDisplayDevice* display, int x, int y, const Rect& source) {
    display->DrawSurface(static_cast<uint32_t>(x), static_cast<uint32_t>(y), IngameSheet, &source);
}

void Text(CDisplayDevice* display, int x, int y, const char* text) {
    if (IngameFont) IngameFont->DrawString(display, x, y, text);
}

void DrawLoadedRounds(CDisplayDevice* display, const world::Weapon& weapon) {
    const RoundIcons* icons = nullptr;
    switch (weapon.selected) {
        case world::Shotgun:
            icons = &ShotgunRounds;
            break;
        case world::Crossbow:
            icons = &CrossbowRounds;
            break;
        case world::Dynamite:
            // The stick shows only while it is loaded.
            if (weapon.roundsLeft == 1)
                Blit(display, DynamiteRound.x, DynamiteRound.y, DynamiteRound.icon);
            return;
        case world::MachineGun:
            icons = &MachineGunRounds;
            break;
        default:
            return;
    }
    for (int n = 0; n < weapon.roundsLeft; ++n) {
        Blit(display, icons->x - icons->stepLeft * n, icons->y, icons->icon);
    }
}

}  // namespace

void FormatRemainingTime(char (&text)[16], uint32_t roundEnd, uint32_t roundClock) {
    if (roundEnd > roundClock) {
        const uint32_t t = roundEnd - roundClock;
        std::snprintf(text, sizeof text, "%d:%.2d", static_cast<int>(t / 60000),
                      static_cast<int>((t / 1000) % 60));
    } else {
        std::snprintf(text, sizeof text, "0:00");
    }
}

void FormatScore(char (&text)[16], int32_t score) {
    std::snprintf(text, sizeof text, "%.6d", score);
}

void DrawHud(CDisplayDevice* display) {
    if (!display) return;
    const gamestate::RoundState& round = gamestate::Round;
    char text[16];

    Blit(display, 10, 4, ClockIcon);
    FormatRemainingTime(text, round.RoundEnd, round.RoundClock);
    Text(display, 50, 10, text);

    Blit(display, 620, 10, ScoreIcon);
    FormatScore(text, round.score);
    Text(display, 660, 10, text);

    const world::Weapon* weapon = world::PlayerWeapon;
    Blit(display, 10, 53, ShotgunIcon);
    const bool crossbow = weapon && weapon->crossbowAvailable > 0;
    Blit(display, 10, 87, crossbow ? CrossbowIcon : CrossbowLockedIcon);

    // Counters of the kinds without a quota take no room.
    int x = QuotaFirstX;
    for (int i = 0; i < gamestate::QuotaCount; ++i) {
        if (round.quotas[i] == gamestate::NoQuota) continue;
        Blit(display, x, 10, QuotaIcons[i]);
        std::snprintf(text, sizeof text, "%.2d", round.quotas[i]);
        Text(display, x + QuotaTextOffset, 10, text);
        x += QuotaSpacing;
    }

    if (weapon) DrawLoadedRounds(display, *weapon);
    DrawPointPopups(display, gamestate::Game.CameraX, gamestate::AverageFrameTime,
                    round.RoundClock);
}

}  // namespace presentation
