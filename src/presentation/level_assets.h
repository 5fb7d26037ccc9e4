// The catalogue of every picture and effect sound a round needs, loaded behind the loading
// screen, and the release of every picture when the window goes.
#pragma once

class CDisplayDevice;

namespace presentation {

// Loads the whole catalogue; `firstLoad` is false when it only rebuilds lost pictures.
int LoadLevelAssets(CDisplayDevice* display, bool firstLoad);

// Deletes the start screen, the display device and every picture slot.
void ReleaseAllSurfaces(CDisplayDevice*& display);

// Deletes every picture slot of the catalogue (not the sounds).
void ReleaseCatalogueBitmaps();
// Deletes the effect sounds as well; for tests.
void ReleaseCatalogueForTests();

}  // namespace presentation
