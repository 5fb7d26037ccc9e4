#include "app/data_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "persistence/high_scores.h"
#include "persistence/options.h"
#include "persistence/save_directory.h"
#include "support/bmp_fixture.h"

namespace {

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
