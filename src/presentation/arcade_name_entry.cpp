#include "presentation/arcade_name_entry.h"

#include <cstring>

#include "presentation/name_entry.h"

namespace presentation {

namespace {

using platform::PadButton;

size_t NameLength(const char (&name)[persistence::HighScoreFieldSize]) {
    return strnlen(name, persistence::HighScoreFieldSize);
}

void RemoveLastCharacter(char (&name)[persistence::HighScoreFieldSize]) {
    const size_t length = NameLength(name);
    if (length > 0) name[length - 1] = '\0';
}

}  // namespace

void ArcadeNameEntry::Forget() {
    letter_ = 0;
    underCursor_ = false;
    typed_ = 0;
    left_.clear();
    repeating_.reset();
}

void ArcadeNameEntry::Discard() {
    Forget();
    for (size_t b = 0; b < wasDown_.size(); ++b)
        wasDown_[b] = platform::PadDown(static_cast<PadButton>(b));
}

void ArcadeNameEntry::StepLetter(char (&name)[persistence::HighScoreFieldSize], int step) {
    if (underCursor_) {
        // The letter under the cursor makes way for the next one, which goes in under the same
        // rules (and so always finds the room the letter it replaces had).
        letter_ = (letter_ + step + LetterCount) % LetterCount;
        RemoveLastCharacter(name);
        --typed_;
    }
    // An empty place shows the letter last chosen first.
    underCursor_ = AppendNameCharacter(name, Letters[static_cast<size_t>(letter_)]);
    if (underCursor_) ++typed_;
}

void ArcadeNameEntry::Delete(char (&name)[persistence::HighScoreFieldSize]) {
    if (typed_ > 0) {
        RemoveLastCharacter(name);
        --typed_;
    }
    underCursor_ = false;
}

bool ArcadeNameEntry::Frame(persistence::HighScoreTable& table, const std::string& scoreFile) {
    Buttons down{};
    for (size_t b = 0; b < down.size(); ++b) down[b] = platform::PadDown(static_cast<PadButton>(b));
    const Buttons wasDown = wasDown_;
    wasDown_ = down;
    auto held = [&](PadButton b) { return down[static_cast<size_t>(b)]; };
    auto pressed = [&](PadButton b) { return held(b) && !wasDown[static_cast<size_t>(b)]; };

    if (!NameBeingTyped(table)) {
        Forget();
        return false;
    }
    char(&name)[persistence::HighScoreFieldSize] = table.names[table.editIndex];
    if (left_ != std::string_view(name, NameLength(name))) {
        underCursor_ = false;
        typed_ = 0;
    }

    const uint32_t now = platform::Ticks();
    for (PadButton direction : {PadButton::Up, PadButton::Down}) {
        if (!pressed(direction)) continue;
        StepLetter(name, direction == PadButton::Up ? 1 : -1);
        repeating_ = direction;
        repeatAt_ = now + LetterRepeatDelayMs;
    }
    if (repeating_ && !held(*repeating_)) {
        repeating_.reset();
    } else if (repeating_ && static_cast<int32_t>(now - repeatAt_) >= 0) {
        StepLetter(name, *repeating_ == PadButton::Up ? 1 : -1);
        repeatAt_ = now + LetterRepeatIntervalMs;
    }
    if (pressed(PadButton::Right) || pressed(PadButton::A)) underCursor_ = false;
    if (pressed(PadButton::Left) || pressed(PadButton::B)) Delete(name);
    left_.assign(name, NameLength(name));
    return pressed(PadButton::Start) && persistence::EndNameEntry(table, scoreFile);
}

}  // namespace presentation
