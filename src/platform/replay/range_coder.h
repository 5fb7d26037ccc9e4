// The compact coding of recorded rounds: an adaptive binary range coder.
//
// A round is mostly the same few calls answered the same way frame after frame, so every value
// is coded as a string of yes/no decisions, each against a probability that learns from what
// came before in its own context. A decision that nearly always goes the same way costs a
// thousandth of a bit, so a frame in which nothing changed costs about a byte. Probabilities
// have 16 bits so that they can get that close to certainty.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform::replay {

// The probability that the next decision in its context is "no" (0), in 1/65536.
struct BitModel {
    uint16_t zero = 0x8000;
};

class RangeEncoder {
  public:
    void EncodeBit(BitModel& model, bool bit);
    // A decision with no model: each way is equally likely.
    void EncodeDirect(uint32_t value, int bits);
    // Codes what is pending so that the bytes so far decode completely; the encoder can go on.
    void Finish();

    // The bytes coded so far (complete only after Finish).
    const std::string& Bytes() const { return out_; }
    void TakeBytes(std::string& into);

  private:
    void ShiftLow();

    uint64_t low_ = 0;
    uint32_t range_ = 0xFFFFFFFF;
    uint8_t cache_ = 0;
    uint64_t cacheSize_ = 1;
    std::string out_;
};

class RangeDecoder {
  public:
    // Decodes `bytes`, which must outlive the decoder. Reading past their end gives zero bytes
    // and sets Overrun().
    explicit RangeDecoder(std::string_view bytes);

    bool DecodeBit(BitModel& model);
    uint32_t DecodeDirect(int bits);

    // Whether decoding needed more bytes than there were: the stream was cut short or damaged.
    bool Overrun() const { return overrun_; }

  private:
    uint8_t NextByte();
    void Normalize();

    std::string_view in_;
    size_t position_ = 0;
    uint32_t range_ = 0xFFFFFFFF;
    uint32_t code_ = 0;
    bool overrun_ = false;
};

// A whole number coded as its length in bits, then its bits below the leading one. The length
// and the first bits under it learn; the rest are coded as they come.
class NumberModel {
  public:
    void Encode(RangeEncoder& encoder, uint32_t value);
    uint32_t Decode(RangeDecoder& decoder);

  private:
    static constexpr int LearnedBits = 3;
    static constexpr size_t LengthNodes = 64;  // a tree over the lengths 0 .. 32

    BitModel length_[LengthNodes];
    BitModel leading_[33][1 << LearnedBits];
};

// A choice among 2^Bits symbols, learned as a binary tree.
template <int Bits>
class SymbolModel {
  public:
    void Encode(RangeEncoder& encoder, uint32_t symbol) {
        uint32_t node = 1;
        for (int i = Bits - 1; i >= 0; --i) {
            const bool bit = ((symbol >> i) & 1) != 0;
            encoder.EncodeBit(nodes_[node], bit);
            node = (node << 1) | (bit ? 1u : 0u);
        }
    }
    uint32_t Decode(RangeDecoder& decoder) {
        uint32_t node = 1;
        for (int i = 0; i < Bits; ++i)
            node = (node << 1) | (decoder.DecodeBit(nodes_[node]) ? 1u : 0u);
        return node - (1u << Bits);
    }

  private:
    BitModel nodes_[size_t{1} << Bits];
};

// Signed numbers as whole numbers: 0, -1, 1, -2, 2 ... become 0, 1, 2, 3, 4 ...
inline uint32_t ZigZag(int32_t value) {
    return (static_cast<uint32_t>(value) << 1) ^ static_cast<uint32_t>(value >> 31);
}
inline int32_t UnZigZag(uint32_t value) {
    return static_cast<int32_t>(value >> 1) ^ -static_cast<int32_t>(value & 1);
}

}  // namespace platform::replay
