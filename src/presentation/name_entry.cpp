#include "presentation/name_entry.h"

#include <cstring>

#include "persistence/high_scores.h"
#include "platform/platform.h"
#include "presentation/bitmap_font.h"

namespace presentation {

namespace {

// Windows-1252 codes of the German letters, which are also their Unicode code points.
constexpr unsigned char kGermanLetters[] = {0xC4, 0xD6, 0xDC, 0xDF, 0xE4, 0xF6, 0xFC};

bool IsGermanLetter(uint32_t codePoint) {
    for (unsigned char c : kGermanLetters) {
        if (codePoint == c) return true;
    }
    return false;
}

// Decodes one UTF-8 sequence at `text[i]`, moving i past it; 0xFFFFFFFF for a broken sequence
// (i then moves past its first byte only).
uint32_t NextCodePoint(std::string_view text, size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) return lead;
    int extra = 0;
    uint32_t codePoint = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        codePoint = lead & 0x07;
    } else {
        return 0xFFFFFFFF;
    }
    if (i + size_t(extra) > text.size()) return 0xFFFFFFFF;
    for (int k = 0; k < extra; ++k) {
        const auto next = static_cast<unsigned char>(text[i + size_t(k)]);
        if ((next & 0xC0) != 0x80) return 0xFFFFFFFF;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    // Overlong forms are refused, so that no sequence sneaks in a character in disguise.
    static constexpr uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (codePoint < kSmallest[extra]) return 0xFFFFFFFF;
    i += size_t(extra);
    return codePoint;
}

}  // namespace

bool IsNameCharacter(unsigned char code) {
    if ((code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z')) return true;
    if (code >= '0' && code <= '9') return true;
    return code == ' ' || code == '-' || IsGermanLetter(code);
}

std::string NameCharactersFromUtf8(std::string_view utf8) {
    std::string name;
    size_t i = 0;
    while (i < utf8.size()) {
        const uint32_t codePoint = NextCodePoint(utf8, i);
        if (codePoint <= 0xFF && IsNameCharacter(static_cast<unsigned char>(codePoint))) {
            name.push_back(static_cast<char>(codePoint));
        }
    }
    return name;
}

std::string Windows1252ToUtf8(std::string_view text) {
    // 0x80 .. 0x9F differ from Latin-1; the rest of the upper half is the same code point.
    static constexpr uint16_t kHighControls[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    std::string utf8;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const uint32_t codePoint =
            (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80] : byte;
        if (codePoint < 0x80) {
            utf8.push_back(char(codePoint));
        } else if (codePoint < 0x800) {
            utf8.push_back(char(0xC0 | (codePoint >> 6)));
            utf8.push_back(char(0x80 | (codePoint & 0x3F)));
        } else {
            utf8.push_back(char(0xE0 | (codePoint >> 12)));
            utf8.push_back(char(0x80 | ((codePoint >> 6) & 0x3F)));
            utf8.push_back(char(0x80 | (codePoint & 0x3F)));
        }
    }
    return utf8;
}

void DiscardPendingInput(NameEntryKeys& keys) {
    platform::TakeTypedText();
    keys.backspaceDown = platform::KeyDown(platform::vk::Back);
    keys.returnDown = platform::KeyDown(platform::vk::Return);
    keys.backspaceRepeatAt.reset();
    keys.controller.Discard();
}

bool NameBeingTyped(const persistence::HighScoreTable& table) {
    return table.editIndex >= 0 && table.editIndex < persistence::HighScoreCount;
}

bool AppendNameCharacter(char (&name)[persistence::HighScoreFieldSize], char c) {
    // The field may come from a file without a NUL only if it failed its check, which empties
    // it; still, never measure past the field.
    const size_t length = strnlen(name, persistence::HighScoreFieldSize);
    if (length >= size_t(persistence::HighScoreNameLength)) return false;
    if (NameColumnX + BitmapFont::MeasureString(MenuFontStyle, name) >= NameEndLimitX) return false;
    name[length] = c;
    name[length + 1] = '\0';
    return true;
}

bool NameEntryFrame(persistence::HighScoreTable& table, NameEntryKeys& keys,
                    const std::string& scoreFile) {
    // Everything typed since the last frame is taken now, used or not.
    const std::string typed = NameCharactersFromUtf8(platform::TakeTypedText());
    const bool backspace = platform::KeyDown(platform::vk::Back);
    bool erase = backspace && !keys.backspaceDown;
    keys.backspaceDown = backspace;
    const uint32_t now = platform::Ticks();
    if (erase) {
        keys.backspaceRepeatAt = now + BackspaceRepeatDelayMs;
    } else if (!backspace) {
        keys.backspaceRepeatAt.reset();
    } else if (keys.backspaceRepeatAt && int32_t(now - *keys.backspaceRepeatAt) >= 0) {
        erase = true;
        *keys.backspaceRepeatAt += BackspaceRepeatIntervalMs;
    }
    const bool enter = platform::KeyDown(platform::vk::Return);
    const bool returnPressed = enter && !keys.returnDown;
    keys.returnDown = enter;

    bool saved = returnPressed && persistence::EndNameEntry(table, scoreFile);
    if (NameBeingTyped(table)) {
        char(&name)[persistence::HighScoreFieldSize] = table.names[table.editIndex];
        for (char c : typed) {
            if (!AppendNameCharacter(name, c)) break;
        }
        const size_t length = strnlen(name, persistence::HighScoreFieldSize);
        if (erase && length > 0) name[length - 1] = '\0';
    }
    if (keys.controller.Frame(table, scoreFile)) saved = true;
    return saved;
}

}  // namespace presentation
