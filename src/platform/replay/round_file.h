// A recorded round as a file.
//
//   "TQROUND" 0x1A                        the mark of the kind of file
//   u32 format version
//   u16 length, bytes                     the game's version
//   u64 fingerprint of the asset pack     pictures and sounds it was played with
//   u32 length, bytes                     what the round inherits (the game's own coding)
//   blocks until the end of the file:
//     u32 answers, u32 length, bytes      a piece of the round stream that decodes on its own
//
// Numbers are little-endian. A file is read whole and checked before anything of it is used:
// it is refused with a message, never half played.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::replay {

constexpr uint32_t RoundFormatVersion = 1;
// Limits that no real round comes near; a file beyond them is refused, not read.
constexpr size_t LongestRoundFile = 64u << 20;
constexpr size_t LongestInheritance = 1u << 20;
constexpr size_t LongestVersion = 256;

struct RoundBlock {
    uint32_t answers = 0;
    std::string bytes;
};

struct RoundFile {
    uint32_t formatVersion = RoundFormatVersion;
    std::string gameVersion;
    uint64_t assetFingerprint = 0;
    std::string inheritance;
    std::vector<RoundBlock> blocks;
};

// The whole file's bytes.
std::string EncodeRoundFile(const RoundFile& file);

// Why a file could not be read.
enum class RoundFileProblem { None, NotARound, OtherFormat, Damaged, TooLarge };

// Reads a whole file's bytes. On failure `problem` says why.
std::optional<RoundFile> DecodeRoundFile(std::string_view bytes, RoundFileProblem& problem);

}  // namespace platform::replay
