#include "platform/replay/recording_backend.h"

#include <utility>

namespace platform::replay {

namespace {

// A block ends every ten seconds or so of frames, so that a recording written while it runs
// loses little if the game is stopped hard.
constexpr int FramesPerBlock = 600;

}  // namespace

RecordingBackend::RecordingBackend(Backend& inner) : inner_(inner) {}

RecordingBackend::~RecordingBackend() {
    if (CurrentBackend() == this) SetBackend(&inner_);
}

void RecordingBackend::Begin(RoundFile header) {
    file_ = std::move(header);
    file_.blocks.clear();
    writer_ = std::make_unique<RoundStreamWriter>();
    answersInBlock_ = 0;
    frames_ = 0;
    recording_ = true;
}

RoundFile RecordingBackend::End() {
    if (!recording_) return {};
    Answer end;
    end.call = Call::End;
    Note(end);
    CloseBlock();
    recording_ = false;
    writer_.reset();
    return std::exchange(file_, RoundFile{});
}

void RecordingBackend::Note(const Answer& answer) {
    writer_->Write(answer);
    ++answersInBlock_;
}

void RecordingBackend::CloseBlock() {
    if (answersInBlock_ == 0) return;
    file_.blocks.push_back(RoundBlock{answersInBlock_, writer_->FinishBlock()});
    answersInBlock_ = 0;
}

uint32_t RecordingBackend::Ticks() {
    const uint32_t now = inner_.Ticks();
    if (recording_) {
        Answer answer;
        answer.call = Call::Ticks;
        answer.number = now;
        Note(answer);
    }
    return now;
}

bool RecordingBackend::KeyDown(int virtualKey) {
    const bool down = inner_.KeyDown(virtualKey);
    // Keys outside the table read up on every backend and need no record.
    if (recording_ && virtualKey >= 0 && virtualKey < vk::Count) {
        Answer answer;
        answer.call = Call::KeyDown;
        answer.number = static_cast<uint32_t>(virtualKey);
        answer.yes = down;
        Note(answer);
    }
    return down;
}

Point RecordingBackend::CursorPos() {
    const Point cursor = inner_.CursorPos();
    if (recording_) {
        Answer answer;
        answer.call = Call::Cursor;
        answer.point = cursor;
        Note(answer);
    }
    return cursor;
}

void RecordingBackend::WarpCursor(int x, int y) {
    inner_.WarpCursor(x, y);
}

std::string RecordingBackend::TakeTypedText() {
    std::string text = inner_.TakeTypedText();
    if (text.size() > LongestText) text.resize(LongestText);
    if (recording_) {
        Answer answer;
        answer.call = Call::TypedText;
        answer.text = text;
        Note(answer);
    }
    return text;
}

bool RecordingBackend::PadDown(PadButton button) {
    const bool down = inner_.PadDown(button);
    if (recording_) {
        Answer answer;
        answer.call = Call::PadDown;
        answer.number = static_cast<uint32_t>(button);
        answer.yes = down;
        Note(answer);
    }
    return down;
}

void RecordingBackend::SetTextInputWanted(bool wanted) {
    inner_.SetTextInputWanted(wanted);
}

bool RecordingBackend::PollEvent(Event& event) {
    const bool found = inner_.PollEvent(event);
    if (recording_) {
        Answer answer;
        answer.call = Call::PollEvent;
        answer.yes = found;
        if (found) answer.event = event;
        Note(answer);
    }
    return found;
}

void RecordingBackend::WaitEvent() {
    if (recording_) {
        Answer answer;
        answer.call = Call::WaitEvent;
        Note(answer);
    }
    inner_.WaitEvent();
}

void RecordingBackend::PostClose() {
    inner_.PostClose();
}

void RecordingBackend::PostQuit(int code) {
    inner_.PostQuit(code);
}

bool RecordingBackend::OpenWindow(const char* title) {
    const bool opened = inner_.OpenWindow(title);
    if (recording_) {
        Answer answer;
        answer.call = Call::OpenWindow;
        answer.yes = opened;
        Note(answer);
    }
    return opened;
}

void RecordingBackend::CloseWindow() {
    inner_.CloseWindow();
}

PresentResult RecordingBackend::Present(const uint16_t* pixels, int pitch) {
    const PresentResult result = inner_.Present(pixels, pitch);
    if (recording_) {
        Answer answer;
        answer.call = Call::Present;
        answer.present = result;
        Note(answer);
        if (++frames_ % FramesPerBlock == 0) CloseBlock();
    }
    return result;
}

void RecordingBackend::ShowMessageBox(const char* text, const char* caption, bool error) {
    inner_.ShowMessageBox(text, caption, error);
}

void RecordingBackend::DebugOutput(const char* text) {
    inner_.DebugOutput(text);
}

bool RecordingBackend::OpenAudio(int sampleRate, AudioPull pull) {
    const bool opened = inner_.OpenAudio(sampleRate, std::move(pull));
    if (recording_) {
        Answer answer;
        answer.call = Call::OpenAudio;
        answer.yes = opened;
        Note(answer);
    }
    return opened;
}

void RecordingBackend::CloseAudio() {
    inner_.CloseAudio();
}

bool RecordingBackend::Observe(bool value) {
    const bool seen = inner_.Observe(value);
    if (recording_) {
        Answer answer;
        answer.call = Call::Observe;
        answer.yes = seen;
        Note(answer);
    }
    return seen;
}

void RecordingBackend::Checkpoint(uint64_t digest) {
    inner_.Checkpoint(digest);
    if (!recording_) return;
    Answer answer;
    answer.call = Call::Checkpoint;
    answer.number = static_cast<uint32_t>(digest);
    answer.number2 = static_cast<uint32_t>(digest >> 32);
    Note(answer);
}

}  // namespace platform::replay
