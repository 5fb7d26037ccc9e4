#include "platform/sdl/arcade_name_entry.h"

#include "platform/platform.h"

namespace platform {

bool ArcadeNameEntry::LetterUnderCursorWaiting() const {
    return underCursor_ && !steps_.empty() && steps_.back().kind == Kind::Letter;
}

void ArcadeNameEntry::Press(Button button) {
    switch (button) {
        case Button::Up:
        case Button::Down: {
            const int step = button == Button::Up ? 1 : LetterCount - 1;
            if (LetterUnderCursorWaiting()) {
                // Not typed yet: it simply becomes the next letter.
                letter_ = (letter_ + step) % LetterCount;
                steps_.back().letter = letter_;
            } else if (underCursor_) {
                letter_ = (letter_ + step) % LetterCount;
                steps_.push_back({Kind::Backspace});
                steps_.push_back({Kind::Letter, letter_});
            } else {
                // An empty place shows the letter last chosen first.
                steps_.push_back({Kind::Letter, letter_});
                underCursor_ = true;
            }
            break;
        }
        case Button::Next:
            underCursor_ = false;
            break;
        case Button::Delete:
            if (LetterUnderCursorWaiting()) {
                // Never typed; a replaced letter's Backspace still deletes the old one.
                steps_.pop_back();
            } else {
                steps_.push_back({Kind::Backspace});
            }
            underCursor_ = false;
            break;
        case Button::Done:
            steps_.push_back({Kind::Return});
            underCursor_ = false;
            break;
    }
}

ArcadeNameEntry::Step ArcadeNameEntry::NextStep() {
    Step step;
    if (steps_.empty()) return step;
    const Pending next = steps_.front();
    steps_.pop_front();
    switch (next.kind) {
        case Kind::Backspace:
            step.key = vk::Back;
            break;
        case Kind::Letter:
            step.text = Letters[next.letter];
            break;
        case Kind::Return:
            step.key = vk::Return;
            break;
    }
    return step;
}

void ArcadeNameEntry::Reset() {
    steps_.clear();
    letter_ = 0;
    underCursor_ = false;
}

}  // namespace platform
