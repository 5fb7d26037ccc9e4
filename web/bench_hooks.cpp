// What the page's benchmark measures inside the game (window.tq.busyFrameMs in page.js): the busy
// playing frame that tq_bench measures on Linux, drawn by the same code in the browser's
// WebAssembly.
#include <emscripten.h>

#include <memory>

#include "busy_world.h"

// The busy playing frame, `frames` of them after one to warm up: ms per frame, in the forest or
// across the hunting ground's seam. The crowded world takes the game's display and backend: the
// page is for measuring only from then on.
extern "C" EMSCRIPTEN_KEEPALIVE double tq_bench_busy_frame_ms(int frames, int panorama) {
    static std::unique_ptr<bench::BusyWorld> world;
    if (!world) world = std::make_unique<bench::BusyWorld>("/data");
    world->Enter(panorama ? bench::Panorama : bench::Forest);
    world->PlayFrame();
    const double start = emscripten_get_now();
    for (int i = 0; i < frames; ++i) world->PlayFrame();
    return frames > 0 ? (emscripten_get_now() - start) / frames : 0.0;
}
