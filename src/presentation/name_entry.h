// Typing a name into the high-score table: text from the platform's text input (any keyboard
// layout) turned into the Windows-1252 characters the menu font can draw, Backspace taken once per
// press and repeating while held, as a held letter key does, and Return taken once per press. A
// game controller types into the same name (presentation/arcade_name_entry.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "persistence/high_scores.h"
#include "presentation/arcade_name_entry.h"

namespace presentation {

// The characters a name may hold, as Windows-1252 bytes: the letters A .. Z and a .. z, the
// digits, space, "-", and ä ö ü Ä Ö Ü ß.
bool IsNameCharacter(unsigned char code);

// The name characters among `utf8`, as Windows-1252; everything else (other scripts, symbols,
// control characters, broken UTF-8) is left out.
std::string NameCharactersFromUtf8(std::string_view utf8);

// Windows-1252 text as UTF-8 (for reports and tools; names on screen stay Windows-1252).
std::string Windows1252ToUtf8(std::string_view text);

// Names end before this x on the screen: no character is added once the drawn name reaches it.
constexpr int NameEndLimitX = 752;
// The x where the names of the high-score table start.
constexpr int NameColumnX = 560;

// A held Backspace deletes once, then again after this delay and every interval after it, the
// way a keyboard repeats a held letter.
constexpr uint32_t BackspaceRepeatDelayMs = 500;
constexpr uint32_t BackspaceRepeatIntervalMs = 40;

// Press edges of Backspace and Return, kept between frames, and the controller's entry.
struct NameEntryKeys {
    bool backspaceDown = false;
    bool returnDown = false;
    // The tick of the next repeat of a Backspace pressed during the entry and still held.
    std::optional<uint32_t> backspaceRepeatAt;
    ArcadeNameEntry controller;
};

// Forgets what was typed while no name could be entered (weapon keys during a round, say) and
// takes keys and buttons that are already down as held, not pressed.
void DiscardPendingInput(NameEntryKeys& keys);

// Whether the name of an entry of the table is being typed.
bool NameBeingTyped(const persistence::HighScoreTable& table);

// Appends `c` to a name of the table while the name has room for it: while it is shorter than 49
// characters and, as the menu font draws it from NameColumnX, ends left of NameEndLimitX. False,
// with the name unchanged, when it is full.
bool AppendNameCharacter(char (&name)[persistence::HighScoreFieldSize], char c);

// One frame of name entry, after the menu has drawn everything. Takes the text typed since the
// last frame (taken from the platform every frame, so nothing typed earlier piles up) and the
// press edges of Backspace and Return:
//  - Return pressed: the entry ends and the table is saved (persistence::EndNameEntry).
//  - While an entry 0 .. 19 is being edited, each typed name character is appended while the
//    name has room for it (AppendNameCharacter); then Backspace pressed (or repeating) removes
//    the last character.
// Then the controller's frame (ArcadeNameEntry). Returns true when the table was saved.
bool NameEntryFrame(persistence::HighScoreTable& table, NameEntryKeys& keys,
                    const std::string& scoreFile);

}  // namespace presentation
