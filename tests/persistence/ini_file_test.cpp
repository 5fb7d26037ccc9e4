#include "persistence/ini_file.h"

#include <gtest/gtest.h>

#include "persistence/options.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

using persistence::IniFile;
using testing_support::TempDir;

TEST(IniFile, ReadsValuesLikeTheProfileFunctions) {
    const IniFile file = IniFile::Parse(
        "; comment\n"
        "key=outside\n"
        "[Other]\n"
        "sound=7\n"
        "[ OPTIONS ]\n"
        "  Sound =  0  \n"
        "sound=1\n"
        "stream=\"0\"\n"
        "bad=12abc\n"
        "commented=0 ; ganze Datei\n"
        "word=off\n"
        "empty=\n"
        "big=99999999999\n"
        "neg=-3\n"
        "[options]\n"
        "late=5\n");
    EXPECT_EQ(file.GetInt("options", "sound", 9), 0);  // case-insensitive, first one wins
    EXPECT_EQ(file.GetInt("options", "stream", 9), 0);
    // The leading integer counts; a value without one is 0, not the default.
    EXPECT_EQ(file.GetInt("options", "bad", 9), 12);
    EXPECT_EQ(file.GetInt("options", "commented", 9), 0);
    EXPECT_EQ(file.GetInt("options", "word", 9), 0);
    EXPECT_EQ(file.GetInt("options", "empty", 9), 0);
    EXPECT_EQ(file.GetInt("options", "big", 9), 1215752191) << "wrapped to 32 bits";
    EXPECT_EQ(file.GetInt("options", "neg", 9), -3);
    EXPECT_EQ(file.GetInt("options", "missing", 9), 9);
    EXPECT_EQ(file.GetInt("options", "late", 9), 9);  // only the first section counts
    EXPECT_EQ(file.GetInt("other", "sound", 9), 7);
    EXPECT_FALSE(file.GetString("", "key"));
    EXPECT_FALSE(file.GetString("missing", "sound"));
}

TEST(IniFile, WritingKeepsEverythingElseByteForByte) {
    const std::string original =
        "# my settings\r\n"
        "\r\n"
        "[video]\r\n"
        "scale = 2\r\n"
        "\r\n"
        "[options]\r\n"
        "stream=0\r\n"
        "sound=1\r\n"
        "unknown line\r\n"
        "\r\n"
        "[zzz]\r\n"
        "a=b";
    IniFile file = IniFile::Parse(original);
    file.SetString("options", "sound", "0");
    std::string expected = original;
    expected.replace(expected.find("sound=1"), 7, "sound=0");
    EXPECT_EQ(file.Serialize(), expected);

    // A missing key goes to the end of its section, before the blank separator line.
    IniFile other = IniFile::Parse("[options]\nstream=0\n\n[x]\ny=1\n");
    other.SetString("options", "sound", "1");
    EXPECT_EQ(other.Serialize(), "[options]\nstream=0\nsound=1\n\n[x]\ny=1\n");

    // A missing section is appended, even after a last line without a line break.
    IniFile last = IniFile::Parse("[x]\ny=1");
    last.SetString("options", "sound", "0");
    EXPECT_EQ(last.Serialize(), "[x]\ny=1\n[options]\nsound=0\n");
}

TEST(IniFile, MalformedFilesGiveDefaultsAndStillAcceptAWrite) {
    TempDir dir;
    const std::string path = (dir / "tannenquirl.ini");
    static constexpr char kGarbage[] = "\x00\xff\x13garbage[options\nsound=0\n=1\n[options]x\n";
    const std::string garbage(kGarbage, sizeof(kGarbage) - 1);
    WriteFileBytes(path, garbage);
    persistence::Options options;
    options.MusicOn = 5;
    options.StreamMusic = 5;
    persistence::LoadOptions(options, path);
    EXPECT_EQ(options.MusicOn, 0);
    EXPECT_EQ(options.StreamMusic, 1);

    ASSERT_TRUE(persistence::SaveSoundOption("0", path));
    EXPECT_EQ(ReadFileBytes(path), garbage + "[options]\nsound=0\n");
    persistence::LoadOptions(options, path);
    EXPECT_EQ(options.MusicOn, 2);
}

TEST(Options, SoundOptionRoundTripAndFileRules) {
    TempDir dir;
    const std::string path = (dir / "tannenquirl.ini");
    persistence::Options options;
    persistence::LoadOptions(options, path);  // no file: music on, streamed
    EXPECT_EQ(options.MusicOn, 0);
    EXPECT_EQ(options.StreamMusic, 1);

    ASSERT_TRUE(persistence::SaveSoundOption("0", path));
    EXPECT_EQ(ReadFileBytes(path), "[options]\nsound=0\n");
    ASSERT_TRUE(persistence::SaveSoundOption("1", path));
    EXPECT_EQ(ReadFileBytes(path), "[options]\nsound=1\n");

    WriteFileBytes(path, "[options]\nsound=2\nstream=0\n");
    persistence::LoadOptions(options, path);
    EXPECT_EQ(options.MusicOn, 2);
    EXPECT_EQ(options.StreamMusic, 0);

    // Written by hand: a comment behind the number, a word for the number.
    WriteFileBytes(path, "[options]\nstream=0 ; ganze Datei\nsound=off\n");
    persistence::LoadOptions(options, path);
    EXPECT_EQ(options.MusicOn, 2) << "\"off\" reads as 0: music off";
    EXPECT_EQ(options.StreamMusic, 0);
    WriteFileBytes(path, "[options]\nsound=1 (an)\n");
    persistence::LoadOptions(options, path);
    EXPECT_EQ(options.MusicOn, 0);
    EXPECT_EQ(options.StreamMusic, 1) << "a missing key keeps its default";

    // No temporary files are left beside the options file.
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
    EXPECT_NE(persistence::OptionsFilePath().find("/tannenquirl.ini"), std::string::npos);
}

TEST(Options, TheWholeHuntingGroundIsReadButNeverWritten) {
    TempDir dir;
    const std::string path = (dir / "tannenquirl.ini");
    persistence::Options options;
    persistence::LoadOptions(options, path);
    EXPECT_EQ(options.Panorama, 0) << "off without a file";
    WriteFileBytes(path, "[options]\npanorama=1\n");
    persistence::LoadOptions(options, path);
    EXPECT_EQ(options.Panorama, 1);
    ASSERT_TRUE(persistence::SaveSoundOption("0", path));
    EXPECT_EQ(ReadFileBytes(path), "[options]\npanorama=1\nsound=0\n");
    for (const char* value : {"0", "ja", ""}) {
        WriteFileBytes(path, std::string("[options]\npanorama=") + value + "\n");
        persistence::LoadOptions(options, path);
        EXPECT_EQ(options.Panorama, 0) << value;
    }
}

TEST(Options, NumbersFollowedByTextCountOnlyTheirLeadingDigits) {
    // Comments and notes written behind a value by hand, with digits of their own.
    TempDir dir;
    const std::string path = (dir / "tannenquirl.ini");
    WriteFileBytes(path,
                   "[options]\n"
                   "sound=1 ; seit 2019 an\n"
                   "stream=5x7\n"
                   "panorama=0 # 1 = ganze Jagd\n");
    const IniFile file = persistence::LoadIniFile(path);
    EXPECT_EQ(file.GetInt("options", "sound", 9), 1);
    EXPECT_EQ(file.GetInt("options", "stream", 9), 5);
    EXPECT_EQ(file.GetInt("options", "panorama", 9), 0);
    persistence::Options options;
    options.Panorama = 7;
    persistence::LoadOptions(options, path);
    EXPECT_EQ(options.MusicOn, 0) << "music on";
    EXPECT_EQ(options.StreamMusic, 5);
    EXPECT_EQ(options.Panorama, 0);
}

TEST(Options, AByteOrderMarkIsReadPastAndKeptWhenTheFileIsRewritten) {
    TempDir dir;
    const std::string path = (dir / "tannenquirl.ini");
    const std::string mark = "\xEF\xBB\xBF";
    WriteFileBytes(path, mark + "[Options]\r\nsound=0\r\nstream=0\r\n");
    persistence::Options options;
    persistence::LoadOptions(options, path);
    EXPECT_EQ(options.MusicOn, 2) << "music off, as the file says";
    EXPECT_EQ(options.StreamMusic, 0);

    ASSERT_TRUE(persistence::SaveSoundOption("1", path));
    EXPECT_EQ(ReadFileBytes(path), mark + "[Options]\r\nsound=1\r\nstream=0\r\n")
        << "the value changed in place, no second section";
    // A file holding the mark alone keeps it before the section it gains.
    WriteFileBytes(path, mark);
    ASSERT_TRUE(persistence::SaveSoundOption("0", path));
    EXPECT_EQ(ReadFileBytes(path), mark + "[options]\nsound=0\n");
}

TEST(Options, AFailedWriteReportsItAndDestroysNothing) {
    TempDir dir;
    EXPECT_FALSE(persistence::SaveSoundOption("0", (dir / "missing/tannenquirl.ini")));
    // Something that exists but cannot be read as a file is not replaced.
    const std::string path = (dir / "tannenquirl.ini");
    std::filesystem::create_directory(path);
    WriteFileBytes(path + "/keep", "x");
    EXPECT_FALSE(persistence::SaveSoundOption("0", path));
    EXPECT_EQ(ReadFileBytes(path + "/keep"), "x");
}

}  // namespace
