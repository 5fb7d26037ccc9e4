#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace app {

// Where the game reads its pictures and sounds (its working directory) and where it keeps
// score.dat and its options (empty: the working directory, as it always did).
struct DataLocation {
    std::filesystem::path dataDirectory;
    std::string saveDirectory;
    // False when no folder could be found where the saves can be written.
    bool savesWritable = true;
};

// Whether the game can create files in `folder`.
using FolderCheck = std::function<bool(const std::filesystem::path&)>;
// Tries it: creates a file there and removes it again. Permission bits alone do not tell (a
// read-only disk, or a root user, who may write anywhere the disk allows).
bool FolderIsWritable(const std::filesystem::path& folder);

// The game reads its pictures and sounds relative to the current directory. Started from a
// folder without "grafik", it looks, in this order:
//  - in "data" beside its executable (the build tree, or an unpacked copy);
//  - in the folders an installed game keeps them in, beside its executable's folder.
// Without any it stays where it is.
//
// Saves live beside the pictures when that folder can be written. An installed game's folder
// is not the user's to write, and a copy unpacked by another user may not be either: the saves
// then go to the user's own data directory, which starts with the data folder's score.dat and
// options file where it has none of its own yet. `writable` answers for every folder asked.
DataLocation ChooseDataLocation(const std::filesystem::path& currentDirectory,
                                const std::filesystem::path& executable,
                                const FolderCheck& writable = FolderIsWritable);

// Moves into the chosen data directory and points the save files at the chosen place.
void EnterDataDirectory(const char* argv0);

// The user's own data directory for the game ($XDG_DATA_HOME or ~/.local/share, then
// "tannenquirl"), created if missing; empty when none can be had.
std::string UserDataDirectory();

}  // namespace app
