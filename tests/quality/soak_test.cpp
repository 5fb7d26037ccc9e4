// Twenty rounds back to back by the built-in player, in virtual time: menu, round, name entry,
// next round. Meant for the sanitizer build, where every stray access or leak ends the run; the
// normal build plays one round in the autoplay test already.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "persistence/high_scores.h"
#include "support/bmp_fixture.h"

namespace {

namespace fs = std::filesystem;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool UnderSanitizers = true;
#else
constexpr bool UnderSanitizers = false;
#endif

std::vector<long> NumbersIn(const std::string& text) {
    std::vector<long> numbers;
    std::stringstream stream(text);
    std::string item;
    while (std::getline(stream, item, ',')) numbers.push_back(std::stol(item));
    return numbers;
}

TEST(Soak, TwentyRoundsBackToBackStayCleanAndFlat) {
    if (!UnderSanitizers) GTEST_SKIP() << "the soak runs in the sanitizer build";
    ASSERT_TRUE(fs::exists(fs::path(TQ_DATA_DIR) / "grafik")) << "the asset pack is needed";
    testing_support::TempDir dir;
    for (const char* folder : {"grafik", "sounds"})
        fs::create_directory_symlink(fs::path(TQ_DATA_DIR) / folder, dir.Path() / folder);
    std::string state = dir / "state.json";
    std::string command = std::string(TQ_DRIVER_PATH) + " --data " + dir.Path().string() +
                          " --autoplay --rounds 20 --step 100 --state " + state + " 2>" +
                          (dir / "stderr.txt");
    ASSERT_EQ(std::system(command.c_str()), 0) << "a sanitizer report ends the run non-zero";

    std::ifstream file(state);
    std::string json((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::smatch match;
    ASSERT_TRUE(std::regex_search(json, match, std::regex("\"autoplay\":\\{\"rounds\":(\\d+)")));
    EXPECT_EQ(std::stoi(match[1]), 20);
    ASSERT_TRUE(
        std::regex_search(json, match, std::regex("\"heapKBAtRoundEnds\":\\[([0-9,]+)\\]")));
    std::vector<long> heap = NumbersIn(match[1]);
    ASSERT_EQ(heap.size(), 20u);
    // After the first round everything the game keeps has been made once; later rounds reuse it.
    for (size_t round = 1; round < heap.size(); ++round)
        EXPECT_LT(heap[round] - heap[0], 2048) << "heap grew by round " << round + 1;

    persistence::HighScoreTable table;
    persistence::LoadHighScores(table, dir / "score.dat");
    int named = 0;
    for (int i = 0; i < persistence::HighScoreCount; ++i)
        named += std::string(table.names[i]) == "Autoplay";
    EXPECT_EQ(named, 20) << "every round's name was entered and saved";
}

}  // namespace
