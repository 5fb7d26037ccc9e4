// A fresh, empty directory under the system's temporary directory for one test, removed with
// everything in it when the test is done.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The path of `name` inside the directory.
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    // Writes `bytes` as `name` (creating folders) and returns its path.
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const;

  private:
    std::filesystem::path path_;
};

}  // namespace testing_support
