// Recorded rounds played back by tqdriver: the rounds kept in tests/replays reach the score and
// the state they were recorded with, a round the autoplayer records now replays to the state
// it ended in, and a damaged recording is caught, never played on as if nothing happened.
//
// After an intended change of the rules, tests/replays/record.sh records the kept rounds again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace {

using testing_support::ReadFileBytes;

namespace fs = std::filesystem;

// The first value of `key` in a state file: the round's score comes before the table's.
std::string FirstValue(const std::string& json, const std::string& key) {
    std::smatch match;
    if (!std::regex_search(json, match, std::regex("\"" + key + "\":\"?([0-9a-f-]+)"))) return "";
    return match[1];
}

// The exit status of a shell command.
int ExitStatusOf(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Driver() {
    return std::string(TQ_DRIVER_PATH) + " --data " + TQ_DATA_DIR;
}

std::vector<std::string> KeptRoundNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(TQ_SOURCE_DIR) / "tests/replays")) {
        if (entry.path().extension() == ".tqround") names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class KeptRounds : public ::testing::TestWithParam<std::string> {};

TEST_P(KeptRounds, AKeptRoundReachesTheScoreAndStateItWasRecordedWith) {
    testing_support::TempDir scratch;
    const fs::path kept = fs::path(TQ_SOURCE_DIR) / "tests/replays" / GetParam();
    const std::string expected = ReadFileBytes(kept.string() + ".expect");
    std::smatch score, digest;
    ASSERT_TRUE(std::regex_search(expected, score, std::regex("score (-?[0-9]+)")));
    ASSERT_TRUE(std::regex_search(expected, digest, std::regex("rulesDigest ([0-9a-f]+)")));

    const std::string state = scratch / "end.json";
    ASSERT_EQ(ExitStatusOf(Driver() + " --replay " + kept.string() + ".tqround --state " + state),
              0);
    const std::string end = ReadFileBytes(state);
    EXPECT_EQ(FirstValue(end, "score"), score[1].str());
    EXPECT_EQ(FirstValue(end, "rulesDigest"), digest[1].str());
    EXPECT_LE(fs::file_size(kept.string() + ".tqround"), 100u * 1024u);
}

INSTANTIATE_TEST_SUITE_P(Replays, KeptRounds, ::testing::ValuesIn(KeptRoundNames()),
                         [](const ::testing::TestParamInfo<std::string>& instance) {
                             return instance.param;
                         });

// The state files of a run and of its replay agree on everything the round decided. The driver's
// own counts (its frame number, the autoplayer's figures) are the run's alone, and so are the
// clock and the rules' digest: the recording ends with the name entry, and the run goes on for
// a few frames in the menu before the autoplayer closes the game. The kept rounds above pin the
// digest.
std::string GameStateOnly(std::string json) {
    while (!json.empty() && json.back() == '\n') json.pop_back();
    for (const char* own :
         {"\"frame\":[0-9]+,", "\"clock\":[0-9]+,", "\"rulesDigest\":\"[0-9a-f]+\","})
        json = std::regex_replace(json, std::regex(own), "");
    return std::regex_replace(json, std::regex(",\"autoplay\":\\{.*\\}\\}$"), "}");
}

TEST(RecordedRounds, AnAutoplayedRoundReplaysToTheStateItEndedInAndADamagedCopyIsCaught) {
    testing_support::TempDir scratch;
    const std::string round = scratch / "round.tqround";
    const std::string recorded = scratch / "recorded.json";
    const std::string replayed = scratch / "replayed.json";
    fs::create_directory_symlink(fs::path(TQ_DATA_DIR) / "grafik", scratch.Path() / "grafik");
    fs::create_directory_symlink(fs::path(TQ_DATA_DIR) / "sounds", scratch.Path() / "sounds");
    ASSERT_EQ(ExitStatusOf(std::string(TQ_DRIVER_PATH) + " --data " + scratch.Path().string() +
                           " --autoplay --step 33 --record " + round + " --state " + recorded +
                           " 2>/dev/null"),
              0);
    ASSERT_EQ(ExitStatusOf(Driver() + " --replay " + round + " --state " + replayed), 0);
    const std::string before = ReadFileBytes(recorded);
    const std::string after = ReadFileBytes(replayed);
    ASSERT_NE(FirstValue(before, "score"), "");
    EXPECT_EQ(GameStateOnly(after), GameStateOnly(before));

    // One byte changed in the middle of the round: the replay stops and says where.
    std::string bytes = ReadFileBytes(round);
    bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 0x20);
    std::ofstream(scratch / "damaged.tqround", std::ios::binary) << bytes;
    const std::string log = scratch / "damaged.log";
    EXPECT_EQ(ExitStatusOf(Driver() + " --replay " + (scratch / "damaged.tqround") + " 2>" + log),
              1);
    EXPECT_NE(ReadFileBytes(log).find("at frame "), std::string::npos) << ReadFileBytes(log);

    // Not a round at all: refused before the game starts.
    EXPECT_EQ(ExitStatusOf(Driver() + " --replay " + recorded + " 2>/dev/null"), 65);
}

}  // namespace
