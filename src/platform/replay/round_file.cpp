#include "platform/replay/round_file.h"

#include "platform/replay/byte_fields.h"

namespace platform::replay {

namespace {

constexpr std::string_view Mark("TQROUND\x1a", 8);
constexpr uint64_t MostAnswersPerByte = 8192;

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
    ByteCursor cursor(bytes.substr(Mark.size()));
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
