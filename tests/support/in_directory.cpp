#include "support/in_directory.h"

namespace testing_support {

InDirectory::InDirectory(const std::filesystem::path& directory)
    : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(directory);
}

InDirectory::~InDirectory() {
    std::filesystem::current_path(previous_);
}

}  // namespace testing_support
