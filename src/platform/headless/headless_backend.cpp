#include "platform/headless/headless_backend.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>

namespace platform {

HeadlessBackend::HeadlessBackend() = default;

HeadlessBackend::~HeadlessBackend() {
    if (CurrentBackend() == this) SetBackend(nullptr);
}

bool HeadlessBackend::Held(int virtualKey) const {
    return keys_[static_cast<size_t>(virtualKey)] || presses_.PressedBeforeThisFrame(virtualKey);
}

bool HeadlessBackend::KeyDown(int virtualKey) {
    return VirtualKeyDownBy(virtualKey, [this](int key) { return Held(key); });
}

void HeadlessBackend::SetKey(int virtualKey, bool down) {
    if (virtualKey < 0 || virtualKey >= vk::Count) return;
    const bool pressed = down && !keys_[static_cast<size_t>(virtualKey)];
    keys_[static_cast<size_t>(virtualKey)] = down;
    if (!pressed) return;
    presses_.Press(virtualKey);
    if (virtualKey == 'X' && (keys_[vk::Menu] || keys_[vk::LMenu] || keys_[vk::RMenu])) PostClose();
}

void HeadlessBackend::Click(int virtualKey) {
    SetKey(virtualKey, true);
    SetKey(virtualKey, false);
}

void HeadlessBackend::SetPadButton(PadButton button, bool down) {
    bool& held = padButtons_[static_cast<size_t>(button)];
    if (down && !held) presses_.Press(button);
    held = down;
}

void HeadlessBackend::ClickPad(PadButton button) {
    SetPadButton(button, true);
    SetPadButton(button, false);
}

bool HeadlessBackend::PadDown(PadButton button) {
    return padButtons_[static_cast<size_t>(button)] || presses_.PressedBeforeThisFrame(button);
}

void HeadlessBackend::WarpCursor(int x, int y) {
    // The screen is the whole 800x600 display: the cursor cannot leave it.
    cursor_.x = x < 0 ? 0 : (x >= ScreenWidth ? ScreenWidth - 1 : x);
    cursor_.y = y < 0 ? 0 : (y >= ScreenHeight ? ScreenHeight - 1 : y);
}

std::string HeadlessBackend::TakeTypedText() {
    std::string text;
    text.swap(typedText_);
    return text;
}

// The message loop drains the queue, then runs one frame (or waits). A "cycle" is the span
// from the first poll after a frame to the poll that finds the queue empty: the driver's
// BeforeFrame runs at its start, so the input of frame n is in place before frame n runs.
void HeadlessBackend::BeginCycle() {
    if (cycleOpen_) return;
    if (hooks_ && frame_ >= 0) hooks_->AfterFrame(*this, frame_);
    ++frame_;
    if (hooks_) hooks_->BeforeFrame(*this, frame_);
    cycleOpen_ = true;
}

bool HeadlessBackend::PollEvent(Event& event) {
    if (hooks_) BeginCycle();
    if (!events_.empty()) {
        event = events_.front();
        events_.pop_front();
        return true;
    }
    BeginFrame();
    return false;
}

void HeadlessBackend::BeginFrame() {
    cycleOpen_ = false;
    presses_.BeginFrame();
    const StickVector motion = stickMotion_.Step(stick_, clock_);
    if (motion.x != 0.0f || motion.y != 0.0f) {
        const StickPointer::Area screen{0.0f, 0.0f, static_cast<float>(ScreenWidth),
                                        static_cast<float>(ScreenHeight)};
        cursor_ = stickPointer_.Move(cursor_, motion, screen);
    }
}

void HeadlessBackend::WaitEvent() {
    if (!hooks_) {
        // Nothing can ever arrive without a script: end the loop instead of spinning.
        if (events_.empty()) events_.push_back(Event{EventType::Quit});
        return;
    }
    // Frames pass while the game sleeps; each one still gets its script entries.
    while (events_.empty()) {
        BeginFrame();
        BeginCycle();
    }
}

void HeadlessBackend::PostClose() {
    Event event;
    event.type = EventType::Close;
    events_.push_back(event);
}

void HeadlessBackend::PostQuit(int code) {
    Event event;
    event.type = EventType::Quit;
    event.code = code;
    events_.push_back(event);
}

bool HeadlessBackend::OpenWindow(const char*) {
    if (!windowAvailable_) return false;
    windowOpen_ = true;
    // Showing a window reports its size and position, which makes the application active.
    Event size;
    size.type = EventType::Size;
    size.sizeKind = SizeKind::Restored;
    events_.push_back(size);
    Event move;
    move.type = EventType::Move;
    events_.push_back(move);
    return true;
}

void HeadlessBackend::CloseWindow() {
    windowOpen_ = false;
}

PresentResult HeadlessBackend::Present(const uint16_t* pixels, int pitch) {
    if (!windowOpen_) return PresentResult::Failed;
    clock_ += presentMs_;
    if (loseNextPresent_) {
        loseNextPresent_ = false;
        return PresentResult::Lost;
    }
    if (keepFrames_) {
        lastFrame_.resize(static_cast<size_t>(ScreenWidth) * ScreenHeight);
        if (pitch == ScreenWidth) {
            std::memcpy(lastFrame_.data(), pixels, lastFrame_.size() * sizeof(uint16_t));
        } else {
            for (int y = 0; y < ScreenHeight; ++y) {
                const uint16_t* row = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
                std::copy(row, row + ScreenWidth,
                          lastFrame_.begin() + static_cast<std::ptrdiff_t>(y) * ScreenWidth);
            }
        }
    }
    ++presentCount_;
    return PresentResult::Ok;
}

void HeadlessBackend::ShowMessageBox(const char* text, const char* caption, bool) {
    std::string entry = std::string(caption ? caption : "") + ": " + (text ? text : "");
    std::lock_guard lock(logMutex_);
    messageBoxes_.push_back(entry);
    if (echo_) std::fprintf(stderr, "%s\n", entry.c_str());
}

void HeadlessBackend::DebugOutput(const char* text) {
    if (!text) return;
    std::lock_guard lock(logMutex_);
    debugLog_ += text;
    if (echo_) std::fputs(text, stderr);
}

std::vector<std::string> HeadlessBackend::MessageBoxes() const {
    std::lock_guard lock(logMutex_);
    return messageBoxes_;
}

std::string HeadlessBackend::DebugLog() const {
    std::lock_guard lock(logMutex_);
    return debugLog_;
}

bool HeadlessBackend::OpenAudio(int sampleRate, AudioPull pull) {
    std::lock_guard lock(audioMutex_);
    if (!audioAvailable_) return false;
    audioPull_ = std::move(pull);
    audioRate_ = sampleRate;
    return true;
}

void HeadlessBackend::CloseAudio() {
    std::lock_guard lock(audioMutex_);
    audioPull_ = nullptr;
    audioRate_ = 0;
}

std::vector<int16_t> HeadlessBackend::RenderAudio(int frames) {
    std::vector<int16_t> samples(static_cast<size_t>(frames > 0 ? frames : 0) * 2, 0);
    std::lock_guard lock(audioMutex_);
    if (audioPull_ && frames > 0) audioPull_(samples.data(), frames);
    return samples;
}

}  // namespace platform
