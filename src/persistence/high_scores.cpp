#include "persistence/high_scores.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

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

// Empties the table, then reads the records of a file's bytes into it up to the first record that
// fails its check, which is emptied. True when all twenty passed.
bool ReadRecords(HighScoreTable& table, std::string_view bytes) {
    std::memset(table.scores, 0, sizeof(table.scores));
    std::memset(table.names, 0, sizeof(table.names));
    std::memset(table.checksums, 0, sizeof(table.checksums));
    for (int i = 0; i < HighScoreCount; ++i) {
        // A record cut short by the end of the file keeps what it has; its digest then fails.
        const size_t start = size_t(i) * HighScoreRecordSize;
        unsigned char record[HighScoreRecordSize] = {};
        if (start < bytes.size()) {
            const size_t available = bytes.size() - start;
            std::memcpy(record, bytes.data() + start,
                        available < sizeof(record) ? available : sizeof(record));
        }
        table.scores[i] = GetInt32(record);
        std::memcpy(table.names[i], record + 4, HighScoreFieldSize);
        std::memcpy(table.checksums[i], record + 4 + HighScoreFieldSize, HighScoreFieldSize);
        if (!RecordIsValid(table, i)) {
            table.scores[i] = 0;
            std::memset(table.names[i], 0, HighScoreFieldSize);
            std::memset(table.checksums[i], 0, HighScoreFieldSize);
            return false;
        }
    }
    return true;
}

// Loading a damaged file drops the entries from the first bad one on; before a save replaces it,
// the file is kept as it was, so the entries it still holds can be recovered. Earlier copies are
// never overwritten: the next one is "score.dat.damaged.2", then ".3" and so on. `keep` makes
// the copy under the name it is given, and fails when something is already there.
template <typename KeepFn>
bool KeepDamagedFile(const std::string& path, KeepFn keep) {
    for (int n = 1; n < 10000; ++n) {
        std::string copy = path + ".damaged";
        if (n > 1) copy += "." + std::to_string(n);
        if (PathExists(copy)) continue;
        return keep(copy);
    }
    return false;
}

}  // namespace

std::string HighScoreFilePath() {
    if (!SaveDirectory().empty()) return SaveDirectory() + "/" + HighScoreFileName;
    return HighScoreFileName;
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
    // Only the first 2080 bytes count; anything after them is ignored.
    std::string bytes(HighScoreFileSize, '\0');
    size_t size = 0;
    std::FILE* file = PlayerFilesUntouched() ? nullptr : std::fopen(path.c_str(), "rb");
    if (file) {
        size = std::fread(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    bytes.resize(size);
    ReadRecords(table, bytes);
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
    // Nothing is replaced that could not be kept first.
    const std::optional<std::string> existing = ReadWholeFile(path);
    if (existing) {
        // Return held down saves every frame; an unchanged file is not rewritten.
        if (*existing == bytes) return true;
        HighScoreTable onDisk;
        const auto copy = [&](const std::string& name) { return WriteNewFile(name, *existing); };
        if (!existing->empty() && !ReadRecords(onDisk, *existing) && !KeepDamagedFile(path, copy))
            return false;
    } else if (PathExists(path)) {
        // Something that is no table of ours (far too long, or unreadable) stands there: it keeps
        // a second name, unread.
        const auto link = [&](const std::string& name) { return AddNewName(path, name); };
        if (!KeepDamagedFile(path, link)) return false;
    }
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

bool NameEntryOpen(const HighScoreTable& table) {
    return table.editing != 0 || table.editIndex != -1;
}

bool EndNameEntry(HighScoreTable& table, const std::string& path) {
    table.editing = 0;
    table.editIndex = -1;
    return SaveHighScores(table, path);
}

}  // namespace persistence
