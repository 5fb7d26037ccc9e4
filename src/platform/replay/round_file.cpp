#include "platform/replay/round_file.h"

namespace platform::replay {

namespace {

constexpr std::string_view Mark("TQROUND\x1a", 8);
constexpr uint64_t MostAnswersPerByte = 8192;

void PutNumber(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Reads numbers and byte strings from the front of a file, noting when it ran out.
class Cursor {
  public:
    explicit Cursor(std::string_view bytes) : rest_(bytes) {}

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
    std::string_view Bytes(uint64_t length) {
        if (rest_.size() < length) {
            short_ = true;
            rest_ = {};
            return {};
        }
        std::string_view taken = rest_.substr(0, length);
        rest_.remove_prefix(length);
        return taken;
    }
    bool Empty() const { return rest_.empty(); }
    bool Short() const { return short_; }

  private:
    std::string_view rest_;
    bool short_ = false;
};

}  // namespace

std::string EncodeRoundFile(const RoundFile& file) {
    std::string out(Mark);
    PutNumber(out, file.formatVersion, 4);
    PutNumber(out, file.gameVersion.size(), 2);
    out += file.gameVersion;
    PutNumber(out, file.assetFingerprint, 8);
    PutNumber(out, file.inheritance.size(), 4);
    out += file.inheritance;
    for (const RoundBlock& block : file.blocks) {
        PutNumber(out, block.answers, 4);
        PutNumber(out, block.bytes.size(), 4);
        out += block.bytes;
    }
    return out;
}

std::optional<RoundFile> DecodeRoundFile(std::string_view bytes, RoundFileProblem& problem) {
    problem = RoundFileProblem::None;
    if (bytes.size() > LongestRoundFile) {
        problem = RoundFileProblem::TooLarge;
        return std::nullopt;
    }
    if (bytes.substr(0, Mark.size()) != Mark) {
        problem = RoundFileProblem::NotARound;
        return std::nullopt;
    }
    Cursor cursor(bytes.substr(Mark.size()));
    RoundFile file;
    file.formatVersion = static_cast<uint32_t>(cursor.Number(4));
    if (!cursor.Short() && file.formatVersion != RoundFormatVersion) {
        problem = RoundFileProblem::OtherFormat;
        return std::nullopt;
    }
    const uint64_t versionLength = cursor.Number(2);
    if (versionLength > LongestVersion) {
        problem = RoundFileProblem::Damaged;
        return std::nullopt;
    }
    file.gameVersion = std::string(cursor.Bytes(versionLength));
    file.assetFingerprint = cursor.Number(8);
    const uint64_t inheritanceLength = cursor.Number(4);
    if (inheritanceLength > LongestInheritance) {
        problem = RoundFileProblem::Damaged;
        return std::nullopt;
    }
    file.inheritance = std::string(cursor.Bytes(inheritanceLength));
    while (!cursor.Short() && !cursor.Empty()) {
        RoundBlock block;
        block.answers = static_cast<uint32_t>(cursor.Number(4));
        block.bytes = std::string(cursor.Bytes(cursor.Number(4)));
        // Even the likeliest answer costs a little; a block claiming vastly more answers than
        // its bytes could hold is damaged, and would keep a reader busy for nothing.
        if (block.answers > (block.bytes.size() + 16) * MostAnswersPerByte) {
            problem = RoundFileProblem::Damaged;
            return std::nullopt;
        }
        file.blocks.push_back(std::move(block));
    }
    if (cursor.Short()) {
        problem = RoundFileProblem::Damaged;
        return std::nullopt;
    }
    return file;
}

}  // namespace platform::replay
