#include "persistence/high_scores.h"

#include <cstdio>
#include <cstring>
#include <optional>

#include "persistence/atomic_file.h"
#include "persistence/md5.h"
#include "persistence/save_directory.h"

namespace persistence {

namespace {

// Length of a field's text, or -1 when the field holds no NUL.
int FieldLength(const char* field) {
    const void* nul = std::memchr(field, '\0', HighScoreFieldSize);
    return nul ? int(static_cast<const char*>(nul) - field) : -1;
}

void PutInt32(std::string& out, int32_t value) {
    const auto bits = uint32_t(value);
    for (int i = 0; i < 4; ++i) out.push_back(char(uint8_t(bits >> (8 * i))));
}

int32_t GetInt32(const unsigned char* bytes) {
    const uint32_t bits = uint32_t(bytes[0]) | (uint32_t(bytes[1]) << 8) |
                          (uint32_t(bytes[2]) << 16) | (uint32_t(bytes[3]) << 24);
    return int32_t(bits);
}

bool RecordIsValid(const HighScoreTable& table, int i) {
    if (FieldLength(table.names[i]) < 0 || FieldLength(table.checksums[i]) < 0) return false;
    return EntryDigest(table.scores[i], table.names[i]) == table.checksums[i];
}

}  // namespace

std::string HighScoreFilePath() {
    if (!SaveDirectory().empty()) return SaveDirectory() + "/score.dat";
    return "score.dat";
}

std::string EntryDigest(int32_t score, const char* name) {
    const int nameLength = FieldLength(name);
    const size_t length = nameLength < 0 ? HighScoreFieldSize : size_t(nameLength);
    char number[16];
    std::snprintf(number, sizeof(number), "%d", int(score));
    std::string text = "K";
    text += number;
    text += 'T';
    text.append(name, length);
    text += 'R';
    return Md5Hex(text);
}

void LoadHighScores(HighScoreTable& table, const std::string& path) {
    std::memset(table.scores, 0, sizeof(table.scores));
    std::memset(table.names, 0, sizeof(table.names));
    std::memset(table.checksums, 0, sizeof(table.checksums));

    // Only the first 2080 bytes count; anything after them is ignored.
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return;
    unsigned char bytes[HighScoreFileSize];
    const size_t size = std::fread(bytes, 1, sizeof(bytes), file);
    std::fclose(file);

    for (int i = 0; i < HighScoreCount; ++i) {
        // A record cut short by the end of the file keeps what it has; its digest then fails.
        const size_t start = size_t(i) * HighScoreRecordSize;
        unsigned char record[HighScoreRecordSize] = {};
        if (start < size) {
            const size_t available = size - start;
            std::memcpy(record, bytes + start,
                        available < sizeof(record) ? available : sizeof(record));
        }
        table.scores[i] = GetInt32(record);
        std::memcpy(table.names[i], record + 4, HighScoreFieldSize);
        std::memcpy(table.checksums[i], record + 4 + HighScoreFieldSize, HighScoreFieldSize);
        if (!RecordIsValid(table, i)) {
            table.scores[i] = 0;
            std::memset(table.names[i], 0, HighScoreFieldSize);
            std::memset(table.checksums[i], 0, HighScoreFieldSize);
            return;
        }
    }
}

bool SaveHighScores(HighScoreTable& table, const std::string& path) {
    std::string bytes;
    bytes.reserve(HighScoreFileSize);
    for (int i = 0; i < HighScoreCount; ++i) {
        PutInt32(bytes, table.scores[i]);
        bytes.append(table.names[i], HighScoreFieldSize);
        const std::string digest = EntryDigest(table.scores[i], table.names[i]);
        std::memcpy(table.checksums[i], digest.c_str(), digest.size() + 1);
        bytes.append(table.checksums[i], HighScoreFieldSize);
    }
    // Return held down saves every frame; an unchanged file is not rewritten.
    const std::optional<std::string> existing = ReadWholeFile(path, HighScoreFileSize);
    if (existing && *existing == bytes) return true;
    return ReplaceFileAtomically(path, bytes);
}

void EnterRoundScore(HighScoreTable& table, int32_t roundScore, const std::string& path) {
    if (roundScore == 0) return;
    int k = 0;
    while (k < HighScoreCount && table.scores[k] > roundScore) ++k;
    if (k < HighScoreCount) {
        for (int j = HighScoreCount - 2; j >= k; --j) {
            table.scores[j + 1] = table.scores[j];
            std::memcpy(table.names[j + 1], table.names[j], HighScoreFieldSize);
            std::memcpy(table.checksums[j + 1], table.checksums[j], HighScoreFieldSize);
        }
        table.scores[k] = roundScore;
        std::memset(table.names[k], 0, HighScoreFieldSize);
        table.editIndex = k;
        table.editing = 1;
        SaveHighScores(table, path);
    }
    table.pendingScore = 0;
}

}  // namespace persistence
