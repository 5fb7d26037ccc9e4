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
    Note({.call = Call::End});
    CloseBlock();
    recording_ = false;
    writer_.reset();
    return std::exchange(file_, RoundFile{});
}

void RecordingBackend::Note(const Answer& answer) {
    if (!recording_) return;
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
    Note({.call = Call::Ticks, .number = now});
    return now;
}

bool RecordingBackend::KeyDown(int virtualKey) {
    const bool down = inner_.KeyDown(virtualKey);
    // Keys outside the table read up on every backend and need no record.
    if (virtualKey >= 0 && virtualKey < vk::Count)
        Note({.call = Call::KeyDown, .number = static_cast<uint32_t>(virtualKey), .yes = down});
    return down;
}

Point RecordingBackend::CursorPos() {
    const Point cursor = inner_.CursorPos();
    Note({.call = Call::Cursor, .point = cursor});
    return cursor;
}

void RecordingBackend::WarpCursor(int x, int y) {
    inner_.WarpCursor(x, y);
}

std::string RecordingBackend::TakeTypedText() {
    std::string text = inner_.TakeTypedText();
    if (text.size() > LongestText) text.resize(LongestText);
    Note({.call = Call::TypedText, .text = text});
    return text;
}

bool RecordingBackend::PadDown(PadButton button) {
    const bool down = inner_.PadDown(button);
    Note({.call = Call::PadDown, .number = static_cast<uint32_t>(button), .yes = down});
    return down;
}

void RecordingBackend::SetTextInputWanted(bool wanted) {
    inner_.SetTextInputWanted(wanted);
}

bool RecordingBackend::PollEvent(Event& event) {
    const bool found = inner_.PollEvent(event);
    Note({.call = Call::PollEvent, .yes = found, .event = found ? event : Event{}});
    return found;
}

void RecordingBackend::WaitEvent() {
    Note({.call = Call::WaitEvent});
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
    Note({.call = Call::OpenWindow, .yes = opened});
    return opened;
}

void RecordingBackend::CloseWindow() {
    inner_.CloseWindow();
}

PresentResult RecordingBackend::Present(const uint16_t* pixels, int pitch) {
    const PresentResult result = inner_.Present(pixels, pitch);
    Note({.call = Call::Present, .present = result});
    if (recording_ && ++frames_ % FramesPerBlock == 0) CloseBlock();
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
    Note({.call = Call::OpenAudio, .yes = opened});
    return opened;
}

void RecordingBackend::CloseAudio() {
    inner_.CloseAudio();
}

bool RecordingBackend::Observe(bool value) {
    const bool seen = inner_.Observe(value);
    Note({.call = Call::Observe, .yes = seen});
    return seen;
}

void RecordingBackend::Checkpoint(uint64_t digest) {
    inner_.Checkpoint(digest);
    Note({.call = Call::Checkpoint,
          .number = static_cast<uint32_t>(digest),
          .number2 = static_cast<uint32_t>(digest >> 32)});
}

}  // namespace platform::replay
