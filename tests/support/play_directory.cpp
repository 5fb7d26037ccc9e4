#include "support/play_directory.h"

namespace testing_support {

PlayDirectory::PlayDirectory() {
    for (const char* folder : {"grafik", "sounds"}) {
        std::filesystem::create_directory_symlink(std::filesystem::path(TQ_DATA_DIR) / folder,
                                                  dir_.Path() / folder);
    }
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.Path());
}

PlayDirectory::~PlayDirectory() {
    std::filesystem::current_path(previous_);
}

}  // namespace testing_support
