// Typing a name with a game controller alone, arcade style: up and down change the letter under
// the cursor, right (or A) keeps it and moves on, left (or B) deletes, Start is done.
//
// It types the way a keyboard does (typed text, Backspace, Return), one step per frame, so that a
// letter changed into another is deleted in one frame and typed in the next, and the name the
// game stores is exactly what the player saw.
#pragma once

#include <deque>
#include <string>
#include <string_view>

namespace platform {

class ArcadeNameEntry {
  public:
    enum class Button { Up, Down, Next, Delete, Done };

    // What the next frame receives: a key pressed for it (Backspace or Return; 0 for none) and
    // typed text (UTF-8; empty for none).
    struct Step {
        int key = 0;
        std::string_view text;
    };

    // The letters up and down step through, in order, wrapping round.
    static constexpr std::string_view Letters[] = {
        "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N",
        "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z", "Ä", "Ö",
        "Ü", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "-", " "};
    static constexpr int LetterCount = static_cast<int>(std::size(Letters));

    void Press(Button button);
    // A frame begins: the step it receives.
    Step NextStep();
    // A new name begins (or the entry ended): nothing under the cursor, nothing waiting, the
    // letters start again at "A".
    void Reset();

    bool Waiting() const { return !steps_.empty(); }

  private:
    enum class Kind { Backspace, Letter, Return };
    struct Pending {
        Kind kind;
        int letter = 0;
    };
    bool LetterUnderCursorWaiting() const;

    std::deque<Pending> steps_;
    // The letter last chosen; a new place starts with it, so "AAA" takes no stepping.
    int letter_ = 0;
    // The name's last character is the letter under the cursor, typed or about to be.
    bool underCursor_ = false;
};

}  // namespace platform
