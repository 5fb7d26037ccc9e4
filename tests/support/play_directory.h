// A fresh directory to play in, with the generated asset pack linked in and nothing else (no
// score.dat, no options file), entered for as long as the object lives.
#pragma once

#include <filesystem>
#include <optional>

#include "support/in_directory.h"
#include "support/temp_dir.h"

namespace testing_support {

class PlayDirectory {
  public:
    PlayDirectory();
    PlayDirectory(const PlayDirectory&) = delete;
    PlayDirectory& operator=(const PlayDirectory&) = delete;

    const std::filesystem::path& Path() const { return dir_.Path(); }

  private:
    TempDir dir_;
    std::optional<InDirectory> inside_;
};

}  // namespace testing_support
