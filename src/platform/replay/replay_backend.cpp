#include "platform/replay/replay_backend.h"

#include <thread>
#include <utility>

namespace platform::replay {

ReplayBackend::ReplayBackend(Backend& inner, RoundFile file, Pace pace)
    : inner_(inner), file_(std::move(file)), pace_(pace) {}

ReplayBackend::~ReplayBackend() {
    if (CurrentBackend() == this) SetBackend(&inner_);
}

void ReplayBackend::Start() {
    reader_ = std::make_unique<RoundStreamReader>();
    block_ = 0;
    leftInBlock_ = 0;
    started_ = true;
    if (!LoadNextAnswer()) over_ = true;
}

bool ReplayBackend::LoadNextAnswer() {
    while (leftInBlock_ == 0) {
        if (block_ >= file_.blocks.size()) {
            Diverge("the recording ends without its end mark");
            return false;
        }
        reader_->BeginBlock(file_.blocks[block_].bytes);
        leftInBlock_ = file_.blocks[block_].answers;
        ++block_;
    }
    --leftInBlock_;
    if (!reader_->Read(next_)) {
        Diverge("the recording is damaged");
        return false;
    }
    if (next_.call == Call::End) {
        over_ = true;
        finished_ = true;
    }
    return true;
}

void ReplayBackend::Diverge(std::string what) {
    if (divergence_.empty())
        divergence_ = "frame " + std::to_string(frames_) + ": " + std::move(what);
    over_ = true;
}

const Answer* ReplayBackend::Next(Call call, uint32_t number) {
    if (!Playing()) return nullptr;
    const bool numbered = call == Call::KeyDown || call == Call::PadDown;
    if (next_.call != call || (numbered && next_.number != number)) {
        std::string asked = CallName(call);
        std::string recorded = CallName(next_.call);
        if (numbered) {
            asked += " " + std::to_string(number);
            if (next_.call == call) recorded += " " + std::to_string(next_.number);
        }
        Diverge("the game asked " + asked + " where the recording has " + recorded);
        return nullptr;
    }
    // The answer stays valid until the next call.
    current_ = next_;
    if (!LoadNextAnswer() && !finished_) return nullptr;
    return &current_;
}

void ReplayBackend::WaitForRecordedTime(uint32_t recorded) {
    if (pace_ != Pace::RecordedClock) return;
    if (firstTicks_) {
        firstTicks_ = false;
        recordedStart_ = recorded;
        realStart_ = inner_.Ticks();
        return;
    }
    const uint32_t due = recorded - recordedStart_;
    for (;;) {
        const uint32_t elapsed = inner_.Ticks() - realStart_;
        if (static_cast<int32_t>(due - elapsed) <= 0) return;
        std::this_thread::sleep_for(
            std::chrono::milliseconds(due - elapsed > 5 ? 5 : due - elapsed));
    }
}

uint32_t ReplayBackend::Ticks() {
    if (!started_) return inner_.Ticks();
    if (const Answer* answer = Next(Call::Ticks)) {
        lastTicks_ = answer->number;
        WaitForRecordedTime(lastTicks_);
    }
    return lastTicks_;
}

bool ReplayBackend::KeyDown(int virtualKey) {
    if (!started_) return inner_.KeyDown(virtualKey);
    if (virtualKey < 0 || virtualKey >= vk::Count) return false;
    const Answer* answer = Next(Call::KeyDown, static_cast<uint32_t>(virtualKey));
    return answer && answer->yes;
}

Point ReplayBackend::CursorPos() {
    if (!started_) return inner_.CursorPos();
    if (const Answer* answer = Next(Call::Cursor)) lastCursor_ = answer->point;
    return lastCursor_;
}

void ReplayBackend::WarpCursor(int x, int y) {
    // The watcher's pointer is the watcher's own.
    if (!started_) inner_.WarpCursor(x, y);
}

std::string ReplayBackend::TakeTypedText() {
    if (!started_) return inner_.TakeTypedText();
    const Answer* answer = Next(Call::TypedText);
    return answer ? answer->text : std::string();
}

bool ReplayBackend::PadDown(PadButton button) {
    if (!started_) return inner_.PadDown(button);
    const Answer* answer = Next(Call::PadDown, static_cast<uint32_t>(button));
    return answer && answer->yes;
}

void ReplayBackend::SetTextInputWanted(bool wanted) {
    // The watcher types nothing: no on-screen keyboard comes up for a replayed name.
    if (!started_) inner_.SetTextInputWanted(wanted);
}

void ReplayBackend::WatchInner() {
    Event event;
    while (inner_.PollEvent(event)) {
        if (event.type == EventType::Close || event.type == EventType::Quit) stopped_ = true;
    }
    // However the replay is paced (a window, a page), the watcher's Escape ends it.
    if (inner_.KeyDown(vk::Escape)) stopped_ = true;
    if (stopped_) over_ = true;
}

bool ReplayBackend::PollEvent(Event& event) {
    if (!started_) return inner_.PollEvent(event);
    if (Playing()) {
        const Answer* answer = Next(Call::PollEvent);
        if (answer && answer->yes) {
            event = answer->event;
            return true;
        }
        // A frame is about to run: the watcher's window gets its turn too.
        if (answer) WatchInner();
        if (answer && Playing()) return false;
    }
    // Over: the game is asked to end, once; a game that polls on after that only waits.
    if (quitSent_) return false;
    quitSent_ = true;
    event = Event{};
    event.type = EventType::Quit;
    event.code = 0;
    return true;
}

void ReplayBackend::WaitEvent() {
    if (!started_) {
        inner_.WaitEvent();
        return;
    }
    Next(Call::WaitEvent);
}

void ReplayBackend::PostClose() {
    if (!started_) inner_.PostClose();
}

void ReplayBackend::PostQuit(int code) {
    if (!started_) inner_.PostQuit(code);
}

bool ReplayBackend::OpenWindow(const char* title) {
    if (!started_) return inner_.OpenWindow(title);
    const Answer* answer = Next(Call::OpenWindow);
    return answer && answer->yes;
}

void ReplayBackend::CloseWindow() {
    if (!started_) inner_.CloseWindow();
}

PresentResult ReplayBackend::Present(const uint16_t* pixels, int pitch) {
    const PresentResult shown = inner_.Present(pixels, pitch);
    if (!started_) return shown;
    const Answer* answer = Next(Call::Present);
    ++frames_;
    return answer ? answer->present : PresentResult::Ok;
}

void ReplayBackend::ShowMessageBox(const char* text, const char* caption, bool error) {
    inner_.ShowMessageBox(text, caption, error);
}

void ReplayBackend::DebugOutput(const char* text) {
    inner_.DebugOutput(text);
}

bool ReplayBackend::OpenAudio(int sampleRate, AudioPull pull) {
    const bool opened = inner_.OpenAudio(sampleRate, std::move(pull));
    if (!started_) return opened;
    const Answer* answer = Next(Call::OpenAudio);
    return answer && answer->yes;
}

void ReplayBackend::CloseAudio() {
    inner_.CloseAudio();
}

bool ReplayBackend::Observe(bool value) {
    if (!started_) return inner_.Observe(value);
    const Answer* answer = Next(Call::Observe);
    return answer ? answer->yes : value;
}

void ReplayBackend::Checkpoint(uint64_t digest) {
    if (!started_) return;
    const Answer* answer = Next(Call::Checkpoint);
    if (!answer) return;
    const uint64_t recorded = (uint64_t{answer->number2} << 32) | answer->number;
    if (recorded != digest) Diverge("the state of the game differs from the recording");
}

}  // namespace platform::replay
