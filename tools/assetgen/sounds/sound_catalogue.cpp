#include "sounds/sound_catalogue.h"

#include <array>

#include "gamestate/sound_files.h"
#include "sounds/mastering.h"
#include "sounds/recipes.h"
#include "world/weapon.h"

namespace assetgen::sound {

namespace {

namespace F = gamestate::sound_file;

// The mix, in LUFS (an effect's loudest 400 ms, a tune's average). The music sits well under
// everything the player does; the shotgun is the loudest thing in a round and the animals call
// a little under it; the horns and the objects follow; the clicks and ticks that tell the player
// something stay clearly above the music.
constexpr double kShot = -10.0;
constexpr double kBlast = -11.0;           // the dynamite
constexpr double kMachineGunHeld = -11.0;  // a whole magazine fired, round after round
constexpr double kCall = -12.0;
constexpr double kFanfare = -13.0;
constexpr double kQuietShot = -14.0;  // the crossbow
constexpr double kObject = -14.0;
constexpr double kBell = -15.0;
constexpr double kMechanism = -17.0;  // reloading
constexpr double kTick = -19.0;       // the clock in the playfield, in the round's last seconds
constexpr double kClick = -20.0;      // an empty weapon
constexpr double kQuietTick = -21.0;  // the clock, shot out of view
constexpr double kKnock = -21.0;      // one knock, repeated into the woodpecker's drumming
constexpr double kMusic = -23.0;

// clang-format off
constexpr std::array kCatalogue = {
    // Weapons: fired, reloaded and clicked empty by the controls; the shotgun also clicks the menu.
    SoundEntry{F::ShotgunShot,     "shotgun blast; also the menu click",                         1.3,  kShot,           ShotgunBlast},
    SoundEntry{F::ShotgunReload,   "shotgun reload: shell in, pump back, home",                  1.05, kMechanism,      ShotgunReload},
    SoundEntry{F::ShotgunEmpty,    "dry click of an empty shotgun or machine gun",               0.15, kClick,          ShotgunEmptyClick},
    SoundEntry{F::CrossbowShot,    "crossbow shot: twang, thwack, bolt hiss",                    0.9,  kQuietShot,      CrossbowShot},
    SoundEntry{F::CrossbowReload,  "crossbow reload: ratchet and the nut's click",               1.1,  kMechanism,      CrossbowReload},
    SoundEntry{F::CrossbowEmpty,   "empty crossbow: trigger knocks on wood",                     0.16, kClick,          CrossbowEmptyClick},
    SoundEntry{F::MachineGunShot,  "one machine-gun round (restarted every 50 ms while held)",   0.8,  kMachineGunHeld, MachineGunRound},
    SoundEntry{F::DynamiteBlast,   "dynamite blast with falling debris",                         1.9,  kBlast,          DynamiteBlast},
    // Animals: the hit sounds.
    SoundEntry{F::BoarHit,         "boar hit: grunts",                                           1.45, kCall,           BoarGrunt},
    SoundEntry{F::DuckHit,         "duck hit: quacks",                                           1.15, kCall,           DuckQuack},
    SoundEntry{F::MoleHit,         "mole hit: squeaks",                                          0.85, kCall,           MoleSqueak},
    SoundEntry{F::QuailHit,        "quail hit: its three-note call",                             1.0,  kCall,           QuailCall},
    SoundEntry{F::HareHit,         "hare hit: a shrill squeal",                                  1.15, kCall,           HareSqueal},
    SoundEntry{F::DeerHit,         "deer hit: a stag's roar",                                    1.8,  kCall,           DeerRoar},
    SoundEntry{F::RavenHit,        "raven hit: two caws",                                        1.25, kCall,           RavenCaw},
    SoundEntry{F::BearHit,         "bear and bear target hit: a growl",                          1.95, kCall,           BearGrowl},
    SoundEntry{F::WoodpeckerHit,   "woodpecker hit: its laughing call",                          1.6,  kCall,           WoodpeckerCall},
    // Scenery: the objects' hit and action sounds.
    SoundEntry{F::PeakCrumbles,    "mountain peak crumbles under the machine gun: rock slide",   1.9,  kObject,         RockSlide},
    SoundEntry{F::BottleShatters,  "bottle (and the clock's glass) shatters",                    1.3,  kObject,         BottleShatter},
    SoundEntry{F::FlyAgaricBursts, "fly agaric cap bursts off its stalk",                        1.1,  kObject,         FlyAgaricBurst},
    SoundEntry{F::SiloLaunch,      "silo takes off like a rocket",                               1.95, kObject,         SiloLiftOff},
    SoundEntry{F::SwitchThrown,    "power switch thrown: clack and electric buzz",               1.4,  kObject,         PowerSwitch},
    SoundEntry{F::PowerBoxCover,   "cover of the power box clangs off",                          1.2,  kObject,         PowerBoxCover},
    SoundEntry{F::PotKnocked,      "clay pot knocked into the air",                              1.0,  kObject,         PotKnock},
    SoundEntry{F::ScarecrowTurns,  "scarecrow creaks round on its pole",                         1.25, kObject,         ScarecrowCreak},
    SoundEntry{F::TroughGurgles,   "water gurgles into the trough",                              1.95, kObject,         TroughGurgle},
    SoundEntry{F::CorkPops,        "cork pops",                                                  0.65, kObject,         CorkPop},
    SoundEntry{F::TinCanClangs,    "tin can hit: metallic clang",                                1.2,  kObject,         TinCanClang},
    SoundEntry{F::WoodpeckerKnock, "one knock of the woodpecker (repeated into drumming)",       0.12, kKnock,          WoodpeckerKnock},
    SoundEntry{F::ClockTick,       "clock in view, last seconds: urgent ticking (every second)", 0.95, kTick,           ClockTickUrgent},
    SoundEntry{F::ClockTickAway,   "clock out of view: calm tick-tock (every second)",           0.8,  kQuietTick,      ClockTickCalm},
    // Signals: the bell notes of the hint melody and the hunting-horn calls.
    SoundEntry{F::BellNote1,       "bell note 1 (C)",                                            1.8,  kBell,           BellNoteLow},
    SoundEntry{F::BellNote2,       "bell note 2 (E)",                                            1.8,  kBell,           BellNoteMiddle},
    SoundEntry{F::BellNote3,       "bell note 3 (G)",                                            1.8,  kBell,           BellNoteHigh},
    SoundEntry{F::StreakFanfare,   "horn call for a hit streak",                                 2.3,  kFanfare,        StreakHornCall},
    SoundEntry{F::StageFanfare,    "horn call for a completed stage",                            3.8,  kFanfare,        StageHornCall},
    SoundEntry{F::UnlockFanfare,   "horn call for a weapon unlocked",                            3.1,  kFanfare,        UnlockHornCall},
    // Music: looped for as long as the menu or the game lasts.
    SoundEntry{F::MenuTune,        "menu tune: a woodland waltz in G",                           72.0, kMusic,          MenuTune},
    SoundEntry{F::GameTune,        "game tune: a polka in D with its trio in G",                 64.0, kMusic,          GameTune},
};
// clang-format on

constexpr bool FollowsTheManifest() {
    if (kCatalogue.size() != std::size(gamestate::SoundManifest)) return false;
    for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
        if (kCatalogue[i].path != gamestate::SoundManifest[i].path) return false;
    }
    return true;
}
static_assert(FollowsTheManifest(),
              "one recipe for each file of the game's sound manifest, in its order");

constexpr double kMusicSeamFadeSeconds = 0.006;

}  // namespace

std::span<const SoundEntry> SoundCatalogue() {
    return kCatalogue;
}

bool IsMusic(const SoundEntry& entry) {
    return gamestate::UseOf(entry.path) == gamestate::SoundUse::Music;
}

MasteringPlan PlanFor(const SoundEntry& entry) {
    MasteringPlan plan;
    plan.loudnessLufs = entry.lufs;
    if (IsMusic(entry)) {
        // A loop: its ends join each other, so no trims or filters that would break the seam.
        // The reverb rings across the seam; the file may also start from silence, so both ends
        // dip to zero over a few milliseconds, masked by the first downbeat.
        plan.measure = LoudnessMeasure::Average;
        plan.fadeInSeconds = kMusicSeamFadeSeconds;
        plan.fadeOutSeconds = kMusicSeamFadeSeconds;
        plan.trimBelowDb = 0.0;
        plan.removeDc = false;
    }
    if (entry.path == F::MachineGunShot) {
        // Held down, the gun restarts its sound for every round: it is set by how loud a
        // magazine's rounds are one after another, as the game plays them.
        const world::WeaponTraits& gun = world::WeaponTable[world::MachineGun];
        plan.restartSeconds = gun.readyAfterShotMs / 1000.0;
        plan.restarts = gun.magazine;
    }
    return plan;
}

Clip RenderSound(const SoundEntry& entry) {
    Random random(SeedFromName(entry.path));
    Clip clip = entry.recipe(random);
    if (!IsMusic(entry) && clip.Frames() > FramesFor(entry.seconds)) {
        Resize(clip, FramesFor(entry.seconds));
    }
    Master(clip, PlanFor(entry));
    return clip;
}

}  // namespace assetgen::sound
