// Pictures that belong to the screens rather than to a level: the start screen, the loading
// screen and the in-game sheet with the HUD icons and the crosshair.
#pragma once

class CBitmapSurface;
class CDisplayDevice;

namespace presentation {

extern CBitmapSurface* StartScreenSurface;
extern CBitmapSurface* LoadingScreenSurface;
extern CBitmapSurface* IngameSheet;

constexpr const char* StartScreenFile = "grafik/screens/startscreen.bmp";
constexpr const char* LoadingScreenFile = "grafik/screens/loadingscreen.bmp";
// The loading screen whose hint line names the whole hunting ground, shown while it is on.
constexpr const char* PanoramaLoadingScreenFile = "grafik/screens/loadingscreen_revier.bmp";
constexpr const char* IngameSheetFile = "grafik/ingame/page_ingame_screen.bmp";

// Deletes what `slot` holds and loads `path` into it (at its own size when width and height are
// 0), keyed with `keyColour` unless that is CLR_INVALID. The slot stays empty when loading fails.
void ReloadSurface(CDisplayDevice* display, CBitmapSurface*& slot, const char* path, int width,
                   int height, unsigned keyColour);

// The loading screen for the mode the game runs in; the plain one when the pack lacks the other.
void LoadLoadingScreen(CDisplayDevice* display);
void LoadIngameSheet(CDisplayDevice* display);

// Deletes every screen surface (the level's pictures are released with the level assets).
void ReleaseScreenSurfaces();

}  // namespace presentation
