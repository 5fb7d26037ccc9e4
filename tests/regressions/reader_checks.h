// Feeds one input file through a reader the way the game uses it and checks what the game relies
// on: the input is refused cleanly, or the result holds together. The fuzzers run these checks on
// every input they make; the regression test runs them on every input a fuzzer ever broke.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "display/display_device.h"
#include "platform/headless/headless_backend.h"
#include "sound/sound_device.h"

namespace readercheck {

// The headless backend with message boxes and debug output counted and dropped, so that millions
// of refused inputs do not pile up their traces.
class QuietBackend : public platform::HeadlessBackend {
  public:
    void ShowMessageBox(const char*, const char*, bool) override { ++boxes; }
    void DebugOutput(const char*) override { ++traces; }

    size_t boxes = 0;
    size_t traces = 0;
};

// What the readers need around them: the quiet backend installed, the window and the 800x600
// screen open, a sound device open, and a scratch directory (in memory where the machine has
// /dev/shm) for the files the readers take by path.
class Rig {
  public:
    Rig();
    ~Rig();
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    // False when the screen or the sound device could not be opened.
    bool Ready() const { return ready_; }
    CDisplayDevice& Display() { return display_; }
    CSoundDevice& Sound() { return *sound_; }
    QuietBackend& Backend() { return backend_; }
    // Writes `data` to `name` in the scratch directory and returns the path ("" on failure).
    std::string Write(const std::string& name, const uint8_t* data, size_t size) const;
    std::string PathOf(const std::string& name) const { return dir_ + "/" + name; }

  private:
    platform::Backend* previous_ = nullptr;
    QuietBackend backend_;
    CDisplayDevice display_;
    std::unique_ptr<CSoundDevice> sound_;
    std::string dir_;
    bool ready_ = false;
};

// Each check returns "" when the input was handled correctly, otherwise what went wrong.

// DecodeBmp, LoadBitmapSurface at the picture's own size and resampled, keying and keyed drawing.
std::string CheckBmp(Rig& rig, const uint8_t* data, size_t size);
// CWaveReader (open, read in pieces, rewind) and CSoundDevice::LoadSound with a few mixed frames.
std::string CheckWave(Rig& rig, const uint8_t* data, size_t size);
// LoadHighScores of a score.dat, and saving the loaded table again.
std::string CheckScoreFile(Rig& rig, const uint8_t* data, size_t size);
// LoadOptions of an INI file, and SaveSoundOption on it.
std::string CheckIniFile(Rig& rig, const uint8_t* data, size_t size);
// A recorded round: the file, every answer of its stream, and what the round inherits, applied
// to a game with a menu.
std::string CheckRoundFile(Rig& rig, const uint8_t* data, size_t size);

}  // namespace readercheck
