#include "presentation/level_assets.h"

#include <cstdio>

#include "display/bitmap_surface.h"
#include "display/display_device.h"
#include "gamestate/asset_catalogue.h"
#include "gamestate/game_state.h"
#include "gamestate/sound_files.h"
#include "platform/platform.h"
#include "presentation/loading_screen.h"
#include "presentation/menu_link.h"
#include "presentation/screen_surfaces.h"
#include "sound/sound.h"
#include "sound/sound_system.h"
#include "world/entity.h"
#include "world/level_layout.h"
#include "world/weapon.h"

namespace presentation {

// This file fills the catalogue's slots.
using namespace gamestate;

namespace {

// Replaces what `slot` holds with `path` loaded at `width` x `height` (0 = its own size) and
// keys it. Entities still drawing the old picture are moved to the new one before the old one
// goes, so none of them ever draws a deleted surface.
void ReplaceSlot(CDisplayDevice* display, CBitmapSurface*& slot, const char* path, int width,
                 int height, COLORREF key) {
    CBitmapSurface* old = slot;
    slot = nullptr;
    display->LoadBitmapSurface(&slot, path, width, height);
    if (slot && key != CLR_INVALID) slot->SetKeyColour(key);
    if (old) {
        world::ReplaceSpriteEverywhere(old, slot);
        delete old;
    }
}

// The same, followed by one progress step.
void RefillSlot(CDisplayDevice* display, bool firstLoad, CBitmapSurface*& slot, const char* path,
                int width, int height, COLORREF key) {
    ReplaceSlot(display, slot, path, width, height, key);
    ShowLoadingProgress(display, firstLoad);
}

// One animal or effect: its images at full size, then at half and a quarter of the size of its
// full-size image 1.
struct SpriteSetFiles {
    SpriteSet* set;
    const char* images[8];                 // file of each image number; null = not used
    int sizeClasses;                       // 2: full and half; 3: also a quarter
    const char* halfImage4;                // a different file for the half-size image 4, if any
    bool fullImage4IsLoadingHare = false;  // loaded first of all, not again with its set
};

const SpriteSetFiles SpriteSetCatalogue[] = {
    {&HareSprites,
     {nullptr, "grafik/tiere/Hase1.bmp", nullptr, nullptr, "grafik/tiere/Hase4.bmp"},
     2,
     nullptr,
     true},
    {&BoarSprites,
     {nullptr, "grafik/tiere/wildschwein1.bmp", "grafik/tiere/wildschwein2.bmp", nullptr,
      "grafik/tiere/wildschwein4.bmp", "grafik/tiere/wildschwein5.bmp"},
     3,
     nullptr},
    {&AppleSprites,
     {nullptr, "grafik/tiere/apfel1.bmp", "grafik/tiere/apfel2.bmp", nullptr,
      "grafik/tiere/apfel4.bmp", "grafik/tiere/apfel5.bmp"},
     3,
     nullptr},
    {&DuckSprites,
     {nullptr, "grafik/tiere/flugente1.bmp", nullptr, nullptr, "grafik/tiere/flugente4.bmp"},
     2,
     nullptr},
    // The small ravens face left in both directions.
    {&RavenSprites,
     {nullptr, "grafik/tiere/rabe1.bmp", nullptr, nullptr, "grafik/tiere/rabe4.bmp"},
     2,
     "grafik/tiere/rabe1.bmp"},
    {&MoleSprites,
     {nullptr, "grafik/tiere/maulwurf1.bmp", nullptr, nullptr, "grafik/tiere/maulwurf4.bmp"},
     2,
     nullptr},
    {&QuailSprites,
     {nullptr, "grafik/tiere/wachtel1.bmp", nullptr, nullptr, "grafik/tiere/wachtel4.bmp"},
     3,
     nullptr},
    {&BearTargetSprites, {nullptr, "grafik/objekte/level3/baer_zielscheibe_anim.bmp"}, 1, nullptr},
    {&CrumbsSprites, {nullptr, "grafik/tiere/broesel_anim.bmp"}, 3, nullptr},
    {&ExplosionSprites, {nullptr, "grafik/tiere/explosion_anim.bmp"}, 3, nullptr},
};

void LoadSpriteSet(CDisplayDevice* display, bool firstLoad, const SpriteSetFiles& files) {
    SpriteSet& set = *files.set;
    for (int sizeClass = FullSize; sizeClass <= files.sizeClasses; ++sizeClass) {
        int width = 0;
        int height = 0;
        if (sizeClass != FullSize) {
            // Scaled copies take their size from image 1, whichever image is being loaded.
            const CBitmapSurface* first = set.at(FullSize, 1);
            const int divisor = sizeClass == HalfSize ? 2 : 4;
            width = first ? first->Width() / divisor : 0;
            height = first ? first->Height() / divisor : 0;
        }
        for (int image = 1; image <= 7; ++image) {
            const char* path = files.images[image];
            if (!path) continue;
            if (files.fullImage4IsLoadingHare && sizeClass == FullSize && image == 4) continue;
            if (sizeClass == HalfSize && image == 4 && files.halfImage4) path = files.halfImage4;
            RefillSlot(display, firstLoad, set.images[sizeClass][image], path, width, height,
                       SpriteKeyColour);
        }
    }
}

void LoadBackgroundTiles(CDisplayDevice* display, bool firstLoad) {
    char path[64];
    for (int layer = FarLayer; layer <= NearLayer; ++layer) {
        for (int tile = 1; tile <= TilesPerLayer; ++tile) {
            std::snprintf(path, sizeof path, "grafik/hintergrund/E%d%d.bmp", layer, tile);
            RefillSlot(display, firstLoad, BackgroundTiles[layer][tile], path, 0, 0, CLR_INVALID);
        }
    }
}

void LoadScenePictures(CDisplayDevice* display, bool firstLoad) {
    for (int picture = 0; picture < ScenePictureCount; ++picture) {
        const bool panel = picture >= CrossbowInfoPicture;
        RefillSlot(display, firstLoad, ScenePictures[picture], ScenePictureFiles[picture], 0, 0,
                   panel ? CLR_INVALID : SpriteKeyColour);
        if (panel && ScenePictures[picture]) ScenePictures[picture]->SetKeyColour(PanelKeyColour);
    }
}

void LoadEffectSounds() {
    for (int i = 0; i < EffectSoundCount; ++i)
        sound::LoadSoundOnce(EffectSounds[i], EffectSoundFiles[i]);
}

void StartGameMusic() {
    if (sound::LoadSoundOnce(gamestate::GameMusic, sound_file::GameTune))
        gamestate::GameMusic->StartSound(0, DSBPLAY_LOOPING);
}

}  // namespace

int LoadLevelAssets(CDisplayDevice* display, bool firstLoad) {
    if (!display) return 0;
    LoadingProgress = 0.0f;
    world::PrepareWeapon(display, firstLoad);

    // The running hare of the loading screen first, so that it runs from the first step on. Its
    // corner pixel is the colour that pixel-exact hit tests take for transparent.
    CBitmapSurface*& hare = HareSprites.images[FullSize][4];
    ReplaceSlot(display, hare, "grafik/tiere/Hase4.bmp", 0, 0, SpriteKeyColour);
    TransparentPixelColour = hare ? hare->ReadPixelColour(0, 0) : CLR_INVALID;
    ShowLoadingProgress(display, firstLoad);

    LoadBackgroundTiles(display, firstLoad);
    for (const SpriteSetFiles& files : SpriteSetCatalogue) LoadSpriteSet(display, firstLoad, files);
    LoadScenePictures(display, firstLoad);
    for (int layer = MidLayer; layer <= NearLayer; ++layer) {
        for (int tile = 1; tile <= TilesPerLayer; ++tile) {
            if (BackgroundTiles[layer][tile])
                BackgroundTiles[layer][tile]->SetKeyColour(PanelKeyColour);
        }
    }

    LoadEffectSounds();
    ShowLoadingProgress(display, firstLoad);

    const presentation::MusicOptions music = presentation::CurrentMusicOptions();
    if (music.StreamMusic == 0 && firstLoad && music.MusicOn == 0) StartGameMusic();
    if (!firstLoad) return 0;

    // The fixed objects of the three regions.
    world::LayoutMeadow(platform::Ticks());
    ShowLoadingProgress(display, firstLoad);
    world::LayoutForest(platform::Ticks());
    ShowLoadingProgress(display, firstLoad);
    world::LayoutField(platform::Ticks());
    ShowLoadingProgress(display, firstLoad);
    return 0;
}

void ReleaseCatalogueBitmaps() {
    // Entities keep no reference to a picture that is gone.
    gamestate::ForEachPictureSlot([](CBitmapSurface*& slot) {
        world::ReplaceSpriteEverywhere(slot, nullptr);
        delete slot;
        slot = nullptr;
    });
    TransparentPixelColour = CLR_INVALID;
}

void ReleaseAllSurfaces() {
    ReleaseScreenSurfaces();
    ReleaseCatalogueBitmaps();
}

}  // namespace presentation
