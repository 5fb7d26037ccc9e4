// Where score.dat and the options file live. A game run from its own folder keeps them in the
// current directory, as it always did; an installed game, whose data folder is read-only, or a
// copy whose folder the player cannot write, keeps them in the user's own data directory.
#pragma once

#include <string>

namespace persistence {

// The names of the files the game saves.
constexpr const char* HighScoreFileName = "score.dat";
constexpr const char* OptionsFileName = "tannenquirl.ini";

// Empty: the current directory. `writable` false: no folder could be found where the saves can
// be written; they are still tried there, and the player is told once.
void SetSaveDirectory(const std::string& directory, bool writable = true);
const std::string& SaveDirectory();
bool SaveDirectoryWritable();

}  // namespace persistence
