// A whole file read into a string or written from one, byte for byte.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace testing_support {

// The file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);
// Writes `bytes` as the whole file (its folder must exist).
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace testing_support
