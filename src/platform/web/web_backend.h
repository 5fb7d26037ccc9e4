// The browser backend: the game in a web page, built with emscripten. The picture goes to a
// canvas (RGB565 turned into RGBA), input comes from the page's mouse, keyboard
// and touch events (emscripten's html5.h) and its gamepads (polled each frame), sound goes to Web
// Audio, fed by the game's own mixer, and the saves live in the browser's IndexedDB. The page has
// no threads: the game's loop runs as on Linux and hands the browser its turn at every present and
// every message box (asyncify unwinds the game's stack and rewinds it when the browser calls back),
// so the game does its work in the same order as everywhere else. The JavaScript half is
// web_backend.js.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/key_presses.h"
#include "platform/pad_model.h"
#include "platform/platform.h"
#include "platform/web/standard_gamepad.h"
#include "platform/web/touch_gestures.h"

namespace platform::web {

// How the page runs the game.
struct PageSettings {
    // Virtual time for tests and measurements: the clock starts at 1000 ms and advances this many
    // ms before every frame, as tqdriver's does; 0 is the real clock.
    int virtualStepMs = 0;
    // Frames follow one another as fast as the browser allows, not at its display's rate.
    bool fast = false;
};

class WebBackend : public Backend {
  public:
    explicit WebBackend(const PageSettings& settings);
    ~WebBackend() override;
    WebBackend(const WebBackend&) = delete;
    WebBackend& operator=(const WebBackend&) = delete;
    // The page's backend, whatever wraps it (a round's recording or replay).
    static WebBackend* Active();

    uint32_t Ticks() override;
    bool KeyDown(int virtualKey) override;
    Point CursorPos() override { return cursor_; }
    void WarpCursor(int x, int y) override;
    bool PadDown(PadButton button) override;
    std::string TakeTypedText() override;
    void SetTextInputWanted(bool wanted) override;
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

    // Runs before every frame; it may make the game wait (for the rest of its pictures and
    // sounds, still arriving).
    void SetBeforeFrame(std::function<void()> hook) { beforeFrame_ = std::move(hook); }

    // A script that plays instead of the player (the page's measurements): it runs before every
    // frame's input is read, and plays through ScriptKey, WarpCursor, OnTypedText and PostClose.
    using InputScript = std::function<void(WebBackend&, int frame)>;
    void SetInputScript(InputScript script) { inputScript_ = std::move(script); }
    // A key or button goes down or up, as if the player had pressed or released it.
    void ScriptKey(int virtualKey, bool down);

    // The game's loop has ended: the canvas shows the last frame it presented.
    void LoopEnded() { ShowFrame(); }

    // The frame that runs now (the first is 0), counted as tqdriver counts them.
    int FrameIndex() const { return frame_; }

    // The page's events, from the callbacks in web_backend.cpp and the page's own script. The
    // key and mouse handlers return whether the browser must leave the event alone.
    bool OnKey(bool down, const char* key, const char* code, bool ctrl, bool alt, bool meta,
               bool repeat);
    void OnMouseMove(int clientX, int clientY, int buttons);
    void OnMouseButton(bool down, int button, int clientX, int clientY);
    void OnTouch(int eventType, long id, float x, float y, double ms);
    void OnTouchesDone(bool ended);
    void OnVisibility(bool hidden);
    void OnFocusLost();
    void OnTypedText(const char* utf8);
    void OnKeyClicked(int virtualKey);
    // Mixes as much sound as the page's output wants now.
    void TopUpAudio();

  private:
    // The span from the first poll after a frame to the poll that finds nothing waiting; the
    // next frame runs after it.
    void BeginCycle();
    void BeginFrame();
    void Press(int virtualKey);
    void Press(PadButton button);
    void SetCursorFromClient(int clientX, int clientY);
    void SamplePads();
    bool Held(int virtualKey) const;
    // Puts the last frame presented on the canvas, unless it is there.
    void ShowFrame();
    // Whether the browser's turn has come, and handing it over: until its next display frame,
    // or in a fast page at once.
    bool BrowserTurnDue() const;
    void YieldToBrowser();

    PageSettings settings_;
    std::function<void()> beforeFrame_;
    InputScript inputScript_;
    uint32_t clock_ = 1000;
    int frame_ = -1;
    bool cycleOpen_ = false;
    bool presentedThisFrame_ = false;
    // The frame presented last, when the canvas does not show it yet; the canvas's copy.
    const uint16_t* unshownPixels_ = nullptr;
    int unshownPitch_ = 0;
    std::vector<uint32_t> rgba_ = std::vector<uint32_t>(ScreenWidth * ScreenHeight);
    double yieldedMs_ = 0.0;
    static constexpr double FastTurnMs = 200.0;
    // When the game last got its turn back from the browser: its work since then is measured.
    double workStartMs_ = 0.0;
    std::deque<Event> events_;
    bool windowOpen_ = false;

    std::array<bool, vk::Count> held_{};
    KeyPresses presses_;
    Point cursor_{ScreenWidth / 2, ScreenHeight / 2};
    std::string typedText_;
    bool textWanted_ = false;
    TouchGestures touches_;
    StandardGamepads pads_{presses_};
    StickMotion stickMotion_;
    StickPointer stickPointer_;

    AudioPull audioPull_;
    std::vector<int16_t> audioScratch_;
};

}  // namespace platform::web
