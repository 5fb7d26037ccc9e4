// A whole round in tqdriver: start a game from the menu, then 90 s of virtual time without any
// input, and the game is back in the menu with the high-score window open on the result.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>

#include "support/file_bytes.h"
#include "support/state_json.h"
#include "world/world_fixture.h"

namespace {

using testing_support::NumberAfter;
using testing_support::ReadFileBytes;

TEST(WholeRound, NinetySecondsWithoutInputEndInTheMenusHighScoreState) {
    world_testing::TempDirectory data;  // no pictures, no sounds: the game runs all the same
    const std::string script = data / "round.txt";
    // The start screen lasts 4 s (250 frames of 16 ms); the start button is clicked at frame
    // 260; loading and the hold take 3 s, the round 90 s (5625 frames).
    std::ofstream(script) << "260 move 600 220\n"
                             "260 tap lbutton\n"
                             "3000 state "
                          << (data / "middle.json")
                          << "\n"
                             "6150 state "
                          << (data / "end.json") << "\n";
    const std::string command = std::string(TQ_DRIVER_PATH) + " --data " + data.Path().string() +
                                " --script " + script + " --frames 6160 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    const std::string middle = ReadFileBytes(data / "middle.json");
    EXPECT_EQ(NumberAfter(middle, "screen"), 2) << middle.substr(0, 300);
    EXPECT_EQ(NumberAfter(middle, "stage"), 1);
    EXPECT_GT(NumberAfter(middle, "roundEnd"), NumberAfter(middle, "roundClock"));
    EXPECT_GT(NumberAfter(middle, "activeEntities"), 60) << "scenery and animals";
    EXPECT_NE(middle.find("\"quotas\":["), std::string::npos);
    EXPECT_TRUE(std::regex_search(middle, std::regex("\"kind\":[1-5],\"plane\":[23]")))
        << "animals walk in the middle and far planes";

    const std::string end = ReadFileBytes(data / "end.json");
    EXPECT_EQ(NumberAfter(end, "screen"), 1) << end.substr(0, 300);
    EXPECT_EQ(NumberAfter(end, "score"), 0);
    ASSERT_NE(end.find("\"menu\""), std::string::npos);
    EXPECT_EQ(NumberAfter(end, "slide"), 400) << "the result window slid open at once";
    EXPECT_EQ(NumberAfter(end, "window"), 1) << "the high-score window";
}

}  // namespace
