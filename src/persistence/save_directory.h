// Where score.dat and the options file live. A game run from its own folder keeps them in the
// current directory, as it always did; an installed game, whose data folder is read-only, keeps
// them in the user's own data directory instead.
#pragma once

#include <string>

namespace persistence {

// Empty: the current directory.
void SetSaveDirectory(const std::string& directory);
const std::string& SaveDirectory();

}  // namespace persistence
