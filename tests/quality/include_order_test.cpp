// The folders of src/ include one another in one direction only, from the top of the program down
// to the machine, so that a reader of a folder knows what it may touch. The order is the README's
// layout table.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Each folder's place, top first. A file may include its own folder and folders further down;
// folders on the same step do not include one another.
const std::map<std::string, int> FolderStep = {
    {"app", 0},         {"flow", 1},    {"presentation", 2}, {"world", 3}, {"gamestate", 4},
    {"persistence", 5}, {"display", 5}, {"sound", 5},        {"diag", 6},  {"platform", 7},
};

// Every include of src/ that points up the order (or sideways), as "file:line: text"; game code
// outside the SDL backend that includes an SDL header counts as well.
std::vector<std::string> WrongIncludes(const fs::path& srcRoot) {
    std::vector<std::string> wrong;
    const std::regex local(R"(^\s*#\s*include\s*"([a-z_]+)/)");
    const std::regex sdl(R"(^\s*#\s*include\s*[<"]SDL)");
    for (const auto& entry : fs::recursive_directory_iterator(srcRoot)) {
        if (!entry.is_regular_file()) continue;
        const fs::path relative = fs::relative(entry.path(), srcRoot);
        const std::string folder = relative.begin()->string();
        const std::string ext = entry.path().extension().string();
        if (ext != ".cpp" && ext != ".h") continue;
        const auto own = FolderStep.find(folder);
        const bool inSdlBackend = relative.string().rfind("platform/sdl/", 0) == 0;
        std::ifstream file(entry.path());
        std::string line;
        for (int number = 1; std::getline(file, line); ++number) {
            const std::string where =
                relative.string() + ":" + std::to_string(number) + ": " + line;
            std::smatch match;
            if (std::regex_search(line, sdl) && !inSdlBackend) {
                wrong.push_back(where + "  (SDL outside its backend)");
            }
            if (!std::regex_search(line, match, local)) continue;
            const std::string target = match[1];
            if (target == folder) continue;
            const auto step = FolderStep.find(target);
            if (own == FolderStep.end() || step == FolderStep.end()) {
                wrong.push_back(where + "  (a folder without a place in the order)");
            } else if (step->second <= own->second) {
                wrong.push_back(where + "  (" + folder + " may not include " + target + ")");
            }
        }
    }
    return wrong;
}

void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

}  // namespace

TEST(IncludeOrder, EveryIncludeOfTheGamePointsDownTheOrder) {
    const std::vector<std::string> wrong = WrongIncludes(fs::path(TQ_SOURCE_DIR) / "src");
    for (const std::string& line : wrong) ADD_FAILURE() << line;
}

TEST(IncludeOrder, NamesTheFileAndLineOfAnIncludeThatPointsUp) {
    testing_support::TempDir dir;
    Write(dir.Path() / "world/entity.h", "#pragma once\n#include \"gamestate/round_state.h\"\n");
    Write(dir.Path() / "world/spawning.cpp",
          "#include \"world/entity.h\"\n\n#include \"flow/pause.h\"\n");
    Write(dir.Path() / "sound/mixer.cpp", "#include \"display/colour.h\"\n");
    Write(dir.Path() / "gamestate/round_state.cpp", "#include <SDL2/SDL.h>\n");
    Write(dir.Path() / "platform/sdl/sdl_backend.cpp", "#include <SDL2/SDL.h>\n");
    Write(dir.Path() / "extras/tool.cpp", "#include \"diag/trace_error.h\"\n");

    std::vector<std::string> wrong = WrongIncludes(dir.Path());
    std::sort(wrong.begin(), wrong.end());
    ASSERT_EQ(wrong.size(), 4u) << ::testing::PrintToString(wrong);
    EXPECT_EQ(wrong[0],
              "extras/tool.cpp:1: #include \"diag/trace_error.h\"  (a folder without a "
              "place in the order)");
    EXPECT_EQ(wrong[1],
              "gamestate/round_state.cpp:1: #include <SDL2/SDL.h>  (SDL outside its "
              "backend)");
    EXPECT_EQ(wrong[2],
              "sound/mixer.cpp:1: #include \"display/colour.h\"  (sound may not include display)");
    EXPECT_EQ(wrong[3],
              "world/spawning.cpp:3: #include \"flow/pause.h\"  (world may not include flow)");
}
