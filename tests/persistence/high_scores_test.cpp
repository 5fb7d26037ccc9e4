#include "persistence/high_scores.h"

#include <gtest/gtest.h>

#include <cstring>

#include "persistence/md5.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

using persistence::HighScoreTable;
using testing_support::TempDir;

// A table with twenty descending scores 2000, 1900, .. 100 and names "P0" .. "P19".
HighScoreTable FullTable() {
    HighScoreTable table;
    for (int i = 0; i < 20; ++i) {
        table.scores[i] = 2000 - 100 * i;
        std::snprintf(table.names[i], 50, "P%d", i);
    }
    return table;
}

class HighScores : public ::testing::Test {
  protected:
    TempDir dir;
    std::string path = (dir / "score.dat");
};

TEST_F(HighScores, DigestTextIsSaltedAndSigned) {
    EXPECT_EQ(persistence::EntryDigest(1234, "Anna"), persistence::Md5Hex("K1234TAnnaR"));
    EXPECT_EQ(persistence::EntryDigest(-50, "x"), persistence::Md5Hex("K-50TxR"));
    EXPECT_EQ(persistence::EntryDigest(0, ""), persistence::Md5Hex("K0TR"));
    EXPECT_EQ(persistence::EntryDigest(7, "\xe4\xdf"), persistence::Md5Hex("K7T\xe4\xdfR"));
    EXPECT_EQ(persistence::HighScoreFilePath(), "score.dat");
}

TEST_F(HighScores, WrittenFileHasTheRecordLayoutAndReadsBackUnchanged) {
    HighScoreTable table = FullTable();
    table.scores[19] = -7;      // negative scores survive with their sign
    table.names[19][0] = '\0';  // an empty name is guarded like any other
    std::strcpy(table.names[3], "J\xfcrgen");
    std::memcpy(table.names[4] + 10, "junk", 4);  // bytes after the NUL are kept as they are
    ASSERT_TRUE(persistence::SaveHighScores(table, path));

    const std::string bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 2080u);
    // Record 1: score 1900 little-endian, the name, the digest with its NUL.
    EXPECT_EQ(bytes.substr(104, 4), std::string("\x6c\x07\x00\x00", 4));
    EXPECT_EQ(bytes.substr(108, 3), std::string("P1\0", 3));
    EXPECT_EQ(bytes.substr(158, 33), persistence::EntryDigest(1900, "P1") + '\0');
    EXPECT_EQ(bytes.substr(19 * 104, 4), std::string("\xf9\xff\xff\xff", 4));

    HighScoreTable loaded;
    persistence::LoadHighScores(loaded, path);
    EXPECT_EQ(std::memcmp(loaded.scores, table.scores, sizeof(table.scores)), 0);
    EXPECT_EQ(std::memcmp(loaded.names, table.names, sizeof(table.names)), 0);
    EXPECT_EQ(std::memcmp(loaded.checksums, table.checksums, sizeof(table.checksums)), 0);
    ASSERT_TRUE(persistence::SaveHighScores(loaded, path));
    EXPECT_EQ(ReadFileBytes(path), bytes);
}

TEST_F(HighScores, OneChangedByteEmptiesThatEntryAndAllLaterOnes) {
    HighScoreTable table = FullTable();
    ASSERT_TRUE(persistence::SaveHighScores(table, path));
    const std::string good = ReadFileBytes(path);
    for (const size_t offset : {5 * 104 + 0u, 5 * 104 + 4u, 5 * 104 + 60u}) {
        std::string bad = good;
        bad[offset] ^= 1;
        WriteFileBytes(path, bad);
        HighScoreTable loaded;
        persistence::LoadHighScores(loaded, path);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(loaded.scores[i], table.scores[i]) << offset;
            EXPECT_STREQ(loaded.names[i], table.names[i]) << offset;
        }
        for (int i = 5; i < 20; ++i) {
            EXPECT_EQ(loaded.scores[i], 0) << offset << " " << i;
            EXPECT_STREQ(loaded.names[i], "") << offset << " " << i;
        }
    }
}

TEST_F(HighScores, UnterminatedFieldsShortFilesAndMissingFilesFailSafely) {
    HighScoreTable table = FullTable();
    ASSERT_TRUE(persistence::SaveHighScores(table, path));
    const std::string good = ReadFileBytes(path);

    // A name of 50 non-NUL bytes whose digest is "correct" for those 50 bytes still fails: it
    // would otherwise run on into the checksum field.
    std::string bad = good;
    const std::string longName(50, 'N');
    bad.replace(2 * 104 + 4, 50, longName);
    const std::string digest = persistence::Md5Hex("K1800T" + longName + "R");
    bad.replace(2 * 104 + 54, 33, digest + '\0');
    WriteFileBytes(path, bad);
    HighScoreTable loaded;
    persistence::LoadHighScores(loaded, path);
    EXPECT_EQ(loaded.scores[1], 1900);
    EXPECT_EQ(loaded.scores[2], 0);

    // A digest field without a NUL fails too.
    bad = good;
    bad.replace(3 * 104 + 54 + 32, 18, std::string(18, 'f'));
    WriteFileBytes(path, bad);
    persistence::LoadHighScores(loaded, path);
    EXPECT_EQ(loaded.scores[2], 1800);
    EXPECT_EQ(loaded.scores[3], 0);

    // A file cut inside record 7 keeps 0 .. 6; anything after 2080 bytes is ignored.
    WriteFileBytes(path, good.substr(0, 7 * 104 + 50));
    persistence::LoadHighScores(loaded, path);
    EXPECT_EQ(loaded.scores[6], 1400);
    EXPECT_EQ(loaded.scores[7], 0);
    WriteFileBytes(path, good + "trailing");
    persistence::LoadHighScores(loaded, path);
    EXPECT_EQ(loaded.scores[19], 100);

    persistence::LoadHighScores(loaded, (dir / "none.dat"));
    for (int i = 0; i < 20; ++i) EXPECT_EQ(loaded.scores[i], 0);
}

TEST_F(HighScores, ADamagedFileIsKeptBesideItBeforeItIsFirstReplaced) {
    HighScoreTable table = FullTable();
    ASSERT_TRUE(persistence::SaveHighScores(table, path));
    std::string damaged = ReadFileBytes(path);
    damaged[5 * 104 + 4] ^= 1;
    WriteFileBytes(path, damaged);

    // Loading drops entries 5 .. 19; the next save keeps the file as it was, then replaces it.
    HighScoreTable loaded;
    persistence::LoadHighScores(loaded, path);
    ASSERT_TRUE(persistence::SaveHighScores(loaded, path));
    EXPECT_EQ(ReadFileBytes(path + ".damaged"), damaged);
    persistence::LoadHighScores(loaded, path);
    EXPECT_EQ(loaded.scores[4], 1600);
    EXPECT_EQ(loaded.scores[5], 0);
    // The file passes its check now: later saves keep no copies.
    loaded.scores[5] = 50;
    ASSERT_TRUE(persistence::SaveHighScores(loaded, path));
    EXPECT_FALSE(std::filesystem::exists(path + ".damaged.2"));

    // A file damaged again, or cut short, never overwrites an earlier copy.
    std::string again = ReadFileBytes(path);
    again[0] ^= 1;
    WriteFileBytes(path, again);
    persistence::LoadHighScores(loaded, path);
    ASSERT_TRUE(persistence::SaveHighScores(loaded, path));
    const std::string cut = ReadFileBytes(path).substr(0, 300);
    WriteFileBytes(path, cut);
    persistence::LoadHighScores(loaded, path);
    ASSERT_TRUE(persistence::SaveHighScores(loaded, path));
    EXPECT_EQ(ReadFileBytes(path + ".damaged"), damaged);
    EXPECT_EQ(ReadFileBytes(path + ".damaged.2"), again);
    EXPECT_EQ(ReadFileBytes(path + ".damaged.3"), cut);
    EXPECT_FALSE(std::filesystem::exists(path + ".damaged.4"));
}

TEST_F(HighScores, AFileTooLongToBeATableIsKeptBesideItUnread) {
    // A good table with two megabytes after it: the table loads, the file is no table to save
    // over.
    HighScoreTable table = FullTable();
    ASSERT_TRUE(persistence::SaveHighScores(table, path));
    const std::string tooLong = ReadFileBytes(path) + std::string(2 << 20, 'x');
    WriteFileBytes(path, tooLong);
    HighScoreTable loaded;
    persistence::LoadHighScores(loaded, path);
    EXPECT_EQ(loaded.scores[19], 100);

    loaded.scores[19] = 150;
    ASSERT_TRUE(persistence::SaveHighScores(loaded, path));
    EXPECT_EQ(ReadFileBytes(path + ".damaged"), tooLong);
    EXPECT_EQ(ReadFileBytes(path).size(), static_cast<size_t>(persistence::HighScoreFileSize));

    // What cannot be kept is not replaced: a folder where the table should be.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_FALSE(persistence::SaveHighScores(loaded, path));
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(HighScores, EnterRoundScoreInsertsAboveEqualScoresAndStartsTheName) {
    HighScoreTable table = FullTable();
    table.pendingScore = 1;
    persistence::EnterRoundScore(table, 1700, path);  // equal to entry 3
    EXPECT_EQ(table.scores[3], 1700);
    EXPECT_STREQ(table.names[3], "");
    EXPECT_EQ(table.scores[4], 1700);
    EXPECT_STREQ(table.names[4], "P3");
    EXPECT_STREQ(table.names[19], "P18");  // the old last entry is gone
    EXPECT_EQ(table.editIndex, 3);
    EXPECT_EQ(table.editing, 1);
    EXPECT_EQ(table.pendingScore, 0);
    for (char c : table.names[3]) EXPECT_EQ(c, '\0');

    HighScoreTable saved;  // saved at once, empty name included
    persistence::LoadHighScores(saved, path);
    EXPECT_EQ(std::memcmp(saved.scores, table.scores, sizeof(table.scores)), 0);
}

TEST_F(HighScores, EnterRoundScoreBelowAllOrZeroChangesNothing) {
    HighScoreTable table = FullTable();
    table.pendingScore = 1;
    const HighScoreTable before = table;
    persistence::EnterRoundScore(table, 99, path);
    EXPECT_EQ(std::memcmp(table.names, before.names, sizeof(table.names)), 0);
    EXPECT_EQ(table.editIndex, -1);
    EXPECT_EQ(table.editing, 0);
    EXPECT_EQ(table.pendingScore, 0);
    EXPECT_FALSE(std::filesystem::exists(path));

    table.pendingScore = 1;
    persistence::EnterRoundScore(table, 0, path);
    EXPECT_EQ(table.pendingScore, 1);
    EXPECT_EQ(table.editIndex, -1);

    // Negative scores rank too: an empty table of zeros takes -5 nowhere, but below -10 it does.
    HighScoreTable negative;
    for (int i = 0; i < 20; ++i) negative.scores[i] = -10;
    persistence::EnterRoundScore(negative, -5, path);
    EXPECT_EQ(negative.scores[0], -5);
}

TEST_F(HighScores, AFailedSaveKeepsTheOldFileAndTheTable) {
    HighScoreTable table = FullTable();
    ASSERT_TRUE(persistence::SaveHighScores(table, path));
    const std::string before = ReadFileBytes(path);
    table.scores[0] = 5000;
    EXPECT_FALSE(persistence::SaveHighScores(table, (dir / "no/such/dir/score.dat")));
    EXPECT_EQ(table.scores[0], 5000);
    EXPECT_EQ(ReadFileBytes(path), before);
}

}  // namespace
