// A game loaded from the asset pack with a crowded world: all three layers, 150 entities and the
// HUD, on a headless backend of its own. The playing-frame benchmark measures its frames, and so
// does the browser build's page, so that both figures mean the same frame.
#pragma once

#include "display/display_device.h"
#include "platform/headless/headless_backend.h"

namespace bench {

// Where a round is played: the camera at its start (the animals spawn around it) and where the
// frames are measured, 350 pixels on.
struct View {
    bool panorama;
    float spawnCamera;
    float camera;
};
// In the middle of the forest's range.
constexpr View Forest{false, 1600.0f, 1950.0f};
// Across the seam: near 4780 (tiles 6 and 1), middle 4541 and far 4302 (tiles 6, 1 and 2).
constexpr View Panorama{true, 4430.0f, 4780.0f};

class BusyWorld {
  public:
    // Loads the pictures and sounds from `dataDir` (the current directory from then on) and
    // crowds the forest. It takes the game's display and installs its own backend.
    explicit BusyWorld(const char* dataDir);
    ~BusyWorld();
    BusyWorld(const BusyWorld&) = delete;
    BusyWorld& operator=(const BusyWorld&) = delete;

    // A round started at the view's spawn camera and crowded with animals, the camera at the
    // view; a new view gets a new round, so both are measured with the same crowd around them.
    // `afresh`: a new round even in the same view.
    void Enter(const View& view, bool afresh = false);
    // One whole playing frame, 16 ms after the last: clear, scene, HUD, crosshair and present.
    void PlayFrame();

    platform::HeadlessBackend& Backend() { return backend_; }
    CDisplayDevice* Display() { return display_; }
    static int ActiveEntities();

  private:
    void Populate(const View& view);

    platform::HeadlessBackend backend_;
    CDisplayDevice* display_ = nullptr;
    View current_ = Forest;
};

}  // namespace bench
