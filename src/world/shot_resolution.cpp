// One shot against one entity: the dynamite's limits, the test against the pixel shown, the hit
// sound, and the reactions and points of the animals (the scenery's are in scenery_hits.cpp).

#include "display/bitmap_surface.h"
#include "gamestate/asset_catalogue.h"
#include "gamestate/sound_files.h"
#include "sound/sound.h"
#include "sound/sound_system.h"
#include "world/level_layout.h"
#include "world/shot.h"
#include "world/weapon.h"

namespace world {

namespace {

// Hit sounds, each created on its first use and kept.
enum HitSound {
    BoarSound,
    FlyAgaricCrossbowSound,
    DuckSound,
    PotSound,
    CoverSound,
    BottleSound,
    PeakSound,
    BearSound,
    MoleSound,
    RavenSound,
    QuailSound,
    DeerSound,
    HareSound,
    WoodpeckerSound,
    TinCanSound,
    ClockSound,
    SwitchSound,
    HitSoundCount
};
namespace sound_file = gamestate::sound_file;
constexpr const char* HitSoundFiles[HitSoundCount] = {
    sound_file::BoarHit,        sound_file::FlyAgaricBursts, sound_file::DuckHit,
    sound_file::PotKnocked,     sound_file::PowerBoxCover,   sound_file::BottleShatters,
    sound_file::PeakCrumbles,   sound_file::BearHit,         sound_file::MoleHit,
    sound_file::RavenHit,       sound_file::QuailHit,        sound_file::DeerHit,
    sound_file::HareHit,        sound_file::WoodpeckerHit,   sound_file::TinCanClangs,
    sound_file::BottleShatters, sound_file::SwitchThrown,
};
CSound* HitSounds[HitSoundCount] = {};

void Play(HitSound sound) {
    sound::PlayLazily(HitSounds[sound], HitSoundFiles[sound]);
}

// The hit sound of the entity's kind, where the weapon allows one. The bells ring instead, and
// a blossom shows its next colour. False when a bell began a new melody: that hit ends there.
bool PlayHitSound(Entity& e, int32_t weapon) {
    switch (e.kind) {
        case kind::Boar:
            Play(BoarSound);
            break;
        case kind::Silo:
            if (weapon == MachineGun) gamestate::PlayEffect(gamestate::SiloLaunchSound);
            break;
        case kind::FlyAgaricStalk:
        case kind::FlyAgaricCap:
            if (weapon == Crossbow) Play(FlyAgaricCrossbowSound);
            break;
        case kind::Duck:
            if (weapon != Dynamite) Play(DuckSound);
            break;
        case kind::Pot:
            Play(PotSound);
            break;
        case kind::PowerBoxCover:
            if (weapon != Crossbow) Play(CoverSound);
            break;
        case kind::Bottle:
            Play(BottleSound);
            break;
        case kind::MountainPeak:
            if (weapon == MachineGun) Play(PeakSound);
            break;
        case kind::Bear:
        case kind::BearTarget:
            Play(BearSound);
            break;
        case kind::Mole:
            Play(MoleSound);
            break;
        case kind::Raven:
            Play(RavenSound);
            break;
        case kind::Quail:
            Play(QuailSound);
            break;
        case kind::Deer:
            Play(DeerSound);
            break;
        case kind::Hare:
            Play(HareSound);
            break;
        case kind::Woodpecker:
            Play(WoodpeckerSound);
            break;
        case kind::TinCan:
            Play(TinCanSound);
            break;
        case kind::Clock:
            Play(ClockSound);
            break;
        case kind::Blossom:
            advanceBlossom(e);
            break;
        case kind::Bell1:
        case kind::Bell2:
        case kind::Bell3:
            return ringBell(e);
        case kind::PowerSwitch:
            Play(SwitchSound);
            break;
        default:
            break;
    }
    return true;
}

// Whether the shot point lies on an opaque pixel of the frame the entity showed in its last
// draw. The strip and frame are chosen as the draw chose them; the column counts the pixels the
// draw cut off at the left screen edge, so the pixel tested is the pixel that was shown.
bool ShotOnShownPixel(const Entity& e, int shotX, int shotY) {
    const Rect& drawn = e.sourceRect;
    const int top = static_cast<int>(e.y);
    if (shotX < e.screenX || shotX >= e.screenX + (drawn.right - drawn.left)) return false;
    if (shotY < top || shotY >= top + drawn.bottom) return false;

    const StripFrame shown = e.shownStripFrame();
    if (!shown.strip) return false;
    const int column = shown.left + e.clipLeft + (shotX - e.screenX);
    const COLORREF colour = shown.strip->ReadPixelColour(column, shotY - top);
    return colour != gamestate::TransparentPixelColour && colour != CLR_INVALID;
}

void Sink(Entity& e, int32_t first, int32_t last) {
    e.state = state::Hit;
    e.playFrames(first, last);
}

Entity* LinkedEntity(const Entity& e, int offset = 0) {
    const int index = e.linkedIndex + offset;
    if (e.linkedIndex < 0 || index < 0 || index >= EntityCount) return nullptr;
    return &EntityAt(index);
}

void ApplyAnimalHit(Entity& e, int32_t weapon) {
    switch (e.kind) {
        case kind::Boar:
            Sink(e, 20, 22);
            if (Entity* apple = LinkedEntity(e)) apple->state = state::Hit;
            break;
        case kind::Duck:
            // The blast of the dynamite is heard but does not bring a duck down.
            if (weapon != Dynamite) Sink(e, 12, 12);
            break;
        case kind::Raven:
            if (weapon == Dynamite) break;
            if (e.y != RavenPerch.y) {
                Sink(e, 3, 3);
            } else {
                // The raven on the scarecrow bursts into feathers.
                crumble(e);
                e.state = state::Hit;
            }
            break;
        case kind::Mole:
            Sink(e, 7, 11);
            break;
        case kind::Quail:
            Sink(e, 9, 13);
            break;
        case kind::Deer:
            Sink(e, 8, 15);
            break;
        case kind::Hare:
            Sink(e, 25, 29);
            break;
        default:
            break;
    }
}

// An apple shot off a boar's back is gone; the boar must stop carrying it, or it would steer
// whatever animal takes the freed slot next.
void UnlinkFromCarrier(const Entity& apple) {
    const Entity* first = EntityTable.data();
    if (&apple < first || &apple >= first + EntityCount) return;
    const int32_t index = static_cast<int32_t>(&apple - first);
    for (Entity& carrier : EntityTable) {
        if (carrier.kind == kind::Boar && carrier.linkedIndex == index) carrier.linkedIndex = -1;
    }
}

int32_t ScoreAnimalHit(Entity& e, int32_t weapon) {
    switch (e.kind) {
        case kind::Boar:
            return 10 * e.plane;
        case kind::Apple:
            e.active = 0;
            UnlinkFromCarrier(e);
            return 80 * e.plane;
        case kind::Duck:
            return weapon == Dynamite ? 0 : 10 * e.plane;
        case kind::Raven:
            return weapon == Dynamite ? 0 : 10;
        case kind::Mole:
            return 50 * e.plane;
        case kind::Deer:
            return 200;
        case kind::Quail:
            return 40 * e.plane;
        case kind::Hare:
            return 30 * e.plane;
        default:
            return 0;
    }
}

}  // namespace

bool DynamiteReaches(const Entity& e) {
    if (e.kind == kind::CaveStone) return true;
    if (e.plane == FarPlane) return false;
    return e.plane <= NearPlane || e.kind < kind::Apple;
}

int32_t testShot(Entity& e, int shotX, int shotY, int32_t layerHit) {
    const int32_t weapon = SelectedWeapon();
    if (weapon == Dynamite && !DynamiteReaches(e)) return 0;
    if (!ShotOnShownPixel(e, shotX, shotY)) return 0;
    // A background layer in front of the entity stopped the shot.
    if (!(e.hitPlane < layerHit)) return 0;
    if (!PlayHitSound(e, weapon)) return 0;
    applyHit(e);
    return scoreHit(e);
}

void applyHit(Entity& e) {
    const int32_t weapon = SelectedWeapon();
    if (e.kind >= kind::FirstScenery) {
        applySceneryHit(e, weapon);
    } else if (e.state != state::Hit) {
        ApplyAnimalHit(e, weapon);
    }
    if (e.state == state::Hit) explode(e);
}

int32_t scoreHit(Entity& e) {
    const int32_t weapon = SelectedWeapon();
    if (e.kind >= kind::FirstScenery) return scoreSceneryHit(e, weapon);
    return ScoreAnimalHit(e, weapon);
}

void PrepareHitSounds() {
    for (int sound = 0; sound < HitSoundCount; ++sound) {
        sound::PrepareLazily(HitSounds[sound], HitSoundFiles[sound]);
    }
}

void ReleaseHitSounds() {
    for (CSound*& sound : HitSounds) {
        delete sound;
        sound = nullptr;
    }
}

}  // namespace world
