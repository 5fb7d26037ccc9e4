// The sound layer's failure trace: one debugger line per failing call and, for most failures, a
// modal message box naming the file, the line, the result code and the call.
#pragma once

#include <string>
#include <vector>

#include "diag/result_codes.h"

namespace diag {

// Writes "<file>(<line>): <calling> (hr=<name> (0x<code>))" to the debugger output and, when
// `showBox` is set, shows the box "Unexpected error encountered" (or hands it to the thread's
// HeldTraceBoxes). Returns `hr` unchanged, so a caller can trace and return a failure in one
// step. Safe to call from any thread.
HRESULT TraceError(const char* file, long line, HRESULT hr, const char* calling, bool showBox);

// A message box a trace asked for.
struct TraceBox {
    std::string text;
    std::string caption;
};

// While one lives, the boxes that the traces of its thread ask for are kept in it instead of
// being shown: the music thread must never stop for a modal box while it holds the music lock,
// and a failing music file is reported once, between frames, not in the middle of one. The
// debugger lines are written as always. Nested holders keep the boxes in the innermost one.
class HeldTraceBoxes {
  public:
    HeldTraceBoxes();
    ~HeldTraceBoxes();
    HeldTraceBoxes(const HeldTraceBoxes&) = delete;
    HeldTraceBoxes& operator=(const HeldTraceBoxes&) = delete;

    const std::vector<TraceBox>& Boxes() const { return boxes_; }
    bool Empty() const { return boxes_.empty(); }

  private:
    friend HRESULT TraceError(const char*, long, HRESULT, const char*, bool);
    HeldTraceBoxes* outer_;
    std::vector<TraceBox> boxes_;
};

// Shows a box that a trace asked for: modal, with the error icon.
void ShowTraceBox(const TraceBox& box);

}  // namespace diag

// The sound layer traces under the file name "dsutil" (the name its trace boxes have always shown).
#define TQ_SOUND_TRACE(calling, hr, showBox) \
    ::diag::TraceError("dsutil", __LINE__, (hr), (calling), (showBox))
