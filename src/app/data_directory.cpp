#include "app/data_directory.h"

#include <filesystem>
#include <system_error>

namespace app {

void EnterDataDirectory(const char* argv0) {
    std::error_code ec;
    if (std::filesystem::exists("grafik", ec)) return;
    std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe", ec);
    if (ec && argv0) exe = std::filesystem::absolute(argv0, ec);
    std::filesystem::path data = exe.parent_path() / "data";
    if (std::filesystem::exists(data / "grafik", ec)) std::filesystem::current_path(data, ec);
}

}  // namespace app
