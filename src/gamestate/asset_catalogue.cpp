#include "gamestate/asset_catalogue.h"

#include "display/bitmap_surface.h"
#include "display/colour.h"
#include "gamestate/sound_files.h"
#include "sound/sound.h"

namespace gamestate {

SpriteSet HareSprites;
SpriteSet BoarSprites;
SpriteSet AppleSprites;
SpriteSet DuckSprites;
SpriteSet RavenSprites;
SpriteSet MoleSprites;
SpriteSet QuailSprites;
SpriteSet BearTargetSprites;
SpriteSet CrumbsSprites;
SpriteSet ExplosionSprites;

CBitmapSurface* BackgroundTiles[4][TilesPerLayer + 1] = {};
CBitmapSurface* ScenePictures[ScenePictureCount] = {};
CSound* EffectSounds[EffectSoundCount] = {};
uint32_t TransparentPixelColour = CLR_INVALID;

void PlayEffect(EffectSound effect) {
    if (CSound* sound = EffectSounds[effect]) sound->StartSound(0, 0);
}

const char* const ScenePictureFiles[ScenePictureCount] = {
    "grafik/objekte/level1/stromklappe.bmp",
    "grafik/objekte/level1/stromschalter.bmp",
    "grafik/objekte/level1/flasche.bmp",
    "grafik/objekte/level1/topf.bmp",
    "grafik/objekte/level1/bluetenblaetter_all.bmp",
    "grafik/objekte/level1/bluetenmitte.bmp",
    "grafik/objekte/level1/blumenstiel1.bmp",
    "grafik/objekte/level1/blumenstiel2.bmp",
    "grafik/objekte/level1/blumenstiel3.bmp",
    "grafik/objekte/level1/blumenstiel1b.bmp",
    "grafik/objekte/level1/blumenstiel2b.bmp",
    "grafik/objekte/level1/blumenstiel3b.bmp",
    "grafik/objekte/level1/bluetenblatt1.bmp",
    "grafik/objekte/level1/bluetenblatt2.bmp",
    "grafik/objekte/level1/bluetenblatt3.bmp",
    "grafik/objekte/level1/bluetenblatt4.bmp",
    "grafik/objekte/level1/bluetenblatt5.bmp",
    "grafik/objekte/level1/bluetenblatt6.bmp",
    "grafik/objekte/level1/bluetenblatt7.bmp",
    "grafik/objekte/level1/bluetenblatt8.bmp",
    "grafik/objekte/level1/bluetenblatt9.bmp",
    "grafik/objekte/level1/bluetenblatt10.bmp",
    "grafik/objekte/level1/bluetenblatt11.bmp",
    "grafik/objekte/level1/bluetenblatt12.bmp",
    "grafik/objekte/level1/bluetenblatt13.bmp",
    "grafik/objekte/level1/bluetenblatt14.bmp",
    "grafik/objekte/level1/bluetenblatt15.bmp",
    "grafik/objekte/level1/bluetenblatt16.bmp",
    "grafik/objekte/level1/findling_small.bmp",
    "grafik/objekte/level1/findling_big1.bmp",
    "grafik/objekte/level1/zaunauge.bmp",
    "grafik/objekte/level1/vogelscheuche_anim.bmp",
    "grafik/objekte/level1/vogelscheuche_arm1.bmp",
    "grafik/objekte/level1/vogelscheuche_arm2.bmp",
    "grafik/objekte/level1/vogelscheuche_hut.bmp",
    "grafik/objekte/level1/Stromstoss.bmp",
    "grafik/objekte/level1/silo.bmp",
    "grafik/objekte/level1/berggipfel.bmp",
    "grafik/ingame/uhr.bmp",
    "grafik/objekte/level2/champignon1.bmp",
    "grafik/objekte/level2/champignon2.bmp",
    "grafik/objekte/level2/champignon3.bmp",
    "grafik/objekte/level2/champignon4.bmp",
    "grafik/objekte/level2/champignon5.bmp",
    "grafik/objekte/level2/Glocke1.bmp",
    "grafik/objekte/level2/Glocke2.bmp",
    "grafik/objekte/level2/Glocke3.bmp",
    "grafik/objekte/level2/dose_anim.bmp",
    "grafik/objekte/level2/korken.bmp",
    "grafik/objekte/level2/apfel_anim.bmp",
    "grafik/objekte/level2/apfelstiel.bmp",
    "grafik/objekte/level2/skulptur_anim.bmp",
    "grafik/objekte/level2/trogwasser_anim.bmp",
    "grafik/objekte/level3/baumherz_anim.bmp",
    "grafik/objekte/level3/eichel1.bmp",
    "grafik/objekte/level3/eichel2.bmp",
    "grafik/objekte/level3/eichel3.bmp",
    "grafik/objekte/level3/eichel4.bmp",
    "grafik/objekte/level3/eichel5.bmp",
    "grafik/objekte/level3/eichel6.bmp",
    "grafik/objekte/level3/hoehlenstein.bmp",
    "grafik/objekte/level3/baumaugen1.bmp",
    "grafik/objekte/level3/baumaugen2.bmp",
    "grafik/objekte/level3/baumaugen3.bmp",
    "grafik/objekte/level3/fliegerpilzstengel.bmp",
    "grafik/objekte/level3/fliegerpilz_anim.bmp",
    "grafik/objekte/level3/Specht.bmp",
    "grafik/ingame/wieseschild_anim.bmp",
    "grafik/ingame/waldschild_anim.bmp",
    "grafik/ingame/feldschild_anim.bmp",
    "grafik/ingame/info_armbrust.bmp",
    "grafik/ingame/info_dynamit.bmp",
    "grafik/ingame/info_mg.bmp",
};

const char* const EffectSoundFiles[EffectSoundCount] = {
    sound_file::StageFanfare,   sound_file::StreakFanfare, sound_file::UnlockFanfare,
    sound_file::ShotgunShot,    sound_file::CrossbowShot,  sound_file::DynamiteBlast,
    sound_file::MachineGunShot, sound_file::SiloLaunch,
};

void ForEachPictureSlot(const std::function<void(CBitmapSurface*&)>& visit) {
    SpriteSet* const spriteSets[] = {
        &HareSprites, &BoarSprites,  &AppleSprites,      &DuckSprites,   &RavenSprites,
        &MoleSprites, &QuailSprites, &BearTargetSprites, &CrumbsSprites, &ExplosionSprites};
    for (SpriteSet* set : spriteSets) {
        for (auto& sizeClass : set->images) {
            for (CBitmapSurface*& image : sizeClass) visit(image);
        }
    }
    for (auto& layer : BackgroundTiles) {
        for (CBitmapSurface*& tile : layer) visit(tile);
    }
    for (CBitmapSurface*& picture : ScenePictures) visit(picture);
}

void ReleaseEffectSounds() {
    for (CSound*& sound : EffectSounds) {
        delete sound;
        sound = nullptr;
    }
}

}  // namespace gamestate
