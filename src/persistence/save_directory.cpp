#include "persistence/save_directory.h"

namespace persistence {

namespace {
std::string saveDirectory;
}

void SetSaveDirectory(const std::string& directory) {
    saveDirectory = directory;
}
const std::string& SaveDirectory() {
    return saveDirectory;
}

}  // namespace persistence
