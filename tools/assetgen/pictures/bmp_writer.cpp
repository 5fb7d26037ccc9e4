#include "pictures/bmp_writer.h"

#include <fstream>

#include "display/bmp_writer.h"

namespace assetgen {

std::vector<uint8_t> EncodeBmp(const Picture& picture) {
    return display::EncodeBmp(picture.width, picture.height,
                              [&](int x, int y) { return ToColourRef(picture.At(x, y)); });
}

bool WriteBmp(const Picture& picture, const std::filesystem::path& file, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (ec) {
        error = "cannot create " + file.parent_path().string() + ": " + ec.message();
        return false;
    }
    const std::vector<uint8_t> bytes = EncodeBmp(picture);
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
    if (!stream) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

}  // namespace assetgen
