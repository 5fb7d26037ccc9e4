#include "platform/web/dom_keys.h"

#include <array>
#include <utility>

#include "platform/platform.h"

namespace platform::web {

namespace {

// The keys the game names that are not letters or digits. The punctuation keys are named by
// their place, which a German keyboard labels with its own letters.
constexpr std::array<std::pair<std::string_view, int>, 21> NamedKeys{{
    {"Backspace", vk::Back},       {"Tab", vk::Tab},
    {"Enter", vk::Return},         {"NumpadEnter", vk::Return},
    {"Escape", vk::Escape},        {"Space", vk::Space},
    {"ArrowLeft", vk::Left},       {"ArrowUp", vk::Up},
    {"ArrowRight", vk::Right},     {"ArrowDown", vk::Down},
    {"ShiftLeft", vk::LShift},     {"ShiftRight", vk::RShift},
    {"ControlLeft", vk::LControl}, {"ControlRight", vk::RControl},
    {"AltLeft", vk::LMenu},        {"AltRight", vk::RMenu},
    {"BracketLeft", vk::Oem1},  // ü on a German keyboard
    {"Semicolon", vk::Oem3},    // ö
    {"Minus", vk::Oem4},        // ß
    {"Quote", vk::Oem7},        // ä
    {"Slash", vk::OemMinus},    // -
}};

// Control with Alt is AltGr on Windows, which types characters (@, {, ...).
bool IsShortcut(bool ctrl, bool alt, bool meta) {
    return meta || (ctrl && !alt);
}

}  // namespace

int VirtualKeyOfCode(std::string_view code) {
    if (code.size() == 4 && code.substr(0, 3) == "Key" && code[3] >= 'A' && code[3] <= 'Z')
        return code[3];
    if (code.size() == 6 && code.substr(0, 5) == "Digit" && code[5] >= '0' && code[5] <= '9')
        return code[5];
    for (const auto& [name, key] : NamedKeys) {
        if (name == code) return key;
    }
    return 0;
}

int VirtualKeyOfMouseButton(int button) {
    switch (button) {
        case 0:
            return vk::LButton;
        case 1:
            return vk::MButton;
        case 2:
            return vk::RButton;
        default:
            return 0;
    }
}

std::string TypedTextOfKey(std::string_view key, bool ctrl, bool alt, bool meta) {
    if (key.empty() || IsShortcut(ctrl, alt, meta)) return {};
    // A character is one code point: one byte, or a lead byte and its continuation bytes. A
    // named key ("Enter", "Dead") is several characters.
    const auto lead = static_cast<unsigned char>(key[0]);
    const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (key.size() != length || lead < 0x20 || lead == 0x7F) return {};
    return std::string(key);
}

bool IsCloseShortcut(std::string_view key, std::string_view code, bool alt) {
    if (!alt) return false;
    if (key == "x" || key == "X") return true;
    const bool typesALetter =
        key.size() == 1 && ((key[0] >= 'a' && key[0] <= 'z') || (key[0] >= 'A' && key[0] <= 'Z'));
    return !typesALetter && code == "KeyX";
}

bool IsFullScreenShortcut(std::string_view code, bool alt) {
    return alt && (code == "Enter" || code == "NumpadEnter");
}

bool BrowserKeepsKey(std::string_view code, bool ctrl, bool alt, bool meta) {
    if (IsShortcut(ctrl, alt, meta)) return true;
    return code.size() >= 2 && code.size() <= 3 && code[0] == 'F' && code[1] >= '1' &&
           code[1] <= '9';
}

}  // namespace platform::web
