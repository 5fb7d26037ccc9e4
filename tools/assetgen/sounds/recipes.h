// The recipe of every sound: each renders one clip from the sound's own random sequence.
#pragma once

#include "sounds/clip.h"
#include "sounds/random.h"

namespace assetgen::sound {

// Weapons.
Clip ShotgunBlast(Random& random);
Clip ShotgunReload(Random& random);
Clip ShotgunEmptyClick(Random& random);
Clip CrossbowShot(Random& random);
Clip CrossbowReload(Random& random);
Clip CrossbowEmptyClick(Random& random);
Clip MachineGunRound(Random& random);
Clip DynamiteBlast(Random& random);

// Animals.
Clip BoarGrunt(Random& random);
Clip DuckQuack(Random& random);
Clip MoleSqueak(Random& random);
Clip QuailCall(Random& random);
Clip HareSqueal(Random& random);
Clip DeerRoar(Random& random);
Clip RavenCaw(Random& random);
Clip BearGrowl(Random& random);
Clip WoodpeckerCall(Random& random);

// Scenery.
Clip RockSlide(Random& random);
Clip BottleShatter(Random& random);
Clip FlyAgaricBurst(Random& random);
Clip SiloLiftOff(Random& random);
Clip PowerSwitch(Random& random);
Clip PowerBoxCover(Random& random);
Clip PotKnock(Random& random);
Clip ScarecrowCreak(Random& random);
Clip TroughGurgle(Random& random);
Clip CorkPop(Random& random);
Clip TinCanClang(Random& random);
Clip WoodpeckerKnock(Random& random);
Clip ClockTickUrgent(Random& random);
Clip ClockTickCalm(Random& random);

// Signals: bells and hunting-horn calls.
Clip BellNoteLow(Random& random);
Clip BellNoteMiddle(Random& random);
Clip BellNoteHigh(Random& random);
Clip StreakHornCall(Random& random);
Clip StageHornCall(Random& random);
Clip UnlockHornCall(Random& random);

// Music.
Clip MenuTune(Random& random);
Clip GameTune(Random& random);

}  // namespace assetgen::sound
