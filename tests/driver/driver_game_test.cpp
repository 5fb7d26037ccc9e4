// The driver program itself, run as a player would run it: from the start screen into the menu,
// with scripts of clicks, keys and controller buttons, screenshots and its state as JSON.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/bmp_fixture.h"
#include "support/file_bytes.h"

namespace {

using testing_support::ReadFileBytes;

TEST(Driver, RunsTheStartScreenIntoTheMenuAndTakesScreenshots) {
    testing_support::TempDir dir;
    testing_support::WriteSolidBmp(dir.Path() / "grafik/screens/startscreen.bmp", 800, 600,
                                   0x0000FF00);
    std::string command = std::string(TQ_DRIVER_PATH) + " --data " + dir.Path().string() +
                          " --frames 300 --shot 10:" + (dir / "start.bmp") + " --state " +
                          (dir / "s.json") + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::string state = ReadFileBytes(dir / "s.json");
    EXPECT_NE(state.find("\"frame\":299"), std::string::npos) << state;
    EXPECT_EQ(state.find("\"screen\":-1"), std::string::npos) << "left the start screen: " << state;
    std::string shot = ReadFileBytes(dir / "start.bmp");
    ASSERT_EQ(shot.size(), 54u + 800 * 600 * 3);
    EXPECT_EQ(static_cast<unsigned char>(shot[54 + 1]), 0xFF) << "green start screen";
}

TEST(Driver, ScriptedQuickClicksPressTheMenuAndAltXClosesTheGame) {
    testing_support::TempDir dir;
    std::ofstream(dir / "quick.script") << "0 move 600 420\n"
                                           "300 click lbutton   # the sound button\n"
                                           "310 down alt\n"
                                           "311 click x\n"
                                           "500 quit\n";
    std::string command = std::string(TQ_DRIVER_PATH) + " --data " + dir.Path().string() +
                          " --script " + (dir / "quick.script") + " --state " + (dir / "s.json") +
                          " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << "Alt+X is a normal close";
    EXPECT_NE(ReadFileBytes(dir / "tannenquirl.ini").find("sound=0"), std::string::npos);
    EXPECT_NE(ReadFileBytes(dir / "s.json").find("\"frame\":310,"), std::string::npos)
        << "frame 311 never ran: Alt+X closed the game first: " << ReadFileBytes(dir / "s.json");
}

TEST(Driver, AScriptedControllerClicksTheMenuPlaysARoundAndTypesAFullName) {
    testing_support::TempDir dir;
    for (const char* folder : {"grafik", "sounds"}) {
        std::filesystem::create_directory_symlink(std::filesystem::path(TQ_DATA_DIR) / folder,
                                                  dir.Path() / folder);
    }
    auto state = [&](int frame, const char* name) {
        return std::to_string(frame) + " state " + (dir / name) + "\n";
    };
    std::ostringstream script;
    // The stick takes the cursor from the top left corner onto the game start button. In the
    // round (panorama, so the camera reaches the meadow) the mouse aims and the controller
    // shoots: the blossom centres to the colours 3, 2 and 1, six shots with a reload between,
    // unlock the crossbow for the shoulder buttons.
    script << "100 stick 1 0\n"
              "107 stick 0 1\n"
              "110 stick 0 0\n"
              "115 pad a\n"
              "300 move 0 300     # the camera scrolls left to 80\n"
              "330 move 120 300\n"
              "331 move 400 300\n"
              "340 move 210 186   # the left blossom\n"
              "342 pad rt\n"
              "354 pad a\n"
              "366 pad rt\n"
              "370 move 281 217   # the middle one\n"
              "378 pad a\n"
              "390 pad rt\n"
              "402 pad x          # five shots fired: reload\n"
              "414 move 335 270   # the right one\n"
              "420 pad a\n"
           << state(440, "unlocked.json") << "442 pad rb\n"
           << state(444, "next.json") << "446 pad lb\n"
           << state(448, "previous.json");
    // The round ends after its 90 seconds. Then the name: "W" is 22 letters up from "A", and each
    // next place starts with the letter last chosen. Twelve W fill the name's space.
    int frame = 2100;
    auto press = [&](const char* button) {
        script << frame << " pad " << button << "\n";
        frame += 2;
    };
    for (int i = 0; i < 23; ++i) press("up");
    for (int i = 0; i < 11; ++i) {
        press("a");
        press("up");
    }
    for (const char* button : {"a", "up", "up", "start"}) press(button);
    script << state(frame, "end.json");
    std::ofstream(dir / "pad.script") << script.str();
    const std::string command = std::string(TQ_DRIVER_PATH) + " --data " + dir.Path().string() +
                                " --panorama --step 50 --frames " + std::to_string(frame + 1) +
                                " --script " + (dir / "pad.script") + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    const std::string unlocked = ReadFileBytes(dir / "unlocked.json");
    EXPECT_NE(unlocked.find("\"screen\":2,"), std::string::npos) << "A clicked the start button";
    EXPECT_NE(unlocked.find("\"crossbow\":2"), std::string::npos)
        << "the right trigger and A hit the blossoms, X reloaded for the last: " << unlocked;
    EXPECT_NE(ReadFileBytes(dir / "next.json").find("\"selected\":2,"), std::string::npos)
        << "the right shoulder took the crossbow";
    EXPECT_NE(ReadFileBytes(dir / "previous.json").find("\"selected\":1,\"rounds\":5,"),
              std::string::npos)
        << "the left shoulder took the shotgun back, loaded";
    const std::string end = ReadFileBytes(dir / "end.json");
    EXPECT_NE(end.find("\"editing\":false"), std::string::npos) << "Start ended the entry";
    EXPECT_NE(end.find("\"name\":\"WWWWWWWWWWWW\""), std::string::npos)
        << "typed with the controller alone, and up on a full name changes none of it: " << end;
}

TEST(Driver, RefusesABadCommandLine) {
    std::string command = std::string(TQ_DRIVER_PATH) + " --bogus 2>/dev/null";
    EXPECT_NE(std::system(command.c_str()), 0);
}

}  // namespace
