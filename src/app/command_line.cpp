#include "app/command_line.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace app {

namespace {

struct OptionInfo {
    const char* name;
    const char* valueName;  // the name of the value that follows; nullptr for a plain switch
    const char* help;
    void (*apply)(CommandLine& commandLine, const char* value);
};

constexpr OptionInfo Options[] = {
    {"--panorama", nullptr, "play the whole hunting ground: meadow, forest and field",
     [](CommandLine& c, const char*) { c.panorama = true; }},
    {"--replay", "FILE",
     "show a recorded round (Escape ends it); the game's files stay as they are",
     [](CommandLine& c, const char* value) { c.replayPath = value; }},
    {"--record", "FILE", "also write every round played to FILE",
     [](CommandLine& c, const char* value) { c.recordPath = value; }},
    {"--help", nullptr, "show this help and end",
     [](CommandLine& c, const char*) { c.help = true; }},
    {"--version", nullptr, "show the version and end",
     [](CommandLine& c, const char*) { c.version = true; }},
};

struct EnvironmentInfo {
    const char* name;
    const char* help;
};

constexpr EnvironmentInfo Environment[] = {
    {"TANNENQUIRL_WINDOWED=1", "start in a window instead of full screen"},
    {"XDG_DATA_HOME", "where an installed game keeps scores and options"},
    {"SDL_AUDIODRIVER=dummy", "play without a sound card"},
};

// Rows of "  NAME  HELP", the help texts in one column.
using TableRows = std::vector<std::pair<std::string, std::string>>;

std::string Table(const TableRows& rows) {
    size_t width = 0;
    for (const auto& [name, help] : rows) width = std::max(width, name.size());
    std::string text;
    for (const auto& [name, help] : rows) {
        text += "  " + name + std::string(width - name.size() + 2, ' ') + help + "\n";
    }
    return text;
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine commandLine;
    for (int i = 1; i < argc && commandLine.error.empty(); ++i) {
        const OptionInfo* option = std::find_if(
            std::begin(Options), std::end(Options),
            [&](const OptionInfo& candidate) { return std::strcmp(candidate.name, argv[i]) == 0; });
        if (option == std::end(Options)) {
            commandLine.error = std::string("unknown option '") + argv[i] + "'";
        } else if (option->valueName && i + 1 >= argc) {
            commandLine.error = std::string(option->name) + " needs " + option->valueName;
        } else {
            option->apply(commandLine, option->valueName ? argv[++i] : nullptr);
        }
    }
    return commandLine;
}

std::string HelpText() {
    std::string text =
        "Usage: tannenquirl [OPTION]...\n"
        "Tannenquirl Rauze, a shooting gallery in a German woodland.\n"
        "\nOptions:\n";
    TableRows options;
    for (const OptionInfo& option : Options) {
        std::string name = option.name;
        if (option.valueName) name += std::string(" ") + option.valueName;
        options.emplace_back(name, option.help);
    }
    text += Table(options) + "\nEnvironment:\n";
    TableRows environment;
    for (const EnvironmentInfo& variable : Environment) {
        environment.emplace_back(variable.name, variable.help);
    }
    text += Table(environment);
    text +=
        "\nAlt+Enter switches between window and full screen; Alt+X ends the game.\n"
        "Exit status: 0 closed by the player, 1 no display, 2 no sound output,\n"
        "3 no 800x600 picture, 64 an option the game does not know, 65 a recorded round\n"
        "that cannot be played back.\n"
        "\nEvery round played is kept in the save folder as rounds/last.tqround, and the\n"
        "round behind each high-score entry beside it while the entry stays in the table.\n";
    return text;
}

const char* GameVersion() {
    return TQ_VERSION;
}

std::string VersionText() {
    return std::string("Tannenquirl Rauze ") + GameVersion() + "\n";
}

}  // namespace app
