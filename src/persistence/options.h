// The options that survive between runs, kept in "tannenquirl.ini", section "options": "sound"
// (1 = music on, anything else = off; the only key the game writes), "stream" (1 = stream music
// from its file, 0 = hold it whole in memory; never written) and "panorama" (1 = the whole
// hunting ground, meadow and field included; never written).
#pragma once

#include <cstdint>
#include <string>

namespace persistence {

struct Options {
    // 0 = music on, 2 = music off. The 2 also selects the "off" frames of the menu's sound button.
    int32_t MusicOn = 0;
    // 1 = music streamed from its file, 0 = music loaded whole into a sound buffer.
    int32_t StreamMusic = 1;
    // 1 = the camera goes round the whole world; anything else = it stays in the forest.
    int32_t Panorama = 0;
};

// The options file: the current directory followed by "/tannenquirl.ini".
std::string OptionsFilePath();

// Reads the options; a missing or malformed file, section, key or value gives the defaults.
void LoadOptions(Options& options, const std::string& path = OptionsFilePath());

// Writes `value` ("1" or "0") as key "sound" of section "options", keeping the rest of the file.
// False when the file could not be written; callers carry on with the option changed in memory.
bool SaveSoundOption(const char* value, const std::string& path = OptionsFilePath());

}  // namespace persistence
