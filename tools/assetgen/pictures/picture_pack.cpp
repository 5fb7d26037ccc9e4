// Placeholder until the picture pack is drawn.
#include "pictures/picture_pack.h"

namespace assetgen {

bool WritePicturePack(const std::filesystem::path&, std::string&) { return true; }
bool WriteContactSheet(const std::filesystem::path&, std::string& error) {
    error = "not drawn yet";
    return false;
}

}  // namespace assetgen
