// The catalogue of every picture and effect sound a round needs: fixed slots, each holding a
// surface (or sound) or nothing. The level loading fills the slots and they live for the whole
// run; the scenery, the animals, the drawing and the controls read them. An empty slot draws (or
// plays) nothing.
#pragma once

#include <cstdint>
#include <functional>

#include "gamestate/parallax.h"

class CBitmapSurface;
class CSound;

namespace gamestate {

// Size classes of a sprite set: the file at its own size, and copies stretched at load time to
// half and a quarter of the width and height of the set's image 1.
constexpr int FullSize = 1;
constexpr int HalfSize = 2;
constexpr int QuarterSize = 3;

// The images of one animal or effect by size class (1..3) and image number (1..7). Images 1 and
// 2 are the left-facing strips, 4 and 5 the right-facing ones; unused entries stay empty.
struct SpriteSet {
    CBitmapSurface* images[4][8] = {};
    CBitmapSurface* at(int sizeClass, int image) const { return images[sizeClass][image]; }
};

extern SpriteSet HareSprites;  // full-size image 4 is also the running hare of the loading screen
extern SpriteSet BoarSprites;
extern SpriteSet AppleSprites;
extern SpriteSet DuckSprites;
extern SpriteSet RavenSprites;
extern SpriteSet MoleSprites;
extern SpriteSet QuailSprites;
extern SpriteSet BearTargetSprites;
extern SpriteSet CrumbsSprites;
extern SpriteSet ExplosionSprites;

// Background tiles by layer (1 far, 2 middle, 3 near) and tile (1..6), 600 pixels high.
extern CBitmapSurface* BackgroundTiles[4][TilesPerLayer + 1];

// Single pictures: scenery of the three regions, the clock target, the signs and the weapon
// information panels, in load order.
enum ScenePicture : int {
    // meadow
    PowerBoxCoverPicture,
    PowerSwitchPicture,
    BottlePicture,
    PotPicture,
    FlowerCrownPicture,
    BlossomCentrePicture,
    Stem1Picture,
    Stem2Picture,
    Stem3Picture,
    Stem1bPicture,
    Stem2bPicture,
    Stem3bPicture,
    Petal1Picture,  // .. Petal1Picture + 15
    SmallBoulderPicture = Petal1Picture + 16,
    BigBoulderPicture,
    FenceEyePicture,
    ScarecrowPicture,
    ScarecrowArm1Picture,
    ScarecrowArm2Picture,
    ScarecrowHatPicture,
    ElectricShockPicture,
    SiloPicture,
    MountainPeakPicture,
    ClockPicture,
    // forest
    Mushroom1Picture,  // .. Mushroom1Picture + 4
    Bell1Picture = Mushroom1Picture + 5,
    Bell2Picture,
    Bell3Picture,
    TinCanPicture,
    CorkPicture,
    TreeApplePicture,
    AppleStalkPicture,
    SculpturePicture,
    TroughWaterPicture,
    // field
    TreeHeartPicture,
    Acorn1Picture,  // .. Acorn1Picture + 5
    CaveStonePicture = Acorn1Picture + 6,
    TreeEyes1Picture,
    TreeEyes2Picture,
    TreeEyes3Picture,
    FlyAgaricStalkPicture,
    FlyAgaricCapPicture,
    WoodpeckerPicture,
    // signs
    MeadowSignPicture,
    ForestSignPicture,
    FieldSignPicture,
    // weapon information panels (keyed with the panel key)
    CrossbowInfoPicture,
    DynamiteInfoPicture,
    MachineGunInfoPicture,
    ScenePictureCount
};
extern CBitmapSurface* ScenePictures[ScenePictureCount];
extern const char* const ScenePictureFiles[ScenePictureCount];

// Effect sounds created once with the first level load and kept.
enum EffectSound : int {
    StageCompleteSound,  // a set of quotas fulfilled
    StreakBonusSound,
    WeaponUnlockSound,
    ShotgunShotSound,
    CrossbowShotSound,
    DynamiteSound,
    MachineGunShotSound,
    SiloLaunchSound,  // the silo hit with the machine gun
    EffectSoundCount
};
extern CSound* EffectSounds[EffectSoundCount];
extern const char* const EffectSoundFiles[EffectSoundCount];
// Starts an effect sound once, if it was loaded.
void PlayEffect(EffectSound effect);

// The colour of the loading hare's top-left pixel, read back after keying; pixel-exact hit tests
// compare against it. CLR_INVALID when the hare did not load.
extern uint32_t TransparentPixelColour;

// Calls `visit` with every picture slot of the catalogue: sprite sets, tiles, scene pictures.
void ForEachPictureSlot(const std::function<void(CBitmapSurface*&)>& visit);
// Deletes the effect sounds.
void ReleaseEffectSounds();

}  // namespace gamestate
