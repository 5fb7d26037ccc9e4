#include "presentation/loading_screen.h"

#include "display/bitmap_surface.h"
#include "display/display_device.h"
#include "gamestate/asset_catalogue.h"
#include "gamestate/game_state.h"
#include "presentation/menu_link.h"
#include "presentation/screen_surfaces.h"
#include "sound/music_stream.h"
#include "sound/sound.h"

namespace presentation {

float LoadingProgress = 0.0f;
int LoadingStepsShown = 0;

namespace {

// The hare strip holds 30 equal frames; the first five are its run cycle.
constexpr int HareStripFrames = 30;
constexpr int HareRunFrames = 5;
constexpr int HareStepPixels = 44;
constexpr int HareY = 305;
// Attenuation per unit of progress, in hundredths of a decibel.
constexpr float FadePerProgress = 400.0f;

void FadeMenuMusic() {
    const presentation::MusicOptions options = presentation::CurrentMusicOptions();
    if (options.MusicOn != 0) return;
    CSound* music = options.StreamMusic == 1 ? sound::MusicStream : gamestate::MenuMusic;
    if (!music) return;
    if (CSoundBuffer* buffer = music->BufferAt(0)) {
        buffer->SetVolume(-static_cast<int32_t>(LoadingProgress * FadePerProgress));
    }
}

}  // namespace

void ResetLoadingScreen() {
    LoadingProgress = 0.0f;
    LoadingStepsShown = 0;
}

HRESULT ShowLoadingProgress(CDisplayDevice* display, bool firstLoad) {
    if (!display) return E_POINTER;
    display->DrawSurface(0, 0, LoadingScreenSurface, nullptr);
    if (CBitmapSurface* hare = gamestate::HareSprites.at(gamestate::FullSize, 4)) {
        const int p = static_cast<int>(LoadingProgress);
        const int w = hare->Width() / HareStripFrames;
        const Rect source{w * (p % HareRunFrames), 0, w * (p % HareRunFrames + 1), hare->Height()};
        display->DrawSurface(static_cast<uint32_t>(p * HareStepPixels), HareY, hare, &source);
    }
    LoadingProgress += 0.1f;
    if (firstLoad) FadeMenuMusic();
    ++LoadingStepsShown;
    return display->ShowFrame();
}

}  // namespace presentation
