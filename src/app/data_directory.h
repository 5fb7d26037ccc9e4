#pragma once

namespace app {

// The game reads its pictures and sounds relative to the current directory. Started from
// anywhere else, it moves into the "data" directory beside its executable when that holds them.
void EnterDataDirectory(const char* argv0);

}  // namespace app
