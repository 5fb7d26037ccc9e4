// Plays a recorded round back: the game asks the machine as it always does and gets the
// recorded answers, in the recorded order. What the game gives out (frames, sound, boxes) goes
// to the backend underneath, so a replay shows in a real window with its sound, or headless.
//
// Until Start() every call is passed on, so the game starts up on the real machine. From then
// on the recording answers. When the game asks a question other than the one recorded next,
// or a rules digest differs from the recorded one, the replay has diverged: it notes where and
// ends. At the end of the recording, or when the watcher presses Escape or Alt+X or closes the
// window, the next poll for events says Quit.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "platform/replay/round_file.h"
#include "platform/replay/round_stream.h"

namespace platform::replay {

class ReplayBackend : public Backend {
  public:
    enum class Pace {
        AsFastAsPossible,  // headless: the recorded clock is answered at once
        RecordedClock,     // a real window: the recorded clock is waited for
    };

    ReplayBackend(Backend& inner, RoundFile file, Pace pace);
    ~ReplayBackend() override;

    void Start();
    const RoundFile& File() const { return file_; }
    bool Started() const { return started_; }
    // Whether the whole recording was played.
    bool Finished() const { return finished_; }
    bool Diverged() const { return !divergence_.empty(); }
    // Where and how the replay went another way than the recording.
    const std::string& Divergence() const { return divergence_; }
    // Frames presented since Start().
    int Frames() const { return frames_; }
    // Whether the watcher ended the replay early.
    bool Stopped() const { return stopped_; }

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
    bool Playing() const { return started_ && !over_; }
    // The next recorded answer, which must answer `call`; nullptr (and the replay over) when
    // it does not.
    const Answer* Next(Call call, uint32_t number = 0);
    bool LoadNextAnswer();
    void Diverge(std::string what);
    // Lets the watcher's window breathe and looks for Escape, Alt+X or a close.
    void WatchInner();
    void WaitForRecordedTime(uint32_t recorded);

    Backend& inner_;
    RoundFile file_;
    Pace pace_;
    std::unique_ptr<RoundStreamReader> reader_;
    size_t block_ = 0;
    uint32_t leftInBlock_ = 0;
    Answer next_;
    Answer current_;
    bool started_ = false;
    bool over_ = false;
    bool finished_ = false;
    bool stopped_ = false;
    bool quitSent_ = false;
    std::string divergence_;
    int frames_ = 0;
    uint32_t lastTicks_ = 0;
    Point lastCursor_;
    bool firstTicks_ = true;
    uint32_t recordedStart_ = 0;
    uint32_t realStart_ = 0;
};

}  // namespace platform::replay
