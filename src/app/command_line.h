// What the player can ask of the game when starting it: its options, and the environment
// variables it reads, in one place so that --help and the parser always agree.
#pragma once

#include <string>

namespace app {

// What the command line asks of one run.
struct CommandLine {
    bool panorama = false;   // the whole hunting ground, whatever the options file says
    std::string replayPath;  // not empty: show this recorded round instead of playing
    std::string recordPath;  // not empty: also write every round played here
    bool help = false;       // print HelpText() and end
    bool version = false;    // print VersionText() and end
    std::string error;       // not empty: an argument the game does not understand
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

// `tannenquirl --help`: the usage, every option and every environment variable the game reads.
std::string HelpText();

// The game's version, as the project states it ("1.0.0").
const char* GameVersion();

// `tannenquirl --version`: the game's name and version.
std::string VersionText();

// The exit code of a command line the game does not understand (EX_USAGE of sysexits.h, beside
// the game's own codes 0 to 3).
constexpr int UsageExitCode = 64;

}  // namespace app
