// The game's entry point on the real machine: the SDL2 backend, then the program itself.
#include "app/application.h"
#include "app/data_directory.h"
#include "platform/sdl/sdl_backend.h"

int main(int, char** argv) {
    app::EnterDataDirectory(argv[0]);
    platform::SdlBackend backend;
    platform::SetBackend(&backend);
    int code = app::GameMain();
    platform::SetBackend(nullptr);
    return code;
}
