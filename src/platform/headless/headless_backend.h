// The test backend: a virtual clock, scripted input, captured frames and sound rendered only
// when asked. Used by the tests, tqdriver, the benchmarks and the fuzzers.
#pragma once

#include <array>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/key_presses.h"
#include "platform/pad_model.h"
#include "platform/platform.h"

namespace platform {

class HeadlessBackend : public Backend {
  public:
    // Called by the message loop's idle passes, so that a driver can feed one frame's input
    // before the frame runs and look at the result after it ran.
    class FrameHooks {
      public:
        virtual ~FrameHooks() = default;
        virtual void BeforeFrame(HeadlessBackend& backend, int frame) = 0;
        virtual void AfterFrame(HeadlessBackend& backend, int frame) = 0;
    };

    HeadlessBackend();
    ~HeadlessBackend() override;

    // --- Backend ---
    uint32_t Ticks() override { return clock_; }
    bool KeyDown(int virtualKey) override;
    Point CursorPos() override { return cursor_; }
    void WarpCursor(int x, int y) override;
    bool PadDown(PadButton button) override;
    std::string TakeTypedText() override;
    void SetTextInputWanted(bool wanted) override { textInputWanted_ = wanted; }
    bool PollEvent(Event& event) override;
    void WaitEvent() override;
    void PostClose() override;
    void PostQuit(int code) override;
    bool OpenWindow(const char* title) override;
    void CloseWindow() override;
    PresentResult Present(const uint16_t* pixels, int pitch) override;
    void ShowMessageBox(const char* text, const char* caption, bool error) override;
    void DebugOutput(const char* text) override;
    bool OpenAudio(int sampleRate, AudioPull pull) override;
    void CloseAudio() override;

    // --- scripting ---
    void SetTime(uint32_t ms) { clock_ = ms; }
    void AdvanceTime(uint32_t ms) { clock_ += ms; }
    // A key goes down or up. Alt+X (the X key going down while an Alt key is held) asks the
    // window to close, as the real backend's shortcut does.
    void SetKey(int virtualKey, bool down);
    // Down and up again before the next frame, as a quick click or a touchpad tap arrives.
    void Click(int virtualKey);
    // A controller button goes down or up.
    void SetPadButton(PadButton button, bool down);
    // Down and up again before the next frame.
    void ClickPad(PadButton button);
    // The left stick held at `tilt` (each axis -1 .. 1) from the next frame on; it moves the
    // cursor at the start of every frame as the real backend's does. (0, 0) lets go.
    void SetStick(StickVector tilt) { stick_ = tilt; }
    void SetCursor(int x, int y) { cursor_ = {x, y}; }
    void QueueEvent(const Event& event) { events_.push_back(event); }
    void QueueText(const std::string& utf8) { typedText_ += utf8; }
    // Makes the next Present report a lost surface (a render-device reset).
    void LoseSurfacesOnNextPresent() { loseNextPresent_ = true; }
    // Each present takes `ms` of the virtual clock, as a present paced to the display does (the
    // loading screen's steps, a reload's); 0, the default, takes none.
    void SetPresentMs(uint32_t ms) { presentMs_ = ms; }
    void SetWindowAvailable(bool available) { windowAvailable_ = available; }
    void SetAudioAvailable(bool available) { audioAvailable_ = available; }
    void SetFrameHooks(FrameHooks* hooks) { hooks_ = hooks; }
    // Echo message boxes and debug output to standard error as the real backend does.
    void SetEchoToStderr(bool echo) { echo_ = echo; }

    // --- observation ---
    bool WindowOpen() const { return windowOpen_; }
    // What the game last said of typed text.
    bool TextInputWanted() const { return textInputWanted_; }
    int PresentCount() const { return presentCount_; }
    // The last presented frame, 800x600 RGB565, row by row.
    const std::vector<uint16_t>& LastFrame() const { return lastFrame_; }
    // Copies, because the music thread may add to them at any time.
    std::vector<std::string> MessageBoxes() const;
    std::string DebugLog() const;
    int AudioSampleRate() const { return audioRate_; }
    // Pulls `frames` stereo frames from the open audio output (silence when none is open).
    std::vector<int16_t> RenderAudio(int frames);

  private:
    void BeginCycle();
    // Nothing is waiting: the next frame begins and reads the input given until now.
    void BeginFrame();
    bool Held(int virtualKey) const;

    uint32_t clock_ = 1000;
    std::array<bool, vk::Count> keys_{};
    std::array<bool, PadButtonCount> padButtons_{};
    KeyPresses presses_;
    StickVector stick_;
    StickMotion stickMotion_;
    StickPointer stickPointer_;
    bool textInputWanted_ = false;
    Point cursor_{};
    std::string typedText_;
    std::deque<Event> events_;
    FrameHooks* hooks_ = nullptr;
    bool cycleOpen_ = false;
    int frame_ = -1;

    bool windowAvailable_ = true;
    bool windowOpen_ = false;
    bool loseNextPresent_ = false;
    uint32_t presentMs_ = 0;
    int presentCount_ = 0;
    std::vector<uint16_t> lastFrame_;

    mutable std::mutex logMutex_;
    std::vector<std::string> messageBoxes_;
    std::string debugLog_;
    bool echo_ = false;

    mutable std::mutex audioMutex_;
    bool audioAvailable_ = true;
    AudioPull audioPull_;
    int audioRate_ = 0;
};

}  // namespace platform
