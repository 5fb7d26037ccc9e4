#pragma once

#include <filesystem>
#include <string>

namespace app {

// Where the game reads its pictures and sounds (its working directory) and where it keeps
// score.dat and its options (empty: the working directory, as it always did).
struct DataLocation {
    std::filesystem::path dataDirectory;
    std::string saveDirectory;
};

// The game reads its pictures and sounds relative to the current directory. Started from a
// folder without "grafik", it looks, in this order:
//  - in "data" beside its executable (the build tree);
//  - in "../share/games/tannenquirl" (Debian's place for a game's data, beside /usr/games) or
//    "../share/tannenquirl" beside its executable (an installed game), keeping score.dat and the
//    options in the user's data directory, because the installed folder is not the user's to
//    write.
// Without either it stays where it is.
DataLocation ChooseDataLocation(const std::filesystem::path& currentDirectory,
                                const std::filesystem::path& executable);

// Moves into the chosen data directory and points the save files at the chosen place.
void EnterDataDirectory(const char* argv0);

// The user's own data directory for the game ($XDG_DATA_HOME or ~/.local/share, then
// "tannenquirl"), created if missing; empty when none can be had.
std::string UserDataDirectory();

}  // namespace app
