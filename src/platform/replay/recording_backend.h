// Records a round: wraps the backend the game runs on and, while a recording runs, writes down
// every answer it gives the game, in order. Outside a recording it only passes calls on.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/platform.h"
#include "platform/replay/round_file.h"
#include "platform/replay/round_stream.h"

namespace platform::replay {

class RecordingBackend : public Backend {
  public:
    explicit RecordingBackend(Backend& inner);
    ~RecordingBackend() override;

    // Starts a recording under `header` (its blocks are ignored); one already running ends
    // unfinished first.
    void Begin(RoundFile header);
    bool Recording() const { return recording_; }
    // Frames presented since the recording began.
    int Frames() const { return frames_; }
    // Ends the recording and gives the whole file.
    RoundFile End();

    // --- Backend ---
    uint32_t Ticks() override;
    bool KeyDown(int virtualKey) override;
    Point CursorPos() override;
    void WarpCursor(int x, int y) override;
    std::string TakeTypedText() override;
    bool PadDown(PadButton button) override;
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
    bool Observe(bool value) override;
    void Checkpoint(uint64_t digest) override;

  private:
    // Writes the answer while a round is being recorded; outside a recording, nothing.
    void Note(const Answer& answer);
    void CloseBlock();

    Backend& inner_;
    bool recording_ = false;
    RoundFile file_;
    std::unique_ptr<RoundStreamWriter> writer_;
    uint32_t answersInBlock_ = 0;
    int frames_ = 0;
};

}  // namespace platform::replay
