#include "app/asset_fingerprint.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

namespace app {

namespace fs = std::filesystem;

namespace {

// A fast 64-bit hash over whole words, read little-endian so every machine agrees.
class Hash {
  public:
    void Add(const char* bytes, size_t size) {
        size_t i = 0;
        for (; i + 8 <= size; i += 8) {
            uint64_t word;
            std::memcpy(&word, bytes + i, 8);
            if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
            Mix(word);
        }
        uint64_t tail = size - i;  // the tail's length keeps "a" and "a\0" apart
        for (size_t b = 0; i + b < size; ++b)
            tail |= uint64_t{static_cast<uint8_t>(bytes[i + b])} << (8 * (b + 1));
        Mix(tail);
    }
    void Add(const std::string& text) { Add(text.data(), text.size()); }
    uint64_t Value() const { return state_ ^ (state_ >> 29); }

  private:
    void Mix(uint64_t word) {
        state_ = (state_ ^ word) * 0x9E3779B97F4A7C15u;
        state_ ^= state_ >> 32;
    }
    uint64_t state_ = 0x243F6A8885A308D3u;
};

}  // namespace

uint64_t AssetFingerprint(const fs::path& dataDirectory) {
    std::vector<std::string> names;
    for (const char* top : {"grafik", "sounds"}) {
        std::error_code ec;
        for (fs::recursive_directory_iterator it(dataDirectory / top, ec), end; !ec && it != end;
             it.increment(ec)) {
            // Named as the game names them, wherever a linked folder really lies.
            if (it->is_regular_file(ec))
                names.push_back(it->path().lexically_relative(dataDirectory).generic_string());
        }
    }
    std::sort(names.begin(), names.end());
    Hash hash;
    for (const std::string& name : names) {
        hash.Add(name);
        std::ifstream file(dataDirectory / name, std::ios::binary | std::ios::ate);
        std::string content(file ? static_cast<size_t>(file.tellg()) : 0, '\0');
        file.seekg(0);
        file.read(content.data(), static_cast<std::streamsize>(content.size()));
        content.resize(file ? content.size() : 0);
        hash.Add(content);
    }
    return hash.Value();
}

}  // namespace app
