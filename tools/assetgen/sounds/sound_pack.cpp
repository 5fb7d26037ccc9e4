// Placeholder until the sound pack is synthesised.
#include "sounds/sound_pack.h"

namespace assetgen {

bool WriteSoundPack(const std::filesystem::path&, std::string&) { return true; }
bool WriteListeningSheets(const std::filesystem::path&, std::string& error) {
    error = "not synthesised yet";
    return false;
}

}  // namespace assetgen
