// The game's entry point on the real machine: the command line, the SDL2 backend, then the
// program itself. `tannenquirl --help` lists the options.
#include <cstdio>

#include "app/application.h"
#include "app/command_line.h"
#include "app/data_directory.h"
#include "platform/sdl/sdl_backend.h"

int main(int argc, char** argv) {
    const app::CommandLine commandLine = app::ParseCommandLine(argc, argv);
    if (!commandLine.error.empty()) {
        std::fprintf(stderr, "tannenquirl: %s\nTry 'tannenquirl --help'.\n",
                     commandLine.error.c_str());
        return app::UsageExitCode;
    }
    if (commandLine.help || commandLine.version) {
        std::fputs((commandLine.help ? app::HelpText() : app::VersionText()).c_str(), stdout);
        return 0;
    }
    app::EnterDataDirectory(argv[0]);
    platform::SdlBackend backend;
    platform::SetBackend(&backend);
    int code = app::GameMain({.panorama = commandLine.panorama});
    platform::SetBackend(nullptr);
    return code;
}
