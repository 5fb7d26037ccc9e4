#include "app/data_directory.h"

#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <system_error>
#include <vector>

#include "persistence/atomic_file.h"
#include "persistence/save_directory.h"

namespace app {

namespace fs = std::filesystem;

namespace {

// Where an installed game keeps its pictures and sounds, from the folder of its executable.
const char* const kInstalledDataFolders[] = {
    "../share/games/tannenquirl",  // Debian's place for a game's data, beside /usr/games
    "../share/tannenquirl",
};

bool HasPictures(const fs::path& folder) {
    std::error_code ec;
    return fs::exists(folder / "grafik", ec);
}

// Copies the save files the user's folder does not have yet from the data folder, so that the
// scores and the sound setting a copy came with are not lost when its saves move.
void SeedSaves(const fs::path& dataDirectory, const std::string& saveDirectory) {
    for (const char* name : {persistence::HighScoreFileName, persistence::OptionsFileName}) {
        const std::string target = saveDirectory + "/" + name;
        if (persistence::PathExists(target)) continue;
        const std::optional<std::string> bytes =
            persistence::ReadWholeFile((dataDirectory / name).string());
        if (bytes) persistence::WriteNewFile(target, *bytes);
    }
}

}  // namespace

bool FolderIsWritable(const fs::path& folder) {
    std::string pattern = (folder / ".tannenquirl-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(name.data());
    return true;
}

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

DataLocation ChooseDataLocation(const fs::path& currentDirectory, const fs::path& executable,
                                const FolderCheck& writable) {
    const fs::path programFolder = executable.parent_path();
    fs::path data = currentDirectory;
    bool installed = false;
    if (!HasPictures(data)) {
        if (HasPictures(programFolder / "data")) {
            data = programFolder / "data";
        } else {
            for (const char* folder : kInstalledDataFolders) {
                const fs::path candidate = (programFolder / folder).lexically_normal();
                if (!HasPictures(candidate)) continue;
                data = candidate;
                installed = true;
                break;
            }
        }
    }
    if (!installed && writable(data)) return {data, {}, true};
    const std::string user = UserDataDirectory();
    if (!user.empty() && writable(user)) {
        SeedSaves(data, user);
        return {data, user, true};
    }
    // Nowhere to write: the saves go where they would have gone, and fail there.
    return {data, installed ? user : std::string(), false};
}

void EnterDataDirectory(const char* argv0) {
    std::error_code ec;
    fs::path executable = fs::canonical("/proc/self/exe", ec);
    if (ec && argv0) executable = fs::absolute(argv0, ec);
    DataLocation location = ChooseDataLocation(fs::current_path(ec), executable);
    fs::current_path(location.dataDirectory, ec);
    persistence::SetSaveDirectory(location.saveDirectory, location.savesWritable);
}

}  // namespace app
