// Little-endian numbers and byte strings, written to the end of a string and read from the front
// of one. A reader that runs out says so instead of reading past the end, so a short or damaged
// file is refused rather than half read.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace platform::replay {

inline void PutNumber(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

inline void PutFloat(std::string& out, float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    PutNumber(out, bits, 4);
}

class ByteCursor {
  public:
    explicit ByteCursor(std::string_view bytes) : rest_(bytes) {}

    uint64_t Number(int bytes) {
        if (rest_.size() < static_cast<size_t>(bytes)) {
            short_ = true;
            rest_ = {};
            return 0;
        }
        uint64_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= uint64_t{static_cast<uint8_t>(rest_[static_cast<size_t>(i)])} << (8 * i);
        rest_.remove_prefix(static_cast<size_t>(bytes));
        return value;
    }
    int32_t Signed32() { return static_cast<int32_t>(static_cast<uint32_t>(Number(4))); }
    float Float() {
        const auto bits = static_cast<uint32_t>(Number(4));
        float value = 0.0f;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    std::string_view Bytes(uint64_t length) {
        if (rest_.size() < length) {
            short_ = true;
            rest_ = {};
            return {};
        }
        // Fits: no longer than what is left.
        const auto count = static_cast<size_t>(length);
        std::string_view taken = rest_.substr(0, count);
        rest_.remove_prefix(count);
        return taken;
    }
    bool Empty() const { return rest_.empty(); }
    // Whether a read ran past the end.
    bool Short() const { return short_; }

  private:
    std::string_view rest_;
    bool short_ = false;
};

}  // namespace platform::replay
