// The table of the twenty best round scores, kept in "score.dat" and guarded by MD5 digests so
// that an entry edited by hand is thrown away when the file is read.
//
// File layout: 20 records of 104 bytes (2080 bytes, no header), record 0 first:
//   0  int32 score, little-endian, signed
//   4  50 bytes name (Windows-1252, NUL-terminated; bytes after the NUL are kept but ignored)
//  54  50 bytes digest: 32 lowercase hex digits of MD5("K%dT%sR" of score and name) and a NUL
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace persistence {

constexpr int HighScoreCount = 20;
constexpr int HighScoreFieldSize = 50;
// The longest name that still leaves room for its NUL.
constexpr int HighScoreNameLength = HighScoreFieldSize - 1;
constexpr int HighScoreRecordSize = 4 + 2 * HighScoreFieldSize;
constexpr int HighScoreFileSize = HighScoreCount * HighScoreRecordSize;

struct HighScoreTable {
    int32_t scores[HighScoreCount] = {};                      // best first; empty entries 0
    char names[HighScoreCount][HighScoreFieldSize] = {};      // Windows-1252, NUL-terminated
    char checksums[HighScoreCount][HighScoreFieldSize] = {};  // 32 hex digits and a NUL
    uint8_t pendingScore = 0;  // a finished round's score still has to be offered to the table
    uint8_t editing = 0;       // the name of entry editIndex is being typed
    int32_t editIndex = -1;    // entry whose name is being typed; -1 = none
    // Tick before which the back button ignores the mouse.
    uint32_t backLockUntil = platform::NotScheduled;
};

// The high-score file: "score.dat" in the current directory.
std::string HighScoreFilePath();

// The digest text of one entry: MD5 of "K<score>T<name>R" as 32 lowercase hex digits. The name
// is taken up to its NUL, at most 50 bytes.
std::string EntryDigest(int32_t score, const char* name);

// Empties the table, then reads the file record by record. The first record whose digest does
// not match (or whose name or digest field has no NUL) is emptied and reading stops, so that
// record and all later ones stay empty. A missing file gives an empty table.
void LoadHighScores(HighScoreTable& table, const std::string& path = HighScoreFilePath());

// Recomputes every digest and replaces the file atomically. A file there that fails its check is
// first kept beside it as "<path>.damaged" (".damaged.2", ... when earlier copies exist); when it
// cannot be kept, it is not replaced either. False when the file could not be written; the table
// in memory is kept either way and callers report nothing.
bool SaveHighScores(HighScoreTable& table, const std::string& path = HighScoreFilePath());

// Offers a finished round's score to the table. A score of 0 changes nothing (pendingScore
// stays). Otherwise the score goes in above the first entry it equals or beats, the entries
// below move down one place (the last is lost), the new entry gets an empty name, its name
// entry starts (editIndex, editing) and the table is saved; a score below all twenty changes
// nothing. pendingScore then becomes 0.
void EnterRoundScore(HighScoreTable& table, int32_t roundScore,
                     const std::string& path = HighScoreFilePath());

// A name is being typed into the table.
bool NameEntryOpen(const HighScoreTable& table);

// Ends the name entry (editing 0, editIndex -1) and saves the table, with the name as it was
// typed. Every way of leaving the entry comes here: Return, a click, the game closing.
bool EndNameEntry(HighScoreTable& table, const std::string& path = HighScoreFilePath());

}  // namespace persistence
