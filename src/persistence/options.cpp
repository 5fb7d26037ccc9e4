#include "persistence/options.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

#include "persistence/ini_file.h"
#include "persistence/save_directory.h"

namespace persistence {

namespace {
constexpr const char* kSection = "options";
constexpr const char* kSoundKey = "sound";
constexpr const char* kStreamKey = "stream";
constexpr const char* kPanoramaKey = "panorama";
}  // namespace

std::string OptionsFilePath() {
    if (!SaveDirectory().empty()) return SaveDirectory() + "/" + OptionsFileName;
    // The whole current directory, however long; "." if it cannot be had.
    std::vector<char> buffer(256);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20))
            return std::string("./") + OptionsFileName;
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data()) + "/" + OptionsFileName;
}

void LoadOptions(Options& options, const std::string& path) {
    const IniFile file = LoadIniFile(path);
    options.StreamMusic = file.GetInt(kSection, kStreamKey, 1);
    options.MusicOn = file.GetInt(kSection, kSoundKey, 1) == 1 ? 0 : 2;
    options.Panorama = file.GetInt(kSection, kPanoramaKey, 0);
}

bool SaveSoundOption(const char* value, const std::string& path) {
    return WriteIniString(path, kSection, kSoundKey, value ? value : "");
}

}  // namespace persistence
