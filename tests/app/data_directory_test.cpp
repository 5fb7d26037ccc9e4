#include "app/data_directory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <vector>

#include "gamestate/game_state.h"
#include "persistence/high_scores.h"
#include "persistence/options.h"
#include "persistence/save_directory.h"
#include "support/bmp_fixture.h"
#include "support/file_bytes.h"
#include "support/game_harness.h"
#include "support/temp_dir.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

namespace fs = std::filesystem;

class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, hadOld_ = true;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (hadOld_) {
            setenv(name_, old_.c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::string old_;
    bool hadOld_ = false;
};

TEST(DataLocation, PrefersTheCurrentDirectoryThenTheBuildTreeThenTheInstallation) {
    testing_support::TempDir dir;
    fs::path elsewhere = dir.Path() / "elsewhere";
    fs::create_directories(elsewhere);
    ScopedEnv xdg("XDG_DATA_HOME", (dir.Path() / "xdg").string());

    // Installed: prefix/bin/tannenquirl with prefix/share/tannenquirl/grafik.
    fs::path prefix = dir.Path() / "prefix";
    fs::create_directories(prefix / "share/tannenquirl/grafik");
    app::DataLocation installed = app::ChooseDataLocation(elsewhere, prefix / "bin/tannenquirl");
    EXPECT_EQ(installed.dataDirectory, prefix / "share/tannenquirl");
    EXPECT_EQ(installed.saveDirectory, (dir.Path() / "xdg/tannenquirl").string());
    EXPECT_TRUE(fs::is_directory(dir.Path() / "xdg/tannenquirl")) << "created for the saves";

    // The build tree: build/tannenquirl with build/data/grafik; saves stay beside the data.
    fs::create_directories(prefix / "bin/data/grafik");
    app::DataLocation build = app::ChooseDataLocation(elsewhere, prefix / "bin/tannenquirl");
    EXPECT_EQ(build.dataDirectory, prefix / "bin/data");
    EXPECT_TRUE(build.saveDirectory.empty());

    // A folder with pictures of its own is used as it is.
    fs::create_directories(elsewhere / "grafik");
    app::DataLocation here = app::ChooseDataLocation(elsewhere, prefix / "bin/tannenquirl");
    EXPECT_EQ(here.dataDirectory, elsewhere);
    EXPECT_TRUE(here.saveDirectory.empty());
}

TEST(DataLocation, FindsDebiansLayoutForGames) {
    // /usr/games/tannenquirl with /usr/share/games/tannenquirl/grafik: the saves go to the user.
    testing_support::TempDir dir;
    fs::path elsewhere = dir.Path() / "elsewhere";
    fs::create_directories(elsewhere);
    ScopedEnv xdg("XDG_DATA_HOME", (dir.Path() / "xdg").string());
    fs::path usr = dir.Path() / "usr";
    fs::create_directories(usr / "share/games/tannenquirl/grafik");

    app::DataLocation installed = app::ChooseDataLocation(elsewhere, usr / "games/tannenquirl");
    EXPECT_EQ(installed.dataDirectory, usr / "share/games/tannenquirl");
    EXPECT_EQ(installed.saveDirectory, (dir.Path() / "xdg/tannenquirl").string());
}

TEST(DataLocation, ARelativeXdgDataHomeIsIgnoredForTheHomeDirectory) {
    // A relative XDG_DATA_HOME is invalid: saves under it would land wherever the game happened
    // to be started and be lost the next time.
    testing_support::TempDir dir;
    fs::path previous = fs::current_path();
    fs::current_path(dir.Path());
    ScopedEnv home("HOME", (dir.Path() / "home").string());
    ScopedEnv xdg("XDG_DATA_HOME", "relative/share");
    fs::path prefix = dir.Path() / "prefix";
    fs::create_directories(prefix / "share/tannenquirl/grafik");

    app::DataLocation installed =
        app::ChooseDataLocation(dir.Path() / "prefix", prefix / "bin/tannenquirl");
    fs::current_path(previous);
    EXPECT_EQ(installed.saveDirectory, (dir.Path() / "home/.local/share/tannenquirl").string());
    EXPECT_TRUE(fs::is_directory(dir.Path() / "home/.local/share/tannenquirl"));
    EXPECT_FALSE(fs::exists(dir.Path() / "relative")) << "nothing is made under the relative path";

    // Without a home either, there is nowhere safe to keep them: the current directory is used.
    ScopedEnv noXdg("XDG_DATA_HOME", "");
    ScopedEnv noHome("HOME", "");
    EXPECT_TRUE(app::UserDataDirectory().empty());
}

TEST(DataLocation, ACopyWhoseFolderCannotBeWrittenSavesInTheUsersFolder) {
    testing_support::TempDir dir;
    ScopedEnv xdg("XDG_DATA_HOME", (dir.Path() / "xdg").string());
    const fs::path saves = dir.Path() / "xdg/tannenquirl";
    // Unpacked by another user: the binary with data/ beside it, holding a table and options.
    const fs::path copy = dir.Path() / "copy";
    const fs::path data = copy / "data";
    fs::create_directories(data / "grafik");
    WriteFileBytes(data / "score.dat", "the copy's table");
    WriteFileBytes(data / "tannenquirl.ini", "[options]\nsound=0\n");
    const auto allButData = [&](const fs::path& folder) { return folder != data; };

    // Started from elsewhere, and from inside the data folder itself.
    for (const fs::path& start : {dir.Path(), data}) {
        const app::DataLocation location =
            app::ChooseDataLocation(start, copy / "tannenquirl", allButData);
        EXPECT_EQ(location.dataDirectory, data);
        EXPECT_EQ(location.saveDirectory, saves.string());
        EXPECT_TRUE(location.savesWritable);
    }
    EXPECT_EQ(ReadFileBytes(saves / "score.dat"), "the copy's table") << "seeded on first use";
    EXPECT_EQ(ReadFileBytes(saves / "tannenquirl.ini"), "[options]\nsound=0\n");

    // What the game saves there stays there, and the next start reads it from there.
    persistence::SetSaveDirectory(saves.string());
    EXPECT_TRUE(persistence::SaveSoundOption("1"));
    persistence::SetSaveDirectory("");
    app::ChooseDataLocation(dir.Path(), copy / "tannenquirl", allButData);
    EXPECT_EQ(ReadFileBytes(saves / "tannenquirl.ini"), "[options]\nsound=1\n");
    EXPECT_EQ(ReadFileBytes(data / "tannenquirl.ini"), "[options]\nsound=0\n");

    // A folder the player may write keeps its saves beside the pictures, as it always did.
    const app::DataLocation writable = app::ChooseDataLocation(
        dir.Path(), copy / "tannenquirl", [](const fs::path&) { return true; });
    EXPECT_TRUE(writable.saveDirectory.empty());
}

TEST(DataLocation, WithNowhereToWriteThePlayerIsToldOnceAtStartUp) {
    testing_support::TempDir dir;
    ScopedEnv xdg("XDG_DATA_HOME", (dir.Path() / "xdg").string());
    // A file where the user's folder should be: it cannot be made.
    fs::create_directories(dir.Path() / "xdg");
    WriteFileBytes(dir.Path() / "xdg/tannenquirl", "");
    fs::create_directories(dir.Path() / "copy/data/grafik");
    const app::DataLocation copy = app::ChooseDataLocation(
        dir.Path(), dir.Path() / "copy/tannenquirl", [](const fs::path&) { return false; });
    EXPECT_FALSE(copy.savesWritable);
    EXPECT_TRUE(copy.saveDirectory.empty()) << "tried beside the pictures";
    // An installed game never saves beside its pictures, however writable they are.
    fs::create_directories(dir.Path() / "usr/share/tannenquirl/grafik");
    const app::DataLocation installed =
        app::ChooseDataLocation(dir.Path(), dir.Path() / "usr/bin/tannenquirl");
    EXPECT_EQ(installed.dataDirectory, dir.Path() / "usr/share/tannenquirl");
    EXPECT_FALSE(installed.savesWritable);

    // The real check: a folder it can write, and a file or nothing where the folder should be.
    EXPECT_TRUE(app::FolderIsWritable(dir.Path()));
    EXPECT_FALSE(app::FolderIsWritable(dir.Path() / "xdg/tannenquirl"));
    EXPECT_FALSE(app::FolderIsWritable(dir.Path() / "missing"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 3)
        << "nothing left behind by the check";

    // One box at start-up, however many saves fail after it.
    const fs::path previous = fs::current_path();
    fs::current_path(dir.Path());
    persistence::SetSaveDirectory((dir.Path() / "xdg/tannenquirl").string(), false);
    int soundClicks = 0;
    {
        testing_support::GameHarness harness;
        harness.stepMs = 50;
        harness.Run(200, [&](platform::HeadlessBackend& backend, int) {
            if (gamestate::Game.GameScreen != gamestate::MenuScreen) return;
            backend.SetCursor(600, 420);
            backend.Click(platform::vk::LButton);
            ++soundClicks;
        });
        const std::vector<std::string> boxes = harness.Backend().MessageBoxes();
        EXPECT_EQ(std::count_if(boxes.begin(), boxes.end(),
                                [](const std::string& box) {
                                    return box.find(
                                               "Highscores und Einstellungen können nicht "
                                               "gespeichert werden.") != std::string::npos;
                                }),
                  1);
    }
    persistence::SetSaveDirectory("");
    fs::current_path(previous);
    EXPECT_GT(soundClicks, 10);
    EXPECT_FALSE(fs::exists(dir.Path() / "tannenquirl.ini"));
}

TEST(DataLocation, SaveFilesFollowTheSaveDirectory) {
    persistence::SetSaveDirectory("/home/jäger/.local/share/tannenquirl");
    EXPECT_EQ(persistence::HighScoreFilePath(), "/home/jäger/.local/share/tannenquirl/score.dat");
    EXPECT_EQ(persistence::OptionsFilePath(),
              "/home/jäger/.local/share/tannenquirl/tannenquirl.ini");
    persistence::SetSaveDirectory("");
    EXPECT_EQ(persistence::HighScoreFilePath(), "score.dat");
    EXPECT_EQ(persistence::OptionsFilePath(), fs::current_path().string() + "/tannenquirl.ini");
}

}  // namespace
