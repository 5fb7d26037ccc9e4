#include "script.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

#include "platform/platform.h"

namespace driver {

int KeyCodeFromName(const std::string& rawName) {
    std::string name;
    for (char c : rawName) name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    namespace vk = platform::vk;
    static const std::map<std::string, int> named = {
        {"lbutton", vk::LButton}, {"rbutton", vk::RButton}, {"mbutton", vk::MButton},
        {"escape", vk::Escape},   {"return", vk::Return},   {"enter", vk::Return},
        {"backspace", vk::Back},  {"shift", vk::Shift},     {"alt", vk::Menu},
        {"control", vk::Control}, {"space", vk::Space},     {"tab", vk::Tab},
    };
    if (auto it = named.find(name); it != named.end()) return it->second;
    if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0])))
        return std::toupper(static_cast<unsigned char>(name[0]));
    if (name.size() == 1 && std::isdigit(static_cast<unsigned char>(name[0]))) return name[0];
    if (name.rfind("vk:", 0) == 0 && name.size() > 3) {
        char* end = nullptr;
        long code = std::strtol(name.c_str() + 3, &end, 0);
        if (*end == '\0' && code > 0 && code < vk::Count) return static_cast<int>(code);
    }
    return -1;
}

std::optional<platform::PadButton> PadButtonFromName(const std::string& name) {
    using platform::PadButton;
    static const std::map<std::string, PadButton> named = {
        {"a", PadButton::A},
        {"b", PadButton::B},
        {"x", PadButton::X},
        {"y", PadButton::Y},
        {"back", PadButton::Back},
        {"start", PadButton::Start},
        {"lb", PadButton::LeftShoulder},
        {"rb", PadButton::RightShoulder},
        {"lt", PadButton::LeftTrigger},
        {"rt", PadButton::RightTrigger},
        {"up", PadButton::Up},
        {"down", PadButton::Down},
        {"left", PadButton::Left},
        {"right", PadButton::Right},
    };
    if (auto it = named.find(name); it != named.end()) return it->second;
    return std::nullopt;
}

bool ParseScript(const std::string& text, std::vector<ScriptEntry>& entries, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        ScriptEntry entry;
        if (!(words >> entry.frame)) {
            std::string rest;
            if (std::istringstream(line) >> rest) {
                error = "line " + std::to_string(lineNumber) + ": expected a frame number";
                return false;
            }
            continue;  // blank or comment
        }
        auto fail = [&](const std::string& why) {
            error = "line " + std::to_string(lineNumber) + ": " + why;
            return false;
        };
        if (entry.frame < 0) return fail("negative frame");
        if (!(words >> entry.verb)) return fail("missing verb");
        const std::string& verb = entry.verb;
        if (verb == "move") {
            if (!(words >> entry.x >> entry.y)) return fail("move needs X Y");
        } else if (verb == "down" || verb == "up" || verb == "tap" || verb == "click") {
            std::string key;
            if (!(words >> key) || (entry.key = KeyCodeFromName(key)) < 0)
                return fail("unknown key");
        } else if (verb == "pad") {
            std::string name;
            const auto button = (words >> name) ? PadButtonFromName(name) : std::nullopt;
            if (!button) return fail("unknown controller button");
            entry.button = *button;
        } else if (verb == "stick") {
            auto tilt = [](float t) { return t >= -1.0f && t <= 1.0f; };
            if (!(words >> entry.stickX >> entry.stickY) || !tilt(entry.stickX) ||
                !tilt(entry.stickY))
                return fail("stick needs X Y, each -1 .. 1");
        } else if (verb == "text") {
            std::getline(words >> std::ws, entry.text);
            while (!entry.text.empty() && (entry.text.back() == '\r' || entry.text.back() == ' '))
                entry.text.pop_back();
        } else if (verb == "shot" || verb == "state") {
            if (!(words >> entry.text)) return fail(verb + " needs a file");
        } else if (verb != "minimize" && verb != "restore" && verb != "quit") {
            return fail("unknown verb '" + verb + "'");
        }
        if (verb == "tap") {
            entry.verb = "down";
            entries.push_back(entry);
            entry.verb = "up";
            ++entry.frame;
        }
        entries.push_back(entry);
    }
    return true;
}

}  // namespace driver
