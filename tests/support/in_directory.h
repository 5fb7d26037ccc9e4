// The working directory set to a folder for as long as the object lives; the one before is
// restored when it goes (tests that read and write the game's files relative to it).
#pragma once

#include <filesystem>

namespace testing_support {

class InDirectory {
  public:
    explicit InDirectory(const std::filesystem::path& directory);
    ~InDirectory();
    InDirectory(const InDirectory&) = delete;
    InDirectory& operator=(const InDirectory&) = delete;

  private:
    std::filesystem::path previous_;
};

}  // namespace testing_support
