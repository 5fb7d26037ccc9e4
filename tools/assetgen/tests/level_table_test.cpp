// The README shows the sound mix as the generator makes it: anyone who changes a sound sees
// where it now sits and writes the table anew.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(LevelTable, TheReadmeShowsTheMixTheGeneratorMakes) {
    const fs::path table =
        fs::temp_directory_path() / ("assetgen_levels_" + std::to_string(::getpid()) + ".md");
    const std::string command =
        std::string("\"") + ASSETGEN_EXE + "\" --levels \"" + table.string() + "\" > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string levels = ReadAll(table);
    fs::remove(table);
    ASSERT_NE(levels.find("| `waffen/gewehr02.wav` |"), std::string::npos);
    EXPECT_NE(ReadAll(fs::path(TQ_SOURCE_DIR) / "README.md").find(levels), std::string::npos)
        << "README.md's table of the sound mix is not what `assetgen --levels` writes now:\n"
        << levels;
}

}  // namespace
