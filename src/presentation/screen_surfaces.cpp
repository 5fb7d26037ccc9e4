#include "presentation/screen_surfaces.h"

#include "display/display_device.h"
#include "gamestate/game_state.h"

namespace presentation {

CBitmapSurface* StartScreenSurface = nullptr;
CBitmapSurface* LoadingScreenSurface = nullptr;
CBitmapSurface* IngameSheet = nullptr;

void ReloadSurface(CDisplayDevice* display, CBitmapSurface*& slot, const char* path, int width,
                   int height, unsigned keyColour) {
    delete slot;
    slot = nullptr;
    if (!display) return;
    display->LoadBitmapSurface(&slot, path, width, height);
    if (slot && keyColour != CLR_INVALID) slot->SetKeyColour(keyColour);
}

void LoadLoadingScreen(CDisplayDevice* display) {
    if (gamestate::Game.PanoramaMode) {
        ReloadSurface(display, LoadingScreenSurface, PanoramaLoadingScreenFile, 800, 600,
                      CLR_INVALID);
        if (LoadingScreenSurface) return;
    }
    ReloadSurface(display, LoadingScreenSurface, LoadingScreenFile, 800, 600, CLR_INVALID);
}

void LoadIngameSheet(CDisplayDevice* display) {
    ReloadSurface(display, IngameSheet, IngameSheetFile, 0, 0, PanelKeyColour);
}

void ReleaseScreenSurfaces() {
    for (CBitmapSurface** slot : {&StartScreenSurface, &LoadingScreenSurface, &IngameSheet}) {
        delete *slot;
        *slot = nullptr;
    }
}

}  // namespace presentation
