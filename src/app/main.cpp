// The game's entry point on the real machine: the SDL2 backend, then the program itself.
//
//   tannenquirl [--panorama]     --panorama: the whole hunting ground, whatever the options say
#include <cstring>

#include "app/application.h"
#include "app/data_directory.h"
#include "gamestate/game_state.h"
#include "platform/sdl/sdl_backend.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--panorama") == 0) gamestate::PanoramaMode = true;
    }
    app::EnterDataDirectory(argv[0]);
    platform::SdlBackend backend;
    platform::SetBackend(&backend);
    int code = app::GameMain();
    platform::SetBackend(nullptr);
    return code;
}
