#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

app::CommandLine Parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "tannenquirl");
    return app::ParseCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

TEST(CommandLine, UnderstandsItsOptionsAndNamesAnyOtherArgument) {
    app::CommandLine plain = Parse({});
    EXPECT_FALSE(plain.panorama || plain.help || plain.version);
    EXPECT_TRUE(plain.error.empty());

    app::CommandLine all = Parse({"--version", "--panorama", "--help"});
    EXPECT_TRUE(all.panorama && all.help && all.version);
    EXPECT_TRUE(all.error.empty());

    // A mistyped option is not silently a normal game: the player learns which one it was.
    app::CommandLine typo = Parse({"--panorama", "--panaroma"});
    EXPECT_EQ(typo.error, "unknown option '--panaroma'");
    EXPECT_EQ(Parse({"panorama"}).error, "unknown option 'panorama'");
    EXPECT_EQ(Parse({"--panorama=1"}).error, "unknown option '--panorama=1'");
}

TEST(CommandLine, HelpListsEveryOptionAndEnvironmentVariableInOneColumn) {
    const std::string help = app::HelpText();
    for (const char* name : {"--panorama", "--replay FILE", "--record FILE", "--help", "--version",
                             "TANNENQUIRL_WINDOWED", "XDG_DATA_HOME", "SDL_AUDIODRIVER"}) {
        EXPECT_NE(help.find(std::string("  ") + name), std::string::npos) << name;
    }
    // Each option is understood as the help shows it.
    EXPECT_TRUE(Parse({"--panorama"}).panorama);
    EXPECT_EQ(Parse({"--replay", "last.tqround"}).replayPath, "last.tqround");
    EXPECT_EQ(Parse({"--record", "mine.tqround"}).recordPath, "mine.tqround");
    EXPECT_EQ(Parse({"--record"}).error, "--record needs FILE");
    // The help texts of the options start in one column.
    const size_t panorama = help.find("  --panorama");
    const size_t version = help.find("  --version");
    const size_t column = help.find_first_not_of(' ', panorama + 12) - panorama;
    EXPECT_EQ(help.find_first_not_of(' ', version + 11) - version, column);
    EXPECT_EQ(help.back(), '\n');
}

}  // namespace
