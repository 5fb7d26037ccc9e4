#include "platform/replay/range_coder.h"

namespace platform::replay {

namespace {

// How fast a probability follows what it sees: it moves 1/32 of the way at each decision.
constexpr int Adaptation = 5;
constexpr uint32_t Top = 1u << 24;

uint32_t Bound(uint32_t range, const BitModel& model) {
    return (range >> 16) * model.zero;
}

void Learn(BitModel& model, bool bit) {
    // Kept within 1 .. 65535 - 31 so that neither way ever becomes impossible.
    if (bit) {
        model.zero = static_cast<uint16_t>(model.zero - (model.zero >> Adaptation));
    } else {
        model.zero = static_cast<uint16_t>(model.zero + ((0x10000u - model.zero) >> Adaptation));
    }
}

}  // namespace

void RangeEncoder::EncodeBit(BitModel& model, bool bit) {
    const uint32_t bound = Bound(range_, model);
    if (bit) {
        low_ += bound;
        range_ -= bound;
    } else {
        range_ = bound;
    }
    Learn(model, bit);
    while (range_ < Top) {
        range_ <<= 8;
        ShiftLow();
    }
}

void RangeEncoder::EncodeDirect(uint32_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
        range_ >>= 1;
        if ((value >> i) & 1) low_ += range_;
        while (range_ < Top) {
            range_ <<= 8;
            ShiftLow();
        }
    }
}

void RangeEncoder::ShiftLow() {
    // A carry out of the low 32 bits runs back through the bytes still held.
    if (static_cast<uint32_t>(low_) < 0xFF000000u || (low_ >> 32) != 0) {
        const auto carry = static_cast<uint8_t>(low_ >> 32);
        uint8_t held = cache_;
        do {
            out_.push_back(static_cast<char>(static_cast<uint8_t>(held + carry)));
            held = 0xFF;
        } while (--cacheSize_ != 0);
        cache_ = static_cast<uint8_t>(low_ >> 24);
    }
    ++cacheSize_;
    low_ = (low_ & 0x00FFFFFFu) << 8;
}

void RangeEncoder::Finish() {
    for (int i = 0; i < 5; ++i) ShiftLow();
    // The coder starts afresh, as a decoder of the next bytes will.
    low_ = 0;
    range_ = 0xFFFFFFFF;
    cache_ = 0;
    cacheSize_ = 1;
}

void RangeEncoder::TakeBytes(std::string& into) {
    into += out_;
    out_.clear();
}

RangeDecoder::RangeDecoder(std::string_view bytes) : in_(bytes) {
    for (int i = 0; i < 5; ++i) code_ = (code_ << 8) | NextByte();
}

uint8_t RangeDecoder::NextByte() {
    if (position_ >= in_.size()) {
        overrun_ = true;
        return 0;
    }
    return static_cast<uint8_t>(in_[position_++]);
}

void RangeDecoder::Normalize() {
    while (range_ < Top) {
        range_ <<= 8;
        code_ = (code_ << 8) | NextByte();
    }
}

bool RangeDecoder::DecodeBit(BitModel& model) {
    const uint32_t bound = Bound(range_, model);
    bool bit;
    if (code_ < bound) {
        range_ = bound;
        bit = false;
    } else {
        code_ -= bound;
        range_ -= bound;
        bit = true;
    }
    Learn(model, bit);
    Normalize();
    return bit;
}

uint32_t RangeDecoder::DecodeDirect(int bits) {
    uint32_t value = 0;
    for (int i = 0; i < bits; ++i) {
        range_ >>= 1;
        uint32_t bit = 0;
        if (code_ >= range_) {
            code_ -= range_;
            bit = 1;
        }
        value = (value << 1) | bit;
        Normalize();
    }
    return value;
}

void NumberModel::Encode(RangeEncoder& encoder, uint32_t value) {
    int length = 0;
    while (length < 32 && (value >> length) != 0) ++length;
    // The length, 0 .. 32, as a six-level tree.
    uint32_t node = 1;
    for (int i = 5; i >= 0; --i) {
        const bool bit = ((static_cast<uint32_t>(length) >> i) & 1) != 0;
        encoder.EncodeBit(length_[node], bit);
        node = (node << 1) | (bit ? 1u : 0u);
    }
    if (length <= 1) return;
    const int below = length - 1;
    const int learned = below < LearnedBits ? below : LearnedBits;
    uint32_t prefix = 1;
    for (int i = below - 1; i >= below - learned; --i) {
        const bool bit = ((value >> i) & 1) != 0;
        encoder.EncodeBit(leading_[length][prefix], bit);
        prefix = (prefix << 1) | (bit ? 1u : 0u);
    }
    const int rest = below - learned;
    if (rest > 0) encoder.EncodeDirect(value & ((1u << rest) - 1), rest);
}

uint32_t NumberModel::Decode(RangeDecoder& decoder) {
    uint32_t node = 1;
    for (int i = 0; i < 6; ++i) node = (node << 1) | (decoder.DecodeBit(length_[node]) ? 1u : 0u);
    // A damaged stream may name a length no encoder writes.
    const uint32_t length = (node - 64) > 32 ? 32 : node - 64;
    if (length <= 1) return length;
    const int below = static_cast<int>(length) - 1;
    const int learned = below < LearnedBits ? below : LearnedBits;
    uint32_t prefix = 1;
    for (int i = 0; i < learned; ++i)
        prefix = (prefix << 1) | (decoder.DecodeBit(leading_[length][prefix]) ? 1u : 0u);
    uint32_t value = prefix;  // the leading one and the learned bits
    const int rest = below - learned;
    if (rest > 0) value = (value << rest) | decoder.DecodeDirect(rest);
    return value;
}

}  // namespace platform::replay
