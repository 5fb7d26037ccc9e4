// The MD5 message digest (RFC 1321), used to guard the high-score table against editing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace persistence {

using Md5Digest = std::array<uint8_t, 16>;

// Incremental MD5: Update any number of times, then Final once.
class Md5 {
  public:
    Md5();
    void Update(const void* data, size_t size);
    Md5Digest Final();

  private:
    void Transform(const uint8_t block[64]);

    uint32_t state_[4];
    uint64_t bitCount_ = 0;
    uint8_t buffer_[64] = {};
};

Md5Digest Md5Of(std::string_view bytes);
// The digest as 32 lowercase hexadecimal digits, in digest byte order.
std::string Md5Hex(std::string_view bytes);

}  // namespace persistence
