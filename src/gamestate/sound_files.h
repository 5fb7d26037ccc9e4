// Every sound file the game plays, below the data directory, with what the game does with it.
// The game names its sounds from here; the asset generator makes exactly these files and the
// asset tests check exactly these, so a file can neither be forgotten nor misspelt in one place.
#pragma once

#include <string_view>

namespace gamestate {

namespace sound_file {

// Weapons: the shots, reloads and empty clicks.
inline constexpr char ShotgunShot[] = "sounds/waffen/gewehr02.wav";  // also the menu's click
inline constexpr char ShotgunReload[] = "sounds/waffen/gewehr_laden02.wav";
inline constexpr char ShotgunEmpty[] = "sounds/waffen/gewehr_leer01.wav";  // and machine gun
inline constexpr char CrossbowShot[] = "sounds/waffen/armbrust01.wav";
inline constexpr char CrossbowReload[] = "sounds/waffen/armbrust_laden01.wav";
inline constexpr char CrossbowEmpty[] = "sounds/waffen/armbrust_leer01.wav";
// Restarted for every round while the trigger is held (every 50 ms).
inline constexpr char MachineGunShot[] = "sounds/waffen/mg04a.wav";
inline constexpr char DynamiteBlast[] = "sounds/waffen/dynamit04.wav";

// Animals, when hit.
inline constexpr char BoarHit[] = "sounds/tiere/wildschwein02.wav";
inline constexpr char DuckHit[] = "sounds/tiere/ente02.wav";
inline constexpr char MoleHit[] = "sounds/tiere/maulwurf01.wav";
inline constexpr char QuailHit[] = "sounds/tiere/wachtel.wav";
inline constexpr char HareHit[] = "sounds/tiere/hase.wav";
inline constexpr char DeerHit[] = "sounds/tiere/hirsch.wav";
inline constexpr char RavenHit[] = "sounds/tiere/rabe01.wav";
inline constexpr char BearHit[] = "sounds/tiere/baer01.wav";  // the bear and its target
inline constexpr char WoodpeckerHit[] = "sounds/tiere/specht.wav";

// Scenery: hit or set in motion.
inline constexpr char PeakCrumbles[] = "sounds/effekte/aa.wav";
inline constexpr char BottleShatters[] = "sounds/effekte/ac.wav";  // also the clock's glass
inline constexpr char FlyAgaricBursts[] = "sounds/effekte/ad.wav";
inline constexpr char SiloLaunch[] = "sounds/effekte/ah.wav";
inline constexpr char SwitchThrown[] = "sounds/effekte/ai.wav";
inline constexpr char PowerBoxCover[] = "sounds/effekte/aj.wav";
inline constexpr char PotKnocked[] = "sounds/effekte/ak.wav";
inline constexpr char ScarecrowTurns[] = "sounds/effekte/al.wav";
inline constexpr char TroughGurgles[] = "sounds/effekte/am.wav";
inline constexpr char CorkPops[] = "sounds/effekte/an.wav";
inline constexpr char TinCanClangs[] = "sounds/effekte/impact02.wav";
// Repeated while the camera looks at the field, one knock at a time.
inline constexpr char WoodpeckerKnock[] = "sounds/effekte/specht_klopf01.wav";
// Once a second in the round's last seconds: in the playfield, and once shot away.
inline constexpr char ClockTick[] = "sounds/effekte/uhr01a.wav";
inline constexpr char ClockTickAway[] = "sounds/effekte/uhr02a.wav";

// Signals: the hint melody's three bell notes and the horn calls.
inline constexpr char BellNote1[] = "sounds/effekte/ae.wav";
inline constexpr char BellNote2[] = "sounds/effekte/af.wav";
inline constexpr char BellNote3[] = "sounds/effekte/ag.wav";
inline constexpr char StreakFanfare[] = "sounds/effekte/halali1.wav";
inline constexpr char StageFanfare[] = "sounds/effekte/halali2.wav";
inline constexpr char UnlockFanfare[] = "sounds/effekte/wafe1.wav";

// Music, looped for as long as its screen lasts.
inline constexpr char MenuTune[] = "sounds/music/menu01.wav";
inline constexpr char GameTune[] = "sounds/music/ingame01.wav";

}  // namespace sound_file

// How the game plays a file: an effect once, where it happens; a fanfare once, over play, to
// mark an event; music looped (whole, or streamed in segments).
enum class SoundUse { Effect, Fanfare, Music };

struct SoundFile {
    const char* path;
    SoundUse use;
};

inline constexpr SoundFile SoundManifest[] = {
    {sound_file::ShotgunShot, SoundUse::Effect},
    {sound_file::ShotgunReload, SoundUse::Effect},
    {sound_file::ShotgunEmpty, SoundUse::Effect},
    {sound_file::CrossbowShot, SoundUse::Effect},
    {sound_file::CrossbowReload, SoundUse::Effect},
    {sound_file::CrossbowEmpty, SoundUse::Effect},
    {sound_file::MachineGunShot, SoundUse::Effect},
    {sound_file::DynamiteBlast, SoundUse::Effect},
    {sound_file::BoarHit, SoundUse::Effect},
    {sound_file::DuckHit, SoundUse::Effect},
    {sound_file::MoleHit, SoundUse::Effect},
    {sound_file::QuailHit, SoundUse::Effect},
    {sound_file::HareHit, SoundUse::Effect},
    {sound_file::DeerHit, SoundUse::Effect},
    {sound_file::RavenHit, SoundUse::Effect},
    {sound_file::BearHit, SoundUse::Effect},
    {sound_file::WoodpeckerHit, SoundUse::Effect},
    {sound_file::PeakCrumbles, SoundUse::Effect},
    {sound_file::BottleShatters, SoundUse::Effect},
    {sound_file::FlyAgaricBursts, SoundUse::Effect},
    {sound_file::SiloLaunch, SoundUse::Effect},
    {sound_file::SwitchThrown, SoundUse::Effect},
    {sound_file::PowerBoxCover, SoundUse::Effect},
    {sound_file::PotKnocked, SoundUse::Effect},
    {sound_file::ScarecrowTurns, SoundUse::Effect},
    {sound_file::TroughGurgles, SoundUse::Effect},
    {sound_file::CorkPops, SoundUse::Effect},
    {sound_file::TinCanClangs, SoundUse::Effect},
    {sound_file::WoodpeckerKnock, SoundUse::Effect},
    {sound_file::ClockTick, SoundUse::Effect},
    {sound_file::ClockTickAway, SoundUse::Effect},
    {sound_file::BellNote1, SoundUse::Effect},
    {sound_file::BellNote2, SoundUse::Effect},
    {sound_file::BellNote3, SoundUse::Effect},
    {sound_file::StreakFanfare, SoundUse::Fanfare},
    {sound_file::StageFanfare, SoundUse::Fanfare},
    {sound_file::UnlockFanfare, SoundUse::Fanfare},
    {sound_file::MenuTune, SoundUse::Music},
    {sound_file::GameTune, SoundUse::Music},
};

// How the game plays `path`; an effect when it is not a file of the manifest.
constexpr SoundUse UseOf(std::string_view path) {
    for (const SoundFile& file : SoundManifest) {
        if (path == file.path) return file.use;
    }
    return SoundUse::Effect;
}

}  // namespace gamestate
