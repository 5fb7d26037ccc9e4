// The catalogue of every picture and effect sound a round needs, loaded behind the loading
// screen, and the release of every picture when the window goes.
#pragma once

class CDisplayDevice;

namespace presentation {

// Loads the whole catalogue; `firstLoad` is false when it only rebuilds lost pictures.
int LoadLevelAssets(CDisplayDevice* display, bool firstLoad);

// Deletes the screen surfaces and every picture slot of the catalogue.
void ReleaseAllSurfaces();

// Deletes every picture slot of the catalogue (not the sounds) and forgets the transparent colour
// read from one of them.
void ReleaseCatalogueBitmaps();

}  // namespace presentation
