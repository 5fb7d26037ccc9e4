#include "persistence/save_directory.h"

namespace persistence {

namespace {
std::string saveDirectory;
bool saveDirectoryWritable = true;
}  // namespace

void SetSaveDirectory(const std::string& directory, bool writable) {
    saveDirectory = directory;
    saveDirectoryWritable = writable;
}
const std::string& SaveDirectory() {
    return saveDirectory;
}
bool SaveDirectoryWritable() {
    return saveDirectoryWritable;
}

}  // namespace persistence
