#include "presentation/level_assets.h"

#include "display/display_device.h"
#include "presentation/screen_surfaces.h"

namespace presentation {

int LoadLevelAssets(CDisplayDevice*, bool) {
    return 0;
}

void ReleaseAllSurfaces(CDisplayDevice*& display) {
    ReleaseScreenSurfaces();
    delete display;
    display = nullptr;
}

}  // namespace presentation
