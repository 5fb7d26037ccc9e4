// Music files that failed. The menu opens its music again on every frame while none plays, so a
// damaged music file would show its error box on every frame and, the box being modal, keep the
// player from ever reaching a button. A music file whose opening, fill or refill fails is
// therefore reported once, by the main thread between frames, and not opened again for the rest
// of the run; the game goes on without that tune.
#pragma once

#include <cstdint>
#include <string_view>

#include "diag/result_codes.h"
#include "diag/trace_error.h"

class CSound;

namespace sound {

// True when `path` has failed before. Any thread.
bool MusicFileFailed(std::string_view path);
// Records that `path` failed; the first box `held` caught becomes its one report (a failure
// without a box is not reported). Does nothing for a file that has already failed. Any thread;
// it never shows a box itself.
void RecordMusicFailure(std::string_view path, const diag::HeldTraceBoxes& held);
// Shows the reports of the failures recorded since the last call. Main thread, between frames.
void ShowMusicFailures();

// Creates whole-file music in `slot` from `path` (one buffer, `creationFlags`) when the slot is
// empty and the file has not failed before; a file that fails is recorded. True when the slot
// holds a sound afterwards.
bool LoadWholeMusic(CSound*& slot, const char* path, uint32_t creationFlags);

// Forgets every failed file and every report not yet shown (for tests).
void ResetMusicFailuresForTests();

}  // namespace sound
