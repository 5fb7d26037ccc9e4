#include "app/data_directory.h"

#include <cstdlib>
#include <system_error>

#include "persistence/save_directory.h"

namespace app {

namespace fs = std::filesystem;

std::string UserDataDirectory() {
    fs::path base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = fs::path(home) / ".local" / "share";
    } else {
        return {};
    }
    fs::path directory = base / "tannenquirl";
    std::error_code ec;
    fs::create_directories(directory, ec);
    return fs::is_directory(directory, ec) ? directory.string() : std::string();
}

DataLocation ChooseDataLocation(const fs::path& currentDirectory, const fs::path& executable) {
    std::error_code ec;
    if (fs::exists(currentDirectory / "grafik", ec)) return {currentDirectory, {}};
    fs::path beside = executable.parent_path() / "data";
    if (fs::exists(beside / "grafik", ec)) return {beside, {}};
    for (const char* shared : {"share/games/tannenquirl", "share/tannenquirl"}) {
        fs::path installed = executable.parent_path().parent_path() / shared;
        if (fs::exists(installed / "grafik", ec)) return {installed, UserDataDirectory()};
    }
    return {currentDirectory, {}};
}

void EnterDataDirectory(const char* argv0) {
    std::error_code ec;
    fs::path executable = fs::canonical("/proc/self/exe", ec);
    if (ec && argv0) executable = fs::absolute(argv0, ec);
    DataLocation location = ChooseDataLocation(fs::current_path(ec), executable);
    fs::current_path(location.dataDirectory, ec);
    persistence::SetSaveDirectory(location.saveDirectory);
}

}  // namespace app
