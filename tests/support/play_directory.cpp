#include "support/play_directory.h"

namespace testing_support {

PlayDirectory::PlayDirectory() {
    for (const char* folder : {"grafik", "sounds"}) {
        std::filesystem::create_directory_symlink(std::filesystem::path(TQ_DATA_DIR) / folder,
                                                  dir_.Path() / folder);
    }
    // Entered once the links are made.
    inside_.emplace(dir_.Path());
}

}  // namespace testing_support
