// The real backend: one SDL2 window (desktop full screen with a logical 800x600 size, scaled and
// letterboxed, or a scaled window after Alt+Enter), vsync presentation of an RGB565 streaming
// texture, SDL's audio callback, keyboard and mouse, and game controllers.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "platform/key_presses.h"
#include "platform/pad_model.h"
#include "platform/platform.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace platform {

class GameControllers;

// Destroys the SDL objects the backend owns.
struct SdlDeleter {
    void operator()(SDL_Window* window) const;
    void operator()(SDL_Renderer* renderer) const;
    void operator()(SDL_Texture* texture) const;
};

class SdlBackend : public Backend {
  public:
    SdlBackend();
    ~SdlBackend() override;

    uint32_t Ticks() override;
    bool KeyDown(int virtualKey) override;
    Point CursorPos() override;
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

    // Game controllers plugged in now.
    int ControllerCount() const;

  private:
    struct Queue;
    bool TranslateEvent(const void* sdlEvent);
    // Nothing is waiting: the next frame begins and reads the input that arrived until now.
    void BeginFrame();
    // Moves the cursor by the controllers' sticks, `motion` in game pixels.
    void MoveCursorBy(StickVector motion);
    void ToggleFullScreen();
    bool CreateTexture();
    void PaceWithoutVsync();
    static void AudioCallback(void* self, unsigned char* stream, int bytes);

    std::unique_ptr<Queue> queue_;
    std::unique_ptr<SDL_Window, SdlDeleter> window_;
    std::unique_ptr<SDL_Renderer, SdlDeleter> renderer_;
    std::unique_ptr<SDL_Texture, SdlDeleter> texture_;
    bool videoReady_ = false;
    bool vsync_ = false;
    bool fullScreen_ = true;
    bool hadFocus_ = false;
    bool renderLost_ = false;
    int refreshRate_ = 60;
    uint64_t lastPresentCounter_ = 0;
    std::string typedText_;
    KeyPresses presses_;
    std::unique_ptr<GameControllers> pads_;
    StickMotion stickMotion_;
    // The stick moves the mouse pointer in window pixels.
    StickPointer stickPointer_;

    uint32_t audioDevice_ = 0;
    std::mutex audioMutex_;
    AudioPull audioPull_;
};

}  // namespace platform
