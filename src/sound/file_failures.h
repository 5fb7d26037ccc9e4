// Sound files that failed. The menu asks for its click and its tune on every entry (the tune on
// every frame while none plays), and every level load asks for its effects again, so a damaged
// file would show its modal box again and again, a box over every frame keeping the player from
// ever reaching a button. A sound or music file that cannot be read, filled or refilled is
// therefore tried once per run: it is reported once, by the main thread between frames, with a
// line naming the file, and not read again; the game goes on without that sound.
#pragma once

#include <string_view>

#include "diag/trace_error.h"

namespace sound {

// True when `path` has failed before. Any thread.
bool FileFailed(std::string_view path);
// Records that `path` failed; the first box `held` caught becomes its one report (a failure
// without a box is not reported). Does nothing for a file that has already failed. Any thread;
// it never shows a box itself.
void RecordFileFailure(std::string_view path, const diag::HeldTraceBoxes& held);
// Shows the reports of the failures recorded since the last call. Main thread, between frames.
void ShowFileFailures();

// Forgets every failed file and every report not yet shown.
void ResetFileFailures();

}  // namespace sound
