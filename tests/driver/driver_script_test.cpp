// The driver's script language: verbs, key and button names, taps and clicks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "script.h"

namespace {

TEST(DriverScript, ParsesEveryVerbAndExpandsTaps) {
    std::vector<driver::ScriptEntry> entries;
    std::string error;
    ASSERT_TRUE(
        driver::ParseScript("# a comment\n"
                            "0 move 450 190\n"
                            "\n"
                            "3 tap lbutton   # click\n"
                            "5 down vk:0x31\n"
                            "6 text Jörg Müller\n"
                            "7 minimize\n"
                            "8 restore\n"
                            "9 shot a.bmp\n"
                            "9 state s.json\n"
                            "10 quit\n",
                            entries, error))
        << error;
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries[0].verb, "move");
    EXPECT_EQ(entries[0].x, 450);
    EXPECT_EQ(entries[1].verb, "down");
    EXPECT_EQ(entries[1].frame, 3);
    EXPECT_EQ(entries[1].key, platform::vk::LButton);
    EXPECT_EQ(entries[2].verb, "up");
    EXPECT_EQ(entries[2].frame, 4);
    EXPECT_EQ(entries[3].key, 0x31);
    EXPECT_EQ(entries[4].text, "Jörg Müller");
    EXPECT_EQ(entries[7].text, "a.bmp");
    EXPECT_EQ(entries[9].verb, "quit");
}

TEST(DriverScript, AClickIsOneEntryForItsOwnFrame) {
    std::vector<driver::ScriptEntry> entries;
    std::string error;
    ASSERT_TRUE(driver::ParseScript("7 click escape\n", entries, error)) << error;
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].verb, "click");
    EXPECT_EQ(entries[0].frame, 7);
    EXPECT_EQ(entries[0].key, platform::vk::Escape);
    EXPECT_FALSE(driver::ParseScript("7 click\n", entries, error));
}

TEST(DriverScript, PressesControllerButtonsAndTiltsTheStick) {
    std::vector<driver::ScriptEntry> entries;
    std::string error;
    ASSERT_TRUE(driver::ParseScript("4 pad rb\n5 stick -1 0.25\n9 stick 0 0\n", entries, error))
        << error;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].verb, "pad");
    EXPECT_EQ(entries[0].button, platform::PadButton::RightShoulder);
    EXPECT_EQ(entries[1].stickX, -1.0f);
    EXPECT_EQ(entries[1].stickY, 0.25f);
    EXPECT_EQ(entries[2].frame, 9);
    for (const char* name : {"a", "b", "x", "y", "back", "start", "lb", "rb", "lt", "rt", "up",
                             "down", "left", "right"}) {
        EXPECT_TRUE(driver::PadButtonFromName(name)) << name;
    }
    EXPECT_FALSE(driver::ParseScript("1 pad z\n", entries, error));
    EXPECT_FALSE(driver::ParseScript("1 pad\n", entries, error));
    EXPECT_FALSE(driver::ParseScript("1 stick 0.5\n", entries, error));
    EXPECT_FALSE(driver::ParseScript("1 stick 1.5 0\n", entries, error)) << "beyond full tilt";
}

TEST(DriverScript, NamesKeysAndRefusesNonsense) {
    EXPECT_EQ(driver::KeyCodeFromName("Escape"), platform::vk::Escape);
    EXPECT_EQ(driver::KeyCodeFromName("q"), 'Q');
    EXPECT_EQ(driver::KeyCodeFromName("2"), '2');
    EXPECT_EQ(driver::KeyCodeFromName("vk:222"), 222);
    EXPECT_EQ(driver::KeyCodeFromName("vk:999"), -1);
    EXPECT_EQ(driver::KeyCodeFromName("hyper"), -1);

    std::vector<driver::ScriptEntry> entries;
    std::string error;
    EXPECT_FALSE(driver::ParseScript("1 jump\n", entries, error));
    EXPECT_NE(error.find("line 1"), std::string::npos);
    EXPECT_FALSE(driver::ParseScript("x move 1 2\n", entries, error));
    EXPECT_FALSE(driver::ParseScript("1 move 1\n", entries, error));
    EXPECT_FALSE(driver::ParseScript("1 down nokey\n", entries, error));
    EXPECT_FALSE(driver::ParseScript("-1 quit\n", entries, error));
}

}  // namespace
