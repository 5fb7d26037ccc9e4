// Typing a name with a game controller alone, arcade style: up and down change the letter under
// the cursor (held, they step on by themselves), right or A keeps it and moves on, left or B
// deletes, Start is done, as Return is.
//
// It types under the name entry's own rules: a letter goes in only while the name has room for
// it. And it changes only what it typed itself: a letter the name had no room for leaves nothing
// under its cursor, and once anything else (the keyboard) has changed the name, the controller
// starts a new place after it and deletes no further back than that.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "persistence/high_scores.h"
#include "platform/platform.h"

namespace presentation {

// A held up or down steps the letter again after this delay, then at this interval.
constexpr uint32_t LetterRepeatDelayMs = 400;
constexpr uint32_t LetterRepeatIntervalMs = 110;

class ArcadeNameEntry {
  public:
    // The letters up and down step through, in order, wrapping round (Windows-1252, as names are
    // kept).
    static constexpr std::string_view Letters{
        "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xC4\xD6\xDC"
        "0123456789- "};
    static constexpr int LetterCount = static_cast<int>(Letters.size());

    // One frame, after the keyboard's: reads the controller and types into the entry being
    // edited. True when Start ended the entry and the table was saved.
    bool Frame(persistence::HighScoreTable& table, const std::string& scoreFile);
    // Forgets the name it was typing (the letters start again at "A") and takes buttons already
    // down as held, not pressed.
    void Discard();

  private:
    using Buttons = std::array<bool, platform::PadButtonCount>;

    void Forget();
    void StepLetter(char (&name)[persistence::HighScoreFieldSize], int step);
    void Delete(char (&name)[persistence::HighScoreFieldSize]);

    Buttons wasDown_{};
    // The letter last chosen; a new place starts with it, so "AAA" takes no stepping.
    int letter_ = 0;
    // The name's last character is the letter under the cursor.
    bool underCursor_ = false;
    // How many of the name's last characters the controller typed.
    size_t typed_ = 0;
    // The name as the controller left it; another name there was changed by something else.
    std::string left_;
    // The direction held and stepping by itself, and when it steps next.
    std::optional<platform::PadButton> repeating_;
    uint32_t repeatAt_ = 0;
};

}  // namespace presentation
