#include "sounds/sound_catalogue.h"

#include <array>

#include "sounds/mastering.h"
#include "sounds/recipes.h"

namespace assetgen::sound {

namespace {

using G = SoundGroup;

// clang-format off
constexpr std::array kCatalogue = {
    // Weapons: fired, reloaded and clicked empty by the controls; the shotgun also clicks the menu.
    SoundEntry{"sounds/waffen/gewehr02.wav",         "shotgun blast; also the menu click",        1.3, G::Weapons, ShotgunBlast},
    SoundEntry{"sounds/waffen/gewehr_laden02.wav",   "shotgun reload: shell in, pump back, home", 0.75, G::Weapons, ShotgunReload},
    SoundEntry{"sounds/waffen/gewehr_leer01.wav",    "dry click of an empty shotgun or machine gun", 0.12, G::Weapons, ShotgunEmptyClick},
    SoundEntry{"sounds/waffen/armbrust01.wav",       "crossbow shot: twang, thwack, bolt hiss",   0.9, G::Weapons, CrossbowShot},
    SoundEntry{"sounds/waffen/armbrust_laden01.wav", "crossbow reload: ratchet and the nut's click", 0.8, G::Weapons, CrossbowReload},
    SoundEntry{"sounds/waffen/armbrust_leer01.wav",  "empty crossbow: trigger knocks on wood",    0.14, G::Weapons, CrossbowEmptyClick},
    SoundEntry{"sounds/waffen/mg04a.wav",            "machine-gun burst (restarted every 50 ms while held)", 1.0, G::Weapons, MachineGunBurst},
    SoundEntry{"sounds/waffen/dynamit04.wav",        "dynamite blast with falling debris",        1.9, G::Weapons, DynamiteBlast},
    // Animals: the hit sounds.
    SoundEntry{"sounds/tiere/wildschwein02.wav",     "boar hit: grunts",                          1.0, G::Animals, BoarGrunt},
    SoundEntry{"sounds/tiere/ente02.wav",            "duck hit: quacks",                          0.8, G::Animals, DuckQuack},
    SoundEntry{"sounds/tiere/maulwurf01.wav",        "mole hit: squeaks",                         0.5, G::Animals, MoleSqueak},
    SoundEntry{"sounds/tiere/wachtel.wav",           "quail hit: its three-note call",            0.8, G::Animals, QuailCall},
    SoundEntry{"sounds/tiere/hase.wav",              "hare hit: a shrill squeal",                 0.7, G::Animals, HareSqueal},
    SoundEntry{"sounds/tiere/hirsch.wav",            "deer hit: a stag's roar",                   1.4, G::Animals, DeerRoar},
    SoundEntry{"sounds/tiere/rabe01.wav",            "raven hit: two caws",                       0.9, G::Animals, RavenCaw},
    SoundEntry{"sounds/tiere/baer01.wav",            "bear and bear target hit: a growl",         1.5, G::Animals, BearGrowl},
    SoundEntry{"sounds/tiere/specht.wav",            "woodpecker hit: its laughing call",         1.3, G::Animals, WoodpeckerCall},
    // Scenery: the objects' hit and action sounds.
    SoundEntry{"sounds/effekte/aa.wav",              "mountain peak crumbles under the machine gun: rock slide", 1.9, G::Scenery, RockSlide},
    SoundEntry{"sounds/effekte/ac.wav",              "bottle (and the clock's glass) shatters",   1.0, G::Scenery, BottleShatter},
    SoundEntry{"sounds/effekte/ad.wav",              "fly agaric cap bursts off its stalk",       0.7, G::Scenery, FlyAgaricBurst},
    SoundEntry{"sounds/effekte/ah.wav",              "silo takes off like a rocket",              1.95, G::Scenery, SiloLiftOff},
    SoundEntry{"sounds/effekte/ai.wav",              "power switch thrown: clack and electric buzz", 0.9, G::Scenery, PowerSwitch},
    SoundEntry{"sounds/effekte/aj.wav",              "cover of the power box clangs off",         0.7, G::Scenery, PowerBoxCover},
    SoundEntry{"sounds/effekte/ak.wav",              "clay pot knocked into the air",             0.5, G::Scenery, PotKnock},
    SoundEntry{"sounds/effekte/al.wav",              "scarecrow creaks round on its pole",        0.8, G::Scenery, ScarecrowCreak},
    SoundEntry{"sounds/effekte/am.wav",              "water gurgles into the trough",             1.6, G::Scenery, TroughGurgle},
    SoundEntry{"sounds/effekte/an.wav",              "cork pops",                                 0.3, G::Scenery, CorkPop},
    SoundEntry{"sounds/effekte/impact02.wav",        "tin can hit: metallic clang",               0.6, G::Scenery, TinCanClang},
    SoundEntry{"sounds/effekte/specht_klopf01.wav",  "one knock of the woodpecker (repeated into drumming)", 0.1, G::Scenery, WoodpeckerKnock},
    SoundEntry{"sounds/effekte/uhr01a.wav",          "clock in view, last seconds: urgent ticking (every second)", 0.95, G::Scenery, ClockTickUrgent},
    SoundEntry{"sounds/effekte/uhr02a.wav",          "clock out of view: calm tick-tock (every second)", 0.8, G::Scenery, ClockTickCalm},
    // Signals: the bell notes of the hint melody and the hunting-horn calls.
    SoundEntry{"sounds/effekte/ae.wav",              "bell note 1 (C)",                           1.8, G::Signals, BellNoteLow},
    SoundEntry{"sounds/effekte/af.wav",              "bell note 2 (E)",                           1.8, G::Signals, BellNoteMiddle},
    SoundEntry{"sounds/effekte/ag.wav",              "bell note 3 (G)",                           1.8, G::Signals, BellNoteHigh},
    SoundEntry{"sounds/effekte/halali1.wav",         "horn call for a hit streak",                1.6, G::Signals, StreakHornCall},
    SoundEntry{"sounds/effekte/halali2.wav",         "horn call for a completed stage",           3.2, G::Signals, StageHornCall},
    SoundEntry{"sounds/effekte/wafe1.wav",           "horn call for a weapon unlocked",           2.4, G::Signals, UnlockHornCall},
    // Music: looped for as long as the menu or the game lasts.
    SoundEntry{"sounds/music/menu01.wav",            "menu tune: a woodland waltz in G", 72.0, G::Music, MenuTune},
    SoundEntry{"sounds/music/ingame01.wav",          "game tune: a polka in D", 64.0, G::Music, GameTune},
};
// clang-format on

// The loudest 100 ms of any effect, ear-weighted, may be no more than a few decibels louder than
// the shotgun's (about -12.5 dBFS): high squeaks and calls are turned down below their peak
// level so that they do not pierce.
constexpr double kEffectLoudnessCapDb = -9.0;

constexpr double kMusicSeamFadeSeconds = 0.006;

}  // namespace

std::span<const SoundEntry> SoundCatalogue() {
    return kCatalogue;
}

const char* GroupName(SoundGroup group) {
    switch (group) {
        case SoundGroup::Weapons:
            return "weapons";
        case SoundGroup::Animals:
            return "animals";
        case SoundGroup::Scenery:
            return "scenery";
        case SoundGroup::Signals:
            return "signals";
        case SoundGroup::Music:
            return "music";
    }
    return "?";
}

Clip RenderSound(const SoundEntry& entry) {
    Random random(SeedFromName(entry.path));
    Clip clip = entry.recipe(random);
    MasteringPlan plan;
    if (entry.group == SoundGroup::Music) {
        // A loop: its ends join each other, so no trims or filters that would break the seam.
        // The reverb rings across the seam; the file may also start from silence, so both ends
        // dip to zero over a few milliseconds, masked by the first downbeat.
        plan.fadeInSeconds = kMusicSeamFadeSeconds;
        plan.fadeOutSeconds = kMusicSeamFadeSeconds;
        plan.trimBelowDb = 0.0;
        plan.removeDc = false;
    } else {
        plan.loudestCapDb = kEffectLoudnessCapDb;
        if (entry.seconds > 0.0 && clip.Frames() > FramesFor(entry.seconds)) {
            Resize(clip, FramesFor(entry.seconds));
        }
        plan.fadeOutSeconds = std::min(0.05, 0.2 * clip.Seconds());
    }
    Master(clip, plan);
    return clip;
}

}  // namespace assetgen::sound
